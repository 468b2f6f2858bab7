// A file opened through POSIX descriptors: whole reads and writes at offsets, size, truncation,
// sync, and open-file-description locks. RAII: the descriptor closes with the object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/common/file_names.h"
#include "platform/xbase/status.h"

namespace xbase {

class File {
public:
    enum class Mode { kReadOnly, kReadWrite, kCreateNew, kCreateTruncate };

    static Status Open(const std::string& path, Mode mode, std::unique_ptr<File>* out);
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    const std::string& path() const { return path_; }
    bool writable() const { return writable_; }

    // Reads exactly n bytes at offset; Corruption ("unexpected end of file") when the file is
    // shorter.
    Status ReadAt(uint64_t offset, void* buf, size_t n) const;
    // Reads up to n bytes; *got tells how many.
    Status ReadSomeAt(uint64_t offset, void* buf, size_t n, size_t* got) const;
    Status WriteAt(uint64_t offset, const void* buf, size_t n);
    Status Size(uint64_t* size) const;
    Status Truncate(uint64_t size);
    Status Sync();

    // Byte-range locks held by this open file (not by the process), so that two File objects of
    // one process conflict like two processes do. Try* fail at once with Locked.
    enum class LockKind { kShared, kExclusive };
    Status TryLock(uint64_t start, uint64_t len, LockKind kind);
    Status Lock(uint64_t start, uint64_t len, LockKind kind);  // waits
    Status Unlock(uint64_t start, uint64_t len);
    // Whether another open file (of this process or another) holds a lock over the range.
    Status IsLockedElsewhere(uint64_t start, uint64_t len, bool* locked) const;

private:
    File(std::string path, int fd, bool writable)
        : path_(std::move(path)), fd_(fd), writable_(writable) {}
    std::string path_;
    int fd_;
    bool writable_;
};

// Whether the folder of `path` lets us create a file beside it (a folder can refuse that while
// its files stay writable).
bool CanCreateBeside(const std::string& path);

using tunelo::FileExistsNoCase;
using tunelo::ResolvePathNoCase;

}  // namespace xbase
