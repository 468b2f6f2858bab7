#include "store/safety_restore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "store/disk_room.h"
#include "store/durable_copy.h"
#include "store/folder_file.h"

namespace fs = std::filesystem;
using xbase::Status;

namespace {

constexpr std::string_view kTempEnd = ".tunelo-restore";
constexpr const char* kMarker = "tunelo-restore.pending";

std::string Marker(const std::string& folder) {
    return (fs::path(folder) / kMarker).string();
}

// The restore's temporary files in `folder` and the names they go to.
std::vector<std::pair<fs::path, fs::path>> TempFiles(const std::string& folder) {
    std::vector<std::pair<fs::path, fs::path>> temps;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > kTempEnd.size() && name.ends_with(kTempEnd))
            temps.emplace_back(entry.path(), entry.path().parent_path() /
                                                 name.substr(0, name.size() - kTempEnd.size()));
    }
    return temps;
}

// The marker names the copy ("2026-12-06 22:30:15 optimize"), so that a start that finishes the
// restore can say which copy went in.
Status CreateMarker(const std::string& folder, const SafetyCopy& copy) {
    const std::string marker = Marker(folder);
    const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::IOError(marker, "cannot create the file");
    const std::string text = copy.date + " " + copy.what + "\n";
    const bool synced =
        ::write(fd, text.data(), text.size()) == ssize_t(text.size()) && ::fsync(fd) == 0;
    ::close(fd);
    if (!synced)
        return Status::IOError(marker, "cannot sync the file");
    return SyncFolder(folder);
}

// A file put back keeps the mode of the file it replaces, so that a copy taken before copies
// kept modes does not make cd.ini, which holds the password, readable to all.
void KeepMode(const std::string& present, const std::string& temp) {
    struct stat status;
    if (::stat(present.c_str(), &status) == 0)
        ::chmod(temp.c_str(), status.st_mode & 07777);
}

Status CheckRoom(const std::string& folder, const SafetyCopy& copy) {
    if (const std::vector<std::string> missing = MissingCatalogueTables(copy.folder);
        !missing.empty()) {
        return Status::Corruption(copy.folder, "the safety copy lacks " + missing.front());
    }
    const uint64_t needed = CatalogueBytes(folder) + CatalogueBytes(copy.folder);
    const uint64_t room = DiskRoom(folder);
    if (room < needed) {
        return Status::IOError(folder,
                               "there is not enough room on the disk to put the copy back: "
                               "it needs " +
                                   RoomText(needed) + ", and " + RoomText(room) + " are free");
    }
    return Status::OK();
}

// "the safety copy of 2026-12-06 22:30:15 (taken for optimize)", as far as the marker says.
std::string CopyNamed(const std::string& folder) {
    std::ifstream in(Marker(folder), std::ios::binary);
    std::string line;
    std::getline(in, line);
    constexpr size_t date = 19;  // "2026-12-06 22:30:15"
    if (line.size() <= date + 1 || line[date] != ' ')
        return "a safety copy";
    return "the safety copy of " + line.substr(0, date) + " (taken for " + line.substr(date + 1) +
           ")";
}

}  // namespace

Status FinishInterruptedRestore(const std::string& folder, RecoveryOutcome* outcome) {
    const bool committed = fs::exists(Marker(folder));
    const std::vector<std::pair<fs::path, fs::path>> temps = TempFiles(folder);
    if (outcome != nullptr && committed) {
        *outcome = RecoveryOutcome::Finished(
            "Putting back " + CopyNamed(folder) +
            " was cut short. It has been finished: the catalogue holds the copy's files. The "
            "files as they were before are kept as the safety copy \"before-restore\".");
    } else if (outcome != nullptr && !temps.empty()) {
        *outcome = RecoveryOutcome::TakenBack(
            "Putting back a safety copy was cut short before all its files were written. It has "
            "been taken back: the catalogue is as it was before.");
    }
    std::error_code ec;
    for (const auto& [temp, target] : temps) {
        if (committed)
            fs::rename(temp, target, ec);
        else
            fs::remove(temp, ec);
        if (ec)
            return Status::IOError(target.string(),
                                   "cannot put the restored file in place: " + ec.message());
    }
    if (!committed)
        return Status::OK();
    XB_RETURN_IF_ERROR(SyncFolder(folder));
    fs::remove(Marker(folder), ec);
    if (ec)
        return Status::IOError(Marker(folder), "cannot remove the file: " + ec.message());
    return SyncFolder(folder);
}

bool RestoreIsPending(const std::string& folder) {
    return fs::exists(Marker(folder)) || !TempFiles(folder).empty();
}

Status RestoreSafetyCopy(const std::string& folder, const SafetyCopy& copy,
                         const xbase::ProgressFn& progress) {
    XB_RETURN_IF_ERROR(CheckRoom(folder, copy));
    XB_RETURN_IF_ERROR(FinishInterruptedRestore(folder));  // no stale temporary file goes in
    CopyProgress counted{0, CatalogueBytes(folder) + CatalogueBytes(copy.folder), progress};
    XB_RETURN_IF_ERROR(
        TakeSafetyCopyWith(folder, "before-restore", &counted, nullptr, copy.folder));
    for (const std::string& name : CatalogueFilesIn(copy.folder)) {
        const std::string temp = FolderFile(folder, name) + std::string(kTempEnd);
        const Status copied =
            CopyFileDurably((fs::path(copy.folder) / name).string(), temp, &counted);
        if (copied.ok())
            KeepMode(FolderFile(folder, name), temp);
        if (!copied.ok()) {
            FinishInterruptedRestore(folder);  // not committed: removes what was written
            return copied;
        }
    }
    XB_RETURN_IF_ERROR(SyncFolder(folder));
    XB_RETURN_IF_ERROR(CreateMarker(folder, copy));
    return FinishInterruptedRestore(folder);
}

Status RestoreSafetyCopy(Catalogue& catalogue, const SafetyCopy& copy,
                         const xbase::ProgressFn& progress, bool* closed) {
    *closed = false;
    XB_RETURN_IF_ERROR(CheckRoom(catalogue.folder(), copy));
    for (TTable* table :
         {&catalogue.dm1.ArtTable, &catalogue.dm2.HfTable, &catalogue.dm3.ItemsTable,
          &catalogue.dm3.UitleenTable, &catalogue.dm3.PlaylistTable})
        table->Close();
    *closed = true;
    return RestoreSafetyCopy(catalogue.folder(), copy, progress);
}
