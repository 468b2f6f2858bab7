// One member of a zip archive, read as a stream of its bytes. Only what another program's data
// file needs: the central directory is searched for the member by name, and a stored or deflated
// member is inflated piece by piece. Every size and offset read from the file is checked against
// the file before use; the member's CRC and size are checked at its end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include <zlib.h>

#include "platform/common/status.h"

namespace foreign {

// True when the file starts as a zip archive does ("PK\3\4", or "PK\5\6" for an empty one).
bool LooksLikeZip(const std::string& path);

class ZipMember {
public:
    // A member may not inflate to more than this, whatever its header says.
    static constexpr uint64_t kDefaultLimit = uint64_t{1} << 30;

    ~ZipMember();
    ZipMember(const ZipMember&) = delete;
    ZipMember& operator=(const ZipMember&) = delete;

    // Opens `name` in the archive at `path`. Fails on a file that is not a zip archive, one cut
    // short, bad sizes or offsets, an encrypted or unknown kind of member, a member larger than
    // `limit`, and a member that is not there.
    static tunelo::Status Open(const std::string& path, std::string_view name,
                               std::unique_ptr<ZipMember>* member, uint64_t limit = kDefaultLimit);

    // The next piece of the member into `chunk`; at its end `chunk` is empty and `*end` true,
    // once the size and CRC have matched.
    tunelo::Status Read(std::string* chunk, bool* end);

    uint64_t size() const { return size_; }
    // Bytes of the archive read so far and its size, for a progress bar.
    uint64_t archiveDone() const { return finished_ ? archiveSize_ : archiveDone_; }
    uint64_t archiveSize() const { return archiveSize_; }

private:
    ZipMember() = default;
    tunelo::Status Fail(const std::string& what) const;
    tunelo::Status Finish();

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::string path_;
    std::string name_;
    bool deflated_ = false;
    bool inflating_ = false;
    bool finished_ = false;
    uint32_t crc_ = 0;
    uint32_t crcSeen_ = 0;
    uint64_t compressedLeft_ = 0;
    uint64_t size_ = 0;
    uint64_t produced_ = 0;
    uint64_t archiveDone_ = 0;
    uint64_t archiveSize_ = 0;
    std::string input_;
    z_stream zs_{};
};

}  // namespace foreign
