// TMainForm: the start-up steps and the commands that open the shell's own dialogs.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "base/ini.h"
#include "base/ui.h"
#include "shell/about_box.h"
#include "shell/algemeen.h"
#include "shell/backup_form.h"
#include "shell/conf_paswoord.h"
#include "shell/external_programs.h"
#include "shell/help_contexts.h"
#include "shell/lokatie_backup_form.h"
#include "shell/main_form.h"
#include "shell/open_scherm.h"
#include "shell/password.h"
#include "store/catalogue.h"
#include "store/entry_recovery.h"
#include "store/pending_work.h"
#include "store/repair_offer.h"
#include "store/startup_check.h"
#include "store/table_error.h"

bool TMainForm::runShowStep() {
    if (catalogue_ != nullptr) {
        const StartupOutcome outcome = CheckDataFiles(*catalogue_, [this] {
            if (splash_ != nullptr) {
                splash_->ShowCreatingFiles();
            }
        });
        if (outcome != StartupOutcome::GoOn) {
            startFailed_ = outcome == StartupOutcome::Failed;
            return false;
        }
        SetRepairCatalogue(catalogue_);
    }
    if (splash_ != nullptr) {
        splash_->close();
        splash_ = nullptr;
    }
    if (!ChkPaswoord(this)) {
        startFailed_ = true;
        return false;
    }
    if (catalogue_ != nullptr) {
        try {
            for (const RecoveryOutcome& outcome : FinishPendingWork(*catalogue_)) {
                CurrentUi().Message(outcome.kind == RecoveryOutcome::Kind::Refused
                                        ? MsgKind::Warning
                                        : MsgKind::Information,
                                    outcome.message);
            }
            RecoverUnfinishedEntries(*catalogue_);
        } catch (const TableError& error) {
            CurrentUi().Message(MsgKind::Error, error.what());
        }
    }
    if (IniReadBool("Diversen", "ChkUitleenOpstart")) {
        CurrentUi().Beep();
        if (loanCheck_) {
            loanCheck_();
        }
    }
    applyHints(IniReadBool("Opstart", "Hints"));
    if (quitWhenReady_) {
        QApplication::processEvents();
        return false;
    }
    return true;
}

void TMainForm::connectDialogCommands() {
    registerCommand("Password1", [this] {
        TConfPaswoord dialog(this);
        dialog.exec();
    });
    registerCommand("Printer1", [] { CurrentUi().PrinterSetup(); });
    registerCommand("PrinterButton", [] { CurrentUi().PrinterSetup(); });
    registerCommand("Filelocations1", [this] {
        TLokatieBackupForm dialog(this);
        dialog.exec();
    });
    registerCommand("Backup1", [] { StartExternalProgram(ExternalProgram::Backup); });
    registerCommand("Specialcharacters1",
                    [] { StartExternalProgram(ExternalProgram::SpecialCharacters); });
    registerCommand("Volumesettings1",
                    [] { StartExternalProgram(ExternalProgram::VolumeControl); });
    registerCommand("HelpGeneral1", [this] {
        const QMdiSubWindow* active = mdiArea_->currentSubWindow();
        const QWidget* screen = active != nullptr ? active->widget() : nullptr;
        CurrentUi().ShowHelp(screen != nullptr ? screen->property(kHelpContextProperty).toInt()
                                               : 0);
    });
    registerCommand("About1", [this] {
        TAboutBox dialog(this);
        dialog.exec();
    });
}

void TMainForm::showPlaylist() {
    bool empty = true;
    if (catalogue_ != nullptr) {
        try {
            empty = catalogue_->dm3.PlaylistAccess.Count() == 0;
        } catch (const TableError& error) {
            CurrentUi().Message(MsgKind::Error, error.what());
            return;
        }
    }
    if (empty) {
        CurrentUi().Message(MsgKind::Information, "The playlist is empty!");
        return;
    }
    const auto open = playlistOpener_;
    if (open) {
        open();
    }
}

void TMainForm::showGeneral() {
    TAlgemeen dialog(this);
    if (dialog.exec() == QDialog::Accepted && generalChanged_) {
        generalChanged_();  // the CD player follows ToonCdSpeler
    }
}

void TMainForm::toggleProtection() {
    // The check mark has already flipped; the lock follows what cd.ini holds afterwards.
    const bool wasOn = protected_;
    applyProtection(ToggleProtection(this, wasOn));
}

void TMainForm::showBackupReminder() {
    TBackupForm reminder(this);
    reminder.exec();
}
