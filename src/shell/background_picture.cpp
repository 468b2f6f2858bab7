#include "shell/background_picture.h"

#include "base/ini.h"
#include "base/ui.h"
#include "platform/common/file_names.h"

std::string BackgroundPictureFile() {
    const std::string stored = IniReadString("Opstart", "ToonBitmap", "");
    if (stored.empty() || !tunelo::FileExistsNoCase(stored)) {
        return {};
    }
    return tunelo::ResolvePathNoCase(stored);
}

bool ChooseBackgroundPicture() {
    const std::string current = IniReadString("Opstart", "ToonBitmap");
    const auto chosen = CurrentUi().OpenFileName("Background", "BMP files (*.BMP)|*.BMP",
                                                 current == kIniAbsent ? std::string() : current);
    if (!chosen || chosen->empty() || *chosen == current) {
        return false;
    }
    if (!IniWriteString("Opstart", "ToonBitmap", *chosen)) {
        return false;
    }
    return CurrentUi().Message(MsgKind::Confirmation,
                               "You have to restart the program to activate the new background. "
                               "Do you want to close now?",
                               MsgButtons::YesNo) == MsgAnswer::Yes;
}

void ResetBackgroundPicture() {
    IniWriteString("Opstart", "ToonBitmap", "");
}
