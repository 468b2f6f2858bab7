// Helpers shared by the tests: temporary folders that clean up after themselves, and a full
// disk.
#pragma once

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace testutil {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// While it lives, no file may be written at or beyond `bytes` (EFBIG, SIGXFSZ ignored): a
// growing write fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit old_{};
};

// Runs `work` in a child process with a mount table of its own, in which `folder` is a new,
// empty file system with room for `bytes` (a full disk), or with `bytes` 0 the same folder
// read-only. Gives what `work` returned, or nothing when this machine allows no mounts (the
// test is then skipped).
std::optional<std::string> InOwnMount(const std::string& folder, uint64_t bytes,
                                      const std::function<std::string()>& work);

}  // namespace testutil
