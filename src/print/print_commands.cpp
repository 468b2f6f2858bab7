#include "print/print_commands.h"

#include <exception>

#include "base/ui.h"
#include "playlist/playlist_form.h"
#include "print/linker_marge_form.h"
#include "print/report_delivery.h"
#include "print/report_runner.h"
#include "shell/main_form.h"

namespace {

// No exception leaves a menu command.
void Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& error) {
        CurrentUi().Message(MsgKind::Error, error.what());
    }
}

}  // namespace

ReportRunner InstallPrintCommands(TMainForm& form, Catalogue& catalogue, QPrinter& printer) {
    SetReportPrinter(&printer);
    TPlaylistForm::SetPrinter(PrintPlaylistReport);
    form.registerCommand("PrintPurchase1", [&form, &catalogue] {
        Guarded([&form, &catalogue] {
            if (CurrentUi().Message(MsgKind::Confirmation,
                                    "This option will print all the purchases. Do you want to "
                                    "print?",
                                    MsgButtons::YesNo) == MsgAnswer::Yes)
                PrintPurchases(catalogue, &form);
        });
    });
    form.registerCommand("Leftmargin1", [&form] {
        Guarded([&form] {
            TLinkerMargeForm margin(&form);
            margin.exec();
        });
    });
    return [](Catalogue& books, const ReportRequest& request, QWidget* parent) {
        try {
            return RunReport(books, request, parent);
        } catch (const std::exception& error) {
            CurrentUi().Message(MsgKind::Error, error.what());
            return false;
        }
    };
}
