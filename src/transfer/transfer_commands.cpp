#include "transfer/transfer_commands.h"

#include <exception>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/editing_screens.h"
#include "shell/main_form.h"
#include "store/csv_import.h"
#include "store/percent_progress.h"
#include "transfer/csv_folder.h"
#include "transfer/export_csv_form.h"
#include "transfer/foreign_import_steps.h"
#include "transfer/import_csv_form.h"

namespace {

// No failure leaves a menu command's handler.
template <typename Fn>
void Guarded(Fn run) {
    try {
        run();
    } catch (const std::exception& error) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error, error.what());
    }
}

void ImportCsv(TMainForm& form, Catalogue& catalogue) {
    if (RefuseWhileEditing(form, "Import from CSV…"))
        return;
    const auto folder = CurrentUi().FolderName("Import from CSV", LastCsvFolder());
    if (!folder)
        return;
    SetLastCsvFolder(*folder);
    CsvImport import;
    xbase::Status status;
    {
        BusyCursor busy;
        status = import.Prepare(
            catalogue, *folder, PercentProgress([](int percent) {
                ShowStatus("Reading the CSV files... " + std::to_string(percent) + "%");
            }));
        ShowStatus("");
    }
    if (!status.ok()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error, "The files cannot be imported: " + status.ToString());
        return;
    }
    TImportCsvForm dialog(catalogue, import, *folder, &form);
    dialog.exec();
}

}  // namespace

void InstallTransferCommands(TMainForm& form, Catalogue& catalogue) {
    form.registerCommand("Exportcsv1", [&form, &catalogue] {
        Guarded([&] {
            TExportCsvForm dialog(catalogue, &form);
            dialog.exec();
        });
    });
    form.registerCommand("Importcsv1",
                         [&form, &catalogue] { Guarded([&] { ImportCsv(form, catalogue); }); });
    form.registerCommand("Importforeign1", [&form, &catalogue] {
        Guarded([&] {
            if (!RefuseWhileEditing(form, "Import from another program…"))
                ImportFromOtherProgram(catalogue, &form);
        });
    });
}
