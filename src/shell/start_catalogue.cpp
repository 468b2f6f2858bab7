#include "shell/start_catalogue.h"

#include <filesystem>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/install_paths.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "store/catalogue_lock.h"
#include "store/open_failure.h"
#include "store/pending_work.h"

namespace {

std::string JoinLines(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) {
        text += "\n    " + name;
    }
    return text;
}

}  // namespace

StartFolder::StartFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    if (folder.empty())
        return;
    std::error_code ignored;  // a folder that cannot be made is reported when it is opened
    for (fs::path missing = fs::absolute(folder, ignored).lexically_normal();
         !missing.empty() && !fs::exists(missing, ignored) && missing != missing.parent_path();
         missing = missing.parent_path()) {
        if (missing.has_filename())
            made_.push_back(missing.string());
    }
    fs::create_directories(folder, ignored);
}

StartFolder::~StartFolder() {
    std::error_code ignored;
    for (const std::string& folder : made_) {  // the deepest first
        if (!std::filesystem::is_empty(folder, ignored) || ignored ||
            !std::filesystem::remove(folder, ignored))
            break;
    }
}

std::unique_ptr<CatalogueLock> LockCatalogue(const std::string& folder) {
    std::unique_ptr<CatalogueLock> lock;
    const xbase::Status locked = CatalogueLock::Acquire(folder, &lock);
    if (locked.ok())
        return lock;
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Error,
                        locked.IsLocked()
                            ? "The catalogue in " + folder +
                                  " is already open in another window of the program.\nUse "
                                  "that window, or close it and start again."
                            : "The folder " + folder + " cannot be opened.\n" + locked.ToString());
    return nullptr;
}

std::unique_ptr<Catalogue> OpenCatalogue(const std::string& folder, bool createWithoutAsking) {
    Ui& ui = CurrentUi();
    // A safety copy that was being put back when the last run ended goes in (or out) whole
    // before anything reads the tables.
    std::vector<RecoveryOutcome> restored;
    if (const xbase::Status status = FinishPendingRestore(folder, &restored); !status.ok()) {
        PlayWave("error.wav");
        const std::string text = "The safety copy that was being put back could not be completed.";
        ui.Message(MsgKind::Error, text + "\n" + status.ToString());
        return nullptr;
    }
    for (const RecoveryOutcome& outcome : restored)
        ui.Message(MsgKind::Information, outcome.message);
    if (HasNoCatalogue(folder)) {
        if (const auto present = CatalogueFilesIn(folder); !present.empty()) {
            PlayWave("error.wav");
            ui.Message(MsgKind::Error,
                       "There are no tables in " + folder +
                           ", but it holds these files of a catalogue:" + JoinLines(present) +
                           "\nA new catalogue would replace them, so none was made. Put the "
                           "tables back from your backup, or move these files away, and start "
                           "again.");
            return nullptr;
        }
        if (!createWithoutAsking &&
            ui.Message(MsgKind::Confirmation,
                       "There is no catalogue in " + folder +
                           ".\nDo you want to create a new, empty catalogue there?",
                       MsgButtons::YesNo) != MsgAnswer::Yes) {
            ui.Message(MsgKind::Information,
                       "No catalogue was created in " + folder +
                           ", so the program ends. Start it on the folder of your catalogue.");
            return nullptr;
        }
        const xbase::Status made = CreateCatalogueFromTemplate(TemplateFolder(), folder);
        if (!made.ok()) {
            ui.Message(MsgKind::Error,
                       "The new catalogue could not be created.\n" + made.ToString());
            return nullptr;
        }
    } else if (const auto missing = MissingCatalogueTables(folder); !missing.empty()) {
        PlayWave("error.wav");
        ui.Message(MsgKind::Error,
                   "The catalogue in " + folder + " is incomplete. These table files are missing:" +
                       JoinLines(missing) + "\nRestore them from your backup and start again.");
        return nullptr;
    }
    std::unique_ptr<Catalogue> catalogue;
    const xbase::Status opened = Catalogue::Open(folder, &catalogue);
    if (!opened.ok()) {
        PlayWave("error.wav");
        ui.Message(MsgKind::Error, OpenFailureMessage(opened, folder));
        return nullptr;
    }
    return catalogue;
}
