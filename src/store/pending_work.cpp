#include "store/pending_work.h"

#include "store/csv_import.h"
#include "store/replace_journal.h"
#include "store/safety_restore.h"
#include "store/source_removal.h"
#include "store/source_renumbering.h"

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
    if (UndoUnfinishedCsvImport(catalogue))
        outcomes.push_back(RecoveryOutcome::TakenBack(
            "An import from CSV was cut short; what it had added has been taken back."));
    return outcomes;
}
