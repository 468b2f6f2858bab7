#include "store/safety_copy.h"

#include <time.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "base/clock.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "store/disk_room.h"
#include "store/durable_copy.h"

namespace fs = std::filesystem;
using xbase::Status;

namespace {

constexpr std::string_view kPartial = ".partial";
constexpr std::string_view kDeleting = ".deleting";
constexpr size_t kStampLength = 17;  // YYYY-MM-DD-HHMMSS

bool IsDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "YYYY-MM-DD-HHMMSS-what": the name of a complete copy; anything else in the folder (a hidden
// half copy, a file of the user's) is not one.
bool ParseName(const std::string& name, SafetyCopy* copy) {
    if (name.size() < kStampLength + 2 || name[kStampLength] != '-')
        return false;
    const std::string_view stamp(name.data(), kStampLength);
    if (!IsDigits(stamp.substr(0, 4)) || stamp[4] != '-' || !IsDigits(stamp.substr(5, 2)) ||
        stamp[7] != '-' || !IsDigits(stamp.substr(8, 2)) || stamp[10] != '-' ||
        !IsDigits(stamp.substr(11, 6)))
        return false;
    copy->date = std::string(stamp.substr(0, 10)) + " " + std::string(stamp.substr(11, 2)) + ":" +
                 std::string(stamp.substr(13, 2)) + ":" + std::string(stamp.substr(15, 2));
    copy->what = name.substr(kStampLength + 1);
    return true;
}

std::string Stamp() {
    const time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
    tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d-%H%M%S", &local);
    return text;
}

std::string CleanWhat(std::string_view what) {
    std::string clean;
    for (char c : what)
        clean += std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' ? c : '-';
    return clean.empty() ? "copy" : clean;
}

uint64_t FolderBytes(const fs::path& folder) {
    uint64_t bytes = 0;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        if (entry.is_regular_file(ec))
            bytes += entry.file_size(ec);
    }
    return bytes;
}

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Removes a folder so that it stops being listed at once, even if the removal is cut short.
void RemoveCopy(const fs::path& folder) {
    std::error_code ec;
    const fs::path hidden =
        folder.parent_path() / ("." + folder.filename().string() + std::string(kDeleting));
    fs::rename(folder, hidden, ec);
    fs::remove_all(ec ? folder : hidden, ec);
}

// Half copies and half removals that an earlier run left behind.
void RemoveLeftovers(const fs::path& copies) {
    std::error_code ec;
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(copies, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with('.') && (EndsWith(name, kPartial) || EndsWith(name, kDeleting)))
            found.push_back(entry.path());
    }
    for (const fs::path& path : found)
        fs::remove_all(path, ec);
}

void KeepMostRecent(const std::string& folder, const std::string& spare) {
    std::vector<SafetyCopy> copies = ListSafetyCopies(folder);
    size_t kept = 0;
    for (const SafetyCopy& copy : copies) {
        if (fs::path(copy.folder) == fs::path(spare))
            continue;
        if (++kept > kSafetyCopiesKept)
            RemoveCopy(copy.folder);
    }
}

}  // namespace

std::string SafetyCopiesFolder(const std::string& folder) {
    return (fs::path(folder) / "backup").string();
}

uint64_t CatalogueBytes(const std::string& folder) {
    uint64_t bytes = 0;
    std::error_code ec;
    for (const std::string& name : CatalogueFilesIn(folder))
        bytes += fs::file_size(fs::path(folder) / name, ec);
    return bytes;
}

std::vector<SafetyCopy> ListSafetyCopies(const std::string& folder) {
    std::vector<SafetyCopy> copies;
    std::error_code ec;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(SafetyCopiesFolder(folder), ec)) {
        SafetyCopy copy;
        if (!entry.is_directory(ec) || !ParseName(entry.path().filename().string(), &copy))
            continue;
        copy.folder = entry.path().string();
        copy.bytes = FolderBytes(entry.path());
        copies.push_back(std::move(copy));
    }
    // By the second in the name; two copies of one second (a restore keeps the present state
    // right after the user's copy) by the time their folders were completed.
    std::vector<std::pair<std::pair<std::string, fs::file_time_type>, size_t>> keys;
    for (size_t k = 0; k < copies.size(); ++k)
        keys.push_back({{fs::path(copies[k].folder).filename().string().substr(0, kStampLength),
                         fs::last_write_time(copies[k].folder, ec)},
                        k});
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a > b; });
    std::vector<SafetyCopy> sorted;
    for (const auto& key : keys)
        sorted.push_back(std::move(copies[key.second]));
    return sorted;
}

Status TakeSafetyCopyWith(const std::string& folder, std::string_view what, CopyProgress* progress,
                          std::string* copyFolder, const std::string& spare) {
    const std::vector<std::string> files = CatalogueFilesIn(folder);
    const uint64_t needed = CatalogueBytes(folder);
    const fs::path copies = SafetyCopiesFolder(folder);
    const uint64_t room = DiskRoom(folder);
    if (room < needed) {
        return Status::IOError(copies.string(),
                               "there is not enough room on the disk for a safety copy: it needs " +
                                   RoomText(needed) + ", and " + RoomText(room) + " are free");
    }
    std::error_code ec;
    const bool madeFolder = fs::create_directories(copies, ec);
    if (ec)
        return Status::IOError(copies.string(), "cannot create the folder: " + ec.message());
    // The copies hold cd.ini and its password: for the owner only (where the file system has
    // modes at all).
    fs::permissions(copies, fs::perms::owner_all, fs::perm_options::replace, ec);
    if (madeFolder)
        XB_RETURN_IF_ERROR(SyncFolder(folder));
    RemoveLeftovers(copies);

    const std::string base = Stamp() + "-" + CleanWhat(what);
    std::string name = base;
    for (int n = 2; fs::exists(copies / name, ec); ++n)
        name = base + "-" + std::to_string(n);
    const fs::path partial = copies / ("." + name + std::string(kPartial));
    fs::create_directory(partial, ec);
    if (ec)
        return Status::IOError(partial.string(), "cannot create the folder: " + ec.message());
    Status status;
    for (const std::string& file : files) {
        status = CopyFileDurably((fs::path(folder) / file).string(), (partial / file).string(),
                                 progress);
        if (!status.ok())
            break;
    }
    if (status.ok())
        status = SyncFolder(partial.string());
    if (status.ok()) {
        fs::rename(partial, copies / name, ec);
        if (ec)
            status = Status::IOError((copies / name).string(),
                                     "cannot complete the safety copy: " + ec.message());
    }
    if (status.ok())
        status = SyncFolder(copies.string());
    if (!status.ok()) {
        fs::remove_all(partial, ec);
        return status;
    }
    if (copyFolder)
        *copyFolder = (copies / name).string();
    KeepMostRecent(folder, spare);
    return Status::OK();
}

Status TakeSafetyCopyOf(const std::string& folder, std::string_view what,
                        const xbase::ProgressFn& progress, std::string* copyFolder) {
    CopyProgress counted{0, CatalogueBytes(folder), progress};
    return TakeSafetyCopyWith(folder, what, &counted, copyFolder, "");
}

std::string SafetyCopyFailure(const Status& status) {
    return "No safety copy could be made, so nothing was changed: " + status.message() + ".";
}

Status TakeSafetyCopy(const Catalogue& catalogue, std::string_view what,
                      const xbase::ProgressFn& progress, std::string* copyFolder) {
    return TakeSafetyCopyOf(catalogue.folder(), what, progress, copyFolder);
}
