#include "platform/profile/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/profile/ini_text.h"

namespace profile {

namespace fs = std::filesystem;

namespace {

std::string ErrnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Closes the descriptor on every return path.
class FdCloser {
public:
    explicit FdCloser(int fd) : fd_(fd) {}
    ~FdCloser() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

// Where the new contents must go: the target of a symbolic link, else `path` itself.
std::string WriteTarget(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    std::error_code ec;
    fs::path target = fs::weakly_canonical(path, ec);
    return ec ? path : target.string();
}

}  // namespace

Status ReadProfileFile(const std::string& path, std::string* bytes, bool* exists) {
    bytes->clear();
    *exists = false;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return Status::OK();
        return Status::IOError(path, ErrnoText("cannot open"));
    }
    FdCloser closer(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return Status::IOError(path, ErrnoText("cannot examine"));
    if (!S_ISREG(st.st_mode))
        return Status::IOError(path, "not a regular file");
    *exists = true;
    // The size from fstat is only a hint: the file may grow while it is read, so the limit is
    // checked on what is actually read.
    char buffer[16384];
    while (true) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status::IOError(path, ErrnoText("cannot read"));
        }
        if (n == 0)
            break;
        if (bytes->size() + static_cast<size_t>(n) > kMaxProfileFileSize) {
            bytes->clear();
            return Status::IOError(path, "larger than a settings file can be");
        }
        bytes->append(buffer, static_cast<size_t>(n));
    }
    return Status::OK();
}

Status ReplaceProfileFile(const std::string& path, std::string_view bytes, bool ownerOnly) {
    const std::string target = WriteTarget(path);
    const std::string folder = FolderOf(target);
    const std::string temp = (fs::path(folder) / ("." + fs::path(target).filename().string() + "." +
                                                  std::to_string(::getpid()) + ".tmp"))
                                 .string();

    struct stat old;
    bool had_old = ::stat(target.c_str(), &old) == 0;
    if (had_old && !S_ISREG(old.st_mode))
        return Status::IOError(target, "not a regular file");
    // The rename would replace a file the user made read-only; its mode is theirs to respect.
    // The mode bits count even for a process that access() would let write anyway.
    if (had_old && ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        return Status::IOError(target, "read-only: the file cannot be changed");

    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW,
                    ownerOnly ? 0600 : 0666);
    if (fd < 0) {
        if (errno == EACCES || errno == EROFS || errno == EPERM)
            return Status::IOError(target,
                                   "read-only: the folder " + folder + " cannot be changed");
        return Status::IOError(temp, ErrnoText("cannot create temporary file"));
    }
    FdCloser closer(fd);
    auto fail = [&](std::string message) {
        ::unlink(temp.c_str());
        return Status::IOError(target, std::move(message));
    };
    if (had_old || ownerOnly) {
        const mode_t mode = ownerOnly ? 0600 : (old.st_mode & 07777);
        if (::fchmod(fd, mode) != 0)
            return fail(ErrnoText("cannot copy permissions"));
    }
    if (had_old) {
        // Only possible for a privileged process; a plain user keeps the file as their own.
        int ignored = ::fchown(fd, old.st_uid, old.st_gid);
        (void)ignored;
    }
    if (!WriteAll(fd, bytes))
        return fail(ErrnoText("cannot write temporary file"));
    if (::fsync(fd) != 0)
        return fail(ErrnoText("cannot flush temporary file"));
    if (!closer.Close())
        return fail(ErrnoText("cannot close temporary file"));
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return fail(ErrnoText("cannot replace file"));

    // The rename is only durable once the folder itself is on disk.
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0)
        return Status::IOError(folder, ErrnoText("cannot open folder to flush it"));
    FdCloser dir_closer(dir);
    // Some file systems cannot flush a folder at all (EINVAL); the rename is all they offer.
    if (::fsync(dir) != 0 && errno != EINVAL)
        return Status::IOError(folder, ErrnoText("cannot flush folder"));
    return Status::OK();
}

}  // namespace profile
