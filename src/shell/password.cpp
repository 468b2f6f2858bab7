#include "shell/password.h"

#include "base/feedback.h"
#include "base/ini.h"
#include "base/ini_check.h"
#include "base/ui.h"
#include "base/work_dir.h"
#include "shell/ask_paswoord.h"
#include "shell/install_paths.h"
#include "shell/password_store.h"

namespace {

int attempts = 0;

// Names the file, what is wrong with it and the one repair that needs no help from anyone.
std::string CdIniMessage() {
    std::string cause = CdIniProblem();
    if (cause.empty())
        cause = "holds no password entry (Code_0001 in section [Diversen])";
    const std::string folder = WorkDir();
    return "cd.ini in " + folder + " " + cause + ", so the program cannot start.\n\nCopy " +
           TemplateFolder() + "/cd.ini into " + folder +
           ". The catalogue stays as it is; the settings and the password are reset.";
}

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
        CurrentUi().Message(MsgKind::Warning, CdIniMessage());
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
        CurrentUi().Message(MsgKind::Warning, "Access to this program is denied!");
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
