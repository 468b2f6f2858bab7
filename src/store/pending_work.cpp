#include "store/pending_work.h"

#include "store/csv_import_note.h"
#include "store/safety_restore.h"
#include "store/source_removal.h"
#include "store/source_renumbering.h"

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
    if (RecoveryOutcome import = UndoUnfinishedCsvImport(catalogue); import.acted())
        outcomes.push_back(std::move(import));
    return outcomes;
}
