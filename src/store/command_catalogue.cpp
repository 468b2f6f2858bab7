#include "store/command_catalogue.h"

#include <unistd.h>

#include <filesystem>

#include "store/catalogue_folder.h"
#include "store/open_failure.h"
#include "store/pending_work.h"
#include "store/table_error.h"

namespace {

// A folder whose files, or the folder itself, we may not write: an archived catalogue.
bool Writable(const std::string& folder) {
    if (::access(folder.c_str(), W_OK) != 0)
        return false;
    for (const std::string& name : CatalogueFilesIn(folder)) {
        if (::access((std::filesystem::path(folder) / name).c_str(), W_OK) != 0)
            return false;
    }
    return true;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

bool AnyRefused(const std::vector<RecoveryOutcome>& outcomes) {
    for (const RecoveryOutcome& outcome : outcomes) {
        if (outcome.kind == RecoveryOutcome::Kind::Refused)
            return true;
    }
    return false;
}

void Tell(const std::vector<RecoveryOutcome>& outcomes, std::ostream& messages) {
    for (const RecoveryOutcome& outcome : outcomes)
        messages << outcome.message << "\n";
}

}  // namespace

CommandCatalogue OpenCatalogueForCommand(const std::string& folder, CommandUse use,
                                         std::ostream& messages,
                                         const std::string& templateFolder) {
    CommandCatalogue opened;
    const xbase::Status locked = CatalogueLock::Acquire(folder, &opened.lock);
    if (!locked.ok() && (use == CommandUse::Write || !locked.IsLocked())) {
        messages << (locked.IsLocked() ? "The catalogue in " + folder +
                                             " is open in the program; close it and try again."
                                       : locked.ToString())
                 << "\n";
        return opened;
    }
    // Only the holder of the lock may finish what another run left, and only where it can write.
    const bool readOnly = use == CommandUse::Read && !Writable(folder);
    const bool finishes = opened.lock != nullptr && !readOnly;
    if (!finishes) {
        if (const std::vector<std::string> notes = PendingWorkNotes(folder); !notes.empty()) {
            messages << "The catalogue in " << folder << " holds work that was not finished ("
                     << Joined(notes) << "). "
                     << (readOnly ? "Its folder is read-only, so it cannot be finished here: start "
                                    "the program once on a copy that can be written."
                                  : "Another copy of the program is working on it: try again "
                                    "when that is done.")
                     << " Nothing was read.\n";
            return opened;
        }
    }
    std::vector<RecoveryOutcome> outcomes;
    if (finishes) {
        if (const xbase::Status status = FinishPendingRestore(folder, &outcomes); !status.ok()) {
            messages << "The safety copy that was being put back could not be completed.\n"
                     << status.ToString() << "\n";
            return opened;
        }
    }
    // Under the lock, so that no other run makes one at the same time.
    if (use == CommandUse::Write && !templateFolder.empty() && HasNoCatalogue(folder) &&
        CatalogueFilesIn(folder).empty()) {
        if (const xbase::Status made = CreateCatalogueFromTemplate(templateFolder, folder);
            !made.ok()) {
            messages << "The new catalogue could not be created.\n" << made.ToString() << "\n";
            return opened;
        }
        messages << "A new, empty catalogue was made in " << folder << ".\n";
    }
    std::unique_ptr<Catalogue> catalogue;
    xbase::Status status = Catalogue::Open(
        folder, &catalogue, readOnly ? Catalogue::Access::ReadOnly : Catalogue::Access::ReadWrite);
    try {
        if (status.ok())
            catalogue->OpenIndexes();
        if (status.ok() && finishes) {
            const std::vector<RecoveryOutcome> more = FinishPendingWork(*catalogue);
            outcomes.insert(outcomes.end(), more.begin(), more.end());
        }
    } catch (const TableError& error) {
        status = error.status();
    }
    Tell(outcomes, messages);
    if (!status.ok()) {
        messages << OpenFailureMessage(status, folder) << "\n";
        return opened;
    }
    if (AnyRefused(outcomes)) {
        messages
            << "Unfinished work of an earlier run could not be finished, so nothing was done.\n";
        return opened;
    }
    opened.catalogue = std::move(catalogue);
    return opened;
}
