#include "entry/entry_commands.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/geluids_invoer.h"
#include "entry/heropen.h"
#include "entry/inv_conf.h"
#include "entry/invoeg_track_form.h"
#include "shell/main_form.h"

namespace {

void Reopen(TMainForm& form, Catalogue& catalogue, const ShowSourceFn& showSource) {
    if (SourceLeftOpen()) {
        CurrentUi().Message(MsgKind::Information, "There is still a source open!");
        return;
    }
    THeropen dialog(catalogue, THeropen::kReopen, &form);
    if (dialog.exec() == QDialog::Accepted) {
        OpenEntryScreen(form, catalogue, showSource);
    }
}

}  // namespace

bool SourceLeftOpen() {
    const std::string open = IniReadString("Diversen", "OpenDrager").substr(0, 20);
    return open != kIniAbsent && !IsBlank(open);
}

void OpenEntryScreen(TMainForm& form, Catalogue& catalogue, ShowSourceFn showSource) {
    form.setEntryOpen(true);
    auto* screen = new TGeluidsInvoer(catalogue, nullptr);
    screen->setShowSource(std::move(showSource));
    QMdiSubWindow* window = form.mdiArea()->addSubWindow(screen);
    window->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(screen, &TGeluidsInvoer::closed, &form, [&form] { form.setEntryOpen(false); });
    window->show();
}

void InstallEntryCommands(TMainForm& form, Catalogue& catalogue, ShowSourceFn showSource) {
    const auto add = [&form, &catalogue, showSource] {
        OpenEntryScreen(form, catalogue, showSource);
    };
    form.registerCommand("Add1", add);
    form.registerCommand("AddButton", add);
    form.registerCommand("Reopen1",
                         [&form, &catalogue, showSource] { Reopen(form, catalogue, showSource); });
    form.registerCommand("ReopenButton", [&form, &catalogue, showSource] {
        if (SourceLeftOpen()) {
            OpenEntryScreen(form, catalogue, showSource);
        } else {
            Reopen(form, catalogue, showSource);
        }
    });
    form.registerCommand("Addsometracks1", [&form, &catalogue, showSource] {
        TInvoegTrackForm dialog(catalogue, &form);
        dialog.setShowSource(showSource);
        dialog.exec();
    });
    form.registerCommand("Addingsource1", [&form, &catalogue] {
        TInvConf dialog(catalogue, &form);
        dialog.exec();
    });
    form.registerCommand("Number1", [&form, &catalogue, showSource] {
        THeropen dialog(catalogue, THeropen::kShow, &form, showSource);
        dialog.exec();
    });
}
