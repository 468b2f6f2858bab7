#include "store/pending_work.h"

#include "base/ini.h"
#include "store/catalogue_mend.h"
#include "store/csv_import.h"
#include "store/csv_import_note.h"
#include "store/folder_file.h"
#include "store/replace_journal.h"
#include "store/safety_restore.h"
#include "store/source_removal.h"
#include "store/source_renumbering.h"

namespace {

// What each operation keeps beside the tables while it runs: journal files, and notes in cd.ini's
// section Diversen.
constexpr const char* kJournals[] = {"renumber.journal", "replace.journal", "replace.journal.part",
                                     "mend.journal"};
constexpr const char* kIniNotes[] = {"VerwijderBron", "CsvImport"};

}  // namespace

std::string SetNoteAside(const char* key, const char* refusedKey, const std::string& value) {
    if (IniWriteString("Diversen", refusedKey, value) && IniWriteString("Diversen", key, ""))
        return std::string("The note has been moved to [Diversen] ") + refusedKey + ". ";
    return "The note could not be moved aside and stays; this is said again at the next start. ";
}

xbase::Status FinishPendingRestore(const std::string& folder,
                                   std::vector<RecoveryOutcome>* outcomes) {
    RecoveryOutcome restore;
    const xbase::Status status = FinishInterruptedRestore(folder, &restore);
    if (restore.acted() && status.ok())
        outcomes->push_back(std::move(restore));
    return status;
}

std::vector<RecoveryOutcome> FinishPendingWork(Catalogue& catalogue) {
    std::vector<RecoveryOutcome> outcomes;
    if (RecoveryOutcome removal = FinishSourceRemoval(catalogue); removal.acted())
        outcomes.push_back(std::move(removal));
    if (RecoveryOutcome renumber = FinishRenumber(catalogue); renumber.acted())
        outcomes.push_back(std::move(renumber));
    if (RecoveryOutcome replace = FinishReplace(catalogue); replace.acted())
        outcomes.push_back(std::move(replace));
    if (RecoveryOutcome mend = TakeBackMend(catalogue); mend.acted())
        outcomes.push_back(std::move(mend));
    if (RecoveryOutcome import = UndoUnfinishedCsvImport(catalogue); import.acted())
        outcomes.push_back(std::move(import));
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
