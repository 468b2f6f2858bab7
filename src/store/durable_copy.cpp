#include "store/durable_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/xbase/file.h"

using xbase::File;
using xbase::Status;

namespace {

Status CopyBytes(const File& in, File& out, CopyProgress* progress) {
    constexpr size_t kChunk = 1 << 20;
    std::vector<char> buffer(kChunk);
    for (uint64_t offset = 0;;) {
        size_t got = 0;
        XB_RETURN_IF_ERROR(in.ReadSomeAt(offset, buffer.data(), kChunk, &got));
        if (got == 0)
            return Status::OK();
        XB_RETURN_IF_ERROR(out.WriteAt(offset, buffer.data(), got));
        offset += got;
        progress->done += got;
        if (progress->report)
            progress->report(progress->done, progress->total);
    }
}

}  // namespace

Status CopyFileDurably(const std::string& from, const std::string& to, CopyProgress* progress) {
    std::unique_ptr<File> in;
    XB_RETURN_IF_ERROR(File::Open(from, File::Mode::kReadOnly, &in));
    Status status;
    {
        std::unique_ptr<File> out;
        status = File::Open(to, File::Mode::kCreateTruncate, &out);
        if (status.ok())
            status = CopyBytes(*in, *out, progress);
        if (status.ok())
            status = out->Sync();
    }
    if (!status.ok())
        ::unlink(to.c_str());
    return status;
}

Status SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return Status::IOError(folder,
                               std::string("cannot open the folder: ") + std::strerror(errno));
    const bool synced = ::fsync(dir) == 0;
    const int error = errno;
    ::close(dir);
    if (!synced)
        return Status::IOError(folder,
                               std::string("cannot sync the folder: ") + std::strerror(error));
    return Status::OK();
}
