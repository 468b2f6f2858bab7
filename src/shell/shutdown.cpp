#include "shell/shutdown.h"

#include "base/ini.h"
#include "base/ui.h"

bool RunShutdown(const ShutdownSteps& steps) {
    // An open screen asks its own question first: the user answers about the work in front of
    // them before the program as a whole. Screens also write what they hold on closing (a main
    // title, a carrier's counter, the backup counter) before the reminder reads that counter.
    if (steps.closeScreens && !steps.closeScreens()) {
        return false;
    }
    if (IniReadBool("Diversen", "Afsluitbox") &&
        CurrentUi().Message(MsgKind::Confirmation, "Are you sure you want to leave the program?",
                            MsgButtons::YesNo) != MsgAnswer::Yes) {
        return false;
    }
    if (IniReadBool("Diversen", "ChkUitleenAfsluit")) {
        CurrentUi().Beep();
        if (steps.loanCheck) {
            steps.loanCheck();
        }
    }
    if (!IniReadBool("Diversen", "MeldBackupWindow")) {
        const int added = IniReadInteger("Diversen", "MeldBackup");
        const int threshold = IniReadInteger("Diversen", "MeldBackupOp");
        if (added >= threshold) {
            CurrentUi().Beep();
            if (steps.backupReminder) {
                steps.backupReminder();
            }
            IniWriteInteger("Diversen", "MeldBackup", 0);
        }
    }
    return true;
}
