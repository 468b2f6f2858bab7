#include "shell/password.h"

#include "base/feedback.h"
#include "base/ini.h"
#include "base/ui.h"
#include "shell/ask_paswoord.h"
#include "shell/password_store.h"

namespace {

constexpr char kSupportAddress[] = "support@tunelo.example";
int attempts = 0;

}  // namespace

int PasswordAttempts() {
    return attempts;
}
void RaisePasswordAttempts() {
    ++attempts;
}
void ResetPasswordAttempts() {
    attempts = 0;
}

bool ChkPaswoord(QWidget* parent) {
    if (!PasswordInformationFound()) {
        PlayWave("error.wav");
        CurrentUi().Message(
            MsgKind::Warning,
            std::string("Password information is not found, please contact us by e-mail ") +
                kSupportAddress);
        return false;
    }
    if (!NietBeveiligd() || NoPasswordSet()) {
        return true;
    }
    return AskPassword(parent, true);
}

bool AskPassword(QWidget* parent, bool startCheck) {
    TAskPaswoord dialog(parent);
    dialog.exec();
    const bool given = dialog.PasswordGiven();
    if (!given && startCheck) {
        CurrentUi().Message(MsgKind::Warning, "Acces to this program is denied!");
    }
    return given;
}

bool ToggleProtection(QWidget* parent, bool lockShownOn) {
    if (NoPasswordSet() || !PasswordInformationFound()) {
        CurrentUi().Message(MsgKind::Information, "You have to fill in a password first.");
    } else if (lockShownOn) {
        if (AskPassword(parent, false)) {
            IniWriteBool("Diversen", "TrackBvAan", false);
        }
    } else {
        IniWriteBool("Diversen", "TrackBvAan", true);
    }
    return !NietBeveiligd();
}
