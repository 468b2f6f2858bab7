#include "store/durable_copy.h"

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

using xbase::Status;

namespace {

// Descriptors closed with the object: the copy has several ways out.
struct Descriptors {
    int in = -1;
    int out = -1;
    ~Descriptors() {
        if (in >= 0)
            ::close(in);
        if (out >= 0)
            ::close(out);
    }
};

Status Errno(const std::string& file, const std::string& what, int error = errno) {
    return Status::IOError(file, what + ": " + std::strerror(error));
}

void Advance(CopyProgress* progress, uint64_t bytes) {
    progress->done += bytes;
    if (progress->report)
        progress->report(progress->done, progress->total);
}

// The kernel copies the pages itself (never sharing them, unlike a reflink); file systems that
// cannot do that get the bytes through a buffer.
Status CopyBytes(int in, const std::string& from, int out, const std::string& to,
                 CopyProgress* progress) {
    constexpr size_t kChunk = 8 << 20;
    for (;;) {
        const ssize_t sent = ::sendfile(out, in, nullptr, kChunk);
        if (sent > 0) {
            Advance(progress, uint64_t(sent));
            continue;
        }
        if (sent == 0)
            return Status::OK();
        if (errno == EINTR)
            continue;
        if (errno != EINVAL && errno != ENOSYS)
            return Errno(to, "cannot copy " + from);
        break;
    }
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Errno(from, "cannot read");
        if (got == 0)
            return Status::OK();
        for (ssize_t put = 0; put < got;) {
            const ssize_t n = ::write(out, buffer.data() + put, size_t(got - put));
            if (n < 0 && errno != EINTR)
                return Errno(to, "cannot write");
            put += n > 0 ? n : 0;
        }
        Advance(progress, uint64_t(got));
    }
}

}  // namespace

Status CopyFileDurably(const std::string& from, const std::string& to, CopyProgress* progress) {
    Descriptors fd;
    fd.in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd.in < 0)
        return Errno(from, "cannot open");
    struct stat source;
    if (::fstat(fd.in, &source) != 0)
        return Errno(from, "cannot read");
    // Created private, then given the source's own mode: cd.ini holds the password. A file
    // system without modes keeps the copy as it made it.
    fd.out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd.out < 0)
        return Errno(to, "cannot create");
    ::fchmod(fd.out, source.st_mode & 07777);
    Status status = CopyBytes(fd.in, from, fd.out, to, progress);
    if (status.ok() && ::fsync(fd.out) != 0)
        status = Errno(to, "cannot sync");
    if (status.ok() && ::close(std::exchange(fd.out, -1)) != 0)
        status = Errno(to, "cannot close");
    if (!status.ok())
        ::unlink(to.c_str());
    return status;
}

Status SyncFolder(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return Errno(folder, "cannot open the folder");
    const bool synced = ::fsync(dir) == 0;
    const int error = errno;
    ::close(dir);
    if (!synced)
        return Errno(folder, "cannot sync the folder", error);
    return Status::OK();
}
