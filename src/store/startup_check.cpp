#include "store/startup_check.h"

#include <string>

#include "base/feedback.h"
#include "base/ui.h"
#include "store/open_failure.h"
#include "store/percent_progress.h"
#include "store/table_error.h"

namespace {

// Index files, then the lookup items from the tracks and then from the main titles.
void BuildIndexesAndItems(Catalogue& catalogue) {
    BusyCursor busy;
    catalogue.dm2.MaakIndexen(
        catalogue.dm1, catalogue.dm3, PercentProgress([](int percent) {
            ShowStatus("Creating index files... " + std::to_string(percent) + "%");
        }));
    ShowStatus("Updating lookup items...");
    catalogue.dm1.UpdateItems(catalogue.dm3);
    catalogue.dm2.UpdateItems(catalogue.dm3);
    ShowStatus("");
}

void ShowCreating(const std::function<void()>& showCreatingLine) {
    if (showCreatingLine)
        showCreatingLine();
}

}  // namespace

StartupOutcome CheckDataFiles(Catalogue& catalogue, const std::function<void()>& showCreatingLine) {
    try {
        if (catalogue.HasFile("DATA1.DAT")) {
            if (catalogue.HasFile("DATA1.B01") || catalogue.HasFile("DATA2.B02")) {
                PlayWave("error.wav");
                CurrentUi().Message(MsgKind::Warning,
                                    "The BACKUP files are still here. Updating is not possible!");
                return StartupOutcome::Failed;
            }
            ShowCreating(showCreatingLine);
            {
                BusyCursor busy;
                catalogue.dm2.ImportOldFiles(catalogue.dm1);
            }
            BuildIndexesAndItems(catalogue);
            CurrentUi().Message(MsgKind::Information,
                                "Files are created. The program will be closed.");
            return StartupOutcome::EndProgram;
        }
        if (catalogue.HasFile("INDEX1.CDX")) {
            catalogue.OpenIndexes();
            return StartupOutcome::GoOn;
        }
        ShowCreating(showCreatingLine);
        BuildIndexesAndItems(catalogue);
        CurrentUi().Message(
            MsgKind::Information,
            "Files are created. The program will be closed! Restart the program after closing.");
        return StartupOutcome::EndProgram;
    } catch (const TableError& e) {
        // Not "Files are created": the user must learn which file failed and what mends it.
        ShowStatus("");
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error, OpenFailureMessage(e.status(), catalogue.folder()));
        return StartupOutcome::Failed;
    }
}
