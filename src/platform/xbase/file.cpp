#include "platform/xbase/file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace xbase {

namespace {

Status Errno(const std::string& path, const char* what) {
    return Status::IOError(path, std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

Status File::Open(const std::string& path, Mode mode, std::unique_ptr<File>* out) {
    int flags = O_CLOEXEC;
    switch (mode) {
        case Mode::kReadOnly:
            flags |= O_RDONLY;
            break;
        case Mode::kReadWrite:
            flags |= O_RDWR;
            break;
        case Mode::kCreateNew:
            flags |= O_RDWR | O_CREAT | O_EXCL;
            break;
        case Mode::kCreateTruncate:
            flags |= O_RDWR | O_CREAT | O_TRUNC;
            break;
    }
    int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) {
        if (errno == ENOENT)
            return Status::NotFound(path, "no such file");
        if (errno == EEXIST)
            return Status::InvalidArgument(path, "file already exists");
        return Errno(path, "cannot open");
    }
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return Status::InvalidArgument(path, "is a directory");
    }
    out->reset(new File(path, fd, mode != Mode::kReadOnly));
    return Status::OK();
}

File::~File() {
    ::close(fd_);
}

Status File::ReadSomeAt(uint64_t offset, void* buf, size_t n, size_t* got) const {
    size_t done = 0;
    auto* p = static_cast<uint8_t*>(buf);
    while (done < n) {
        ssize_t r = ::pread(fd_, p + done, n - done, off_t(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return Errno(path_, "read failed");
        }
        if (r == 0)
            break;
        done += size_t(r);
    }
    *got = done;
    return Status::OK();
}

Status File::ReadAt(uint64_t offset, void* buf, size_t n) const {
    size_t got = 0;
    XB_RETURN_IF_ERROR(ReadSomeAt(offset, buf, n, &got));
    if (got != n) {
        return Status::Corruption(
            path_, "unexpected end of file at offset " + std::to_string(offset + got));
    }
    return Status::OK();
}

Status File::WriteAt(uint64_t offset, const void* buf, size_t n) {
    size_t done = 0;
    const auto* p = static_cast<const uint8_t*>(buf);
    while (done < n) {
        ssize_t r = ::pwrite(fd_, p + done, n - done, off_t(offset + done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return Errno(path_, "write failed");
        }
        done += size_t(r);
    }
    return Status::OK();
}

Status File::Size(uint64_t* size) const {
    struct stat st;
    if (::fstat(fd_, &st) != 0)
        return Errno(path_, "cannot stat");
    *size = uint64_t(st.st_size);
    return Status::OK();
}

Status File::Truncate(uint64_t size) {
    if (::ftruncate(fd_, off_t(size)) != 0)
        return Errno(path_, "cannot truncate");
    return Status::OK();
}

Status File::Sync() {
    if (::fdatasync(fd_) != 0)
        return Errno(path_, "cannot sync");
    return Status::OK();
}

namespace {

int LockCommand(int fd, int cmd, short type, uint64_t start, uint64_t len) {
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(start);
    fl.l_len = off_t(len);
    int r;
    do {
        r = ::fcntl(fd, cmd, &fl);
    } while (r != 0 && errno == EINTR && cmd == F_OFD_SETLKW);
    return r;
}

}  // namespace

Status File::TryLock(uint64_t start, uint64_t len, LockKind kind) {
    short type = kind == LockKind::kShared ? F_RDLCK : F_WRLCK;
    if (LockCommand(fd_, F_OFD_SETLK, type, start, len) != 0) {
        if (errno == EAGAIN || errno == EACCES)
            return Status::Locked(path_, "the file is in use by another program");
        return Errno(path_, "cannot lock");
    }
    return Status::OK();
}

Status File::Lock(uint64_t start, uint64_t len, LockKind kind) {
    short type = kind == LockKind::kShared ? F_RDLCK : F_WRLCK;
    if (LockCommand(fd_, F_OFD_SETLKW, type, start, len) != 0)
        return Errno(path_, "cannot lock");
    return Status::OK();
}

Status File::Unlock(uint64_t start, uint64_t len) {
    if (LockCommand(fd_, F_OFD_SETLK, F_UNLCK, start, len) != 0)
        return Errno(path_, "cannot unlock");
    return Status::OK();
}

Status File::IsLockedElsewhere(uint64_t start, uint64_t len, bool* locked) const {
    struct flock fl;
    std::memset(&fl, 0, sizeof fl);
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = off_t(start);
    fl.l_len = off_t(len);
    if (::fcntl(fd_, F_OFD_GETLK, &fl) != 0)
        return Errno(path_, "cannot test a lock");
    *locked = fl.l_type != F_UNLCK;
    return Status::OK();
}

bool CanCreateBeside(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

}  // namespace xbase
