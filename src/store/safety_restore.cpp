#include "store/safety_restore.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
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

Status CreateMarker(const std::string& folder) {
    const std::string marker = Marker(folder);
    const int fd = ::open(marker.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return Status::IOError(marker, "cannot create the file");
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    if (!synced)
        return Status::IOError(marker, "cannot sync the file");
    return SyncFolder(folder);
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

}  // namespace

Status FinishInterruptedRestore(const std::string& folder) {
    const bool committed = fs::exists(Marker(folder));
    std::error_code ec;
    for (const auto& [temp, target] : TempFiles(folder)) {
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
        if (!copied.ok()) {
            FinishInterruptedRestore(folder);  // not committed: removes what was written
            return copied;
        }
    }
    XB_RETURN_IF_ERROR(SyncFolder(folder));
    XB_RETURN_IF_ERROR(CreateMarker(folder));
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
