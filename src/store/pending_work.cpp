#include "store/pending_work.h"

#include "base/ini.h"
#include "store/csv_import.h"
#include "store/folder_file.h"
#include "store/safety_restore.h"
#include "store/source_removal.h"
#include "store/source_renumbering.h"

namespace {

// What each operation keeps beside the tables while it runs: journal files, and notes in cd.ini's
// section Diversen.
constexpr const char* kJournals[] = {"renumber.journal"};
constexpr const char* kIniNotes[] = {"VerwijderBron", "CsvImport"};

}  // namespace

xbase::Status FinishPendingRestore(const std::string& folder,
                                   std::vector<RecoveryOutcome>* outcomes) {
    (void)outcomes;
    return FinishInterruptedRestore(folder);
}

std::vector<RecoveryOutcome> FinishPendingWork(Catalogue& catalogue) {
    std::vector<RecoveryOutcome> outcomes;
    if (FinishSourceRemoval(catalogue))
        outcomes.push_back(
            RecoveryOutcome::Finished("A source removal was cut short; it has been finished."));
    if (FinishRenumber(catalogue))
        outcomes.push_back(
            RecoveryOutcome::Finished("A renumber was cut short; it has been finished."));
    if (UndoUnfinishedCsvImport(catalogue))
        outcomes.push_back(RecoveryOutcome::TakenBack(
            "An import from CSV was cut short; what it had added has been taken back."));
    return outcomes;
}

std::vector<std::string> PendingWorkNotes(const std::string& folder) {
    std::vector<std::string> notes;
    if (RestoreIsPending(folder))
        notes.push_back("the safety copy being put back");
    for (const char* journal : kJournals) {
        if (FolderHasFile(folder, journal))
            notes.push_back(journal);
    }
    for (const char* key : kIniNotes) {
        const std::string value = IniReadString("Diversen", key, "");
        if (!value.empty() && value != kIniAbsent)
            notes.push_back(std::string("[Diversen] ") + key + " in cd.ini");
    }
    return notes;
}
