#include "platform/report/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "platform/common/file_names.h"

namespace report {

namespace {

namespace fs = std::filesystem;
using tunelo::Status;

// A link is followed, so that the file it names is replaced rather than the link.
std::string Resolved(const std::string& path) {
    std::error_code ec;
    if (fs::is_symlink(path, ec)) {
        const fs::path real = fs::canonical(path, ec);
        if (!ec)
            return real.string();
    }
    return fs::absolute(path, ec).string();
}

std::string HiddenName(const fs::path& target) {
    static std::mt19937 random{std::random_device{}()};
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, "%08x", unsigned(random()));
    return (target.parent_path() / ("." + target.filename().string() + "." + suffix + ".part"))
        .string();
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(Resolved(target)) {}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_ && !temp_.empty())
        ::unlink(temp_.c_str());
}

Status ReplacingFile::Failed(int error, const std::string& what) const {
    switch (error) {
        case ENOSPC:
        case EDQUOT:
            return Status::IOError(target_, "no space left on the disk");
        case EROFS:
            return Status::IOError(target_, "the folder is read-only");
        case EACCES:
        case EPERM:
            return Status::IOError(target_, "the folder is not writable");
        case ENOENT:
        case ENOTDIR:
            return Status::NotFound(target_, "no such folder");
        default:
            return Status::IOError(target_, what + ": " + std::strerror(error));
    }
}

Status ReplacingFile::Refusal(const std::vector<std::string>& kept) const {
    std::error_code ec;
    const fs::path folder = fs::path(target_).parent_path();
    if (!fs::is_directory(folder, ec))
        return Status::NotFound(target_, "no such folder");
    const fs::file_status status = fs::status(target_, ec);
    if (fs::is_directory(status))
        return Status::InvalidArgument(target_, "is a folder");
    // The catalogue finds its files in any letter case, so another spelling would be taken for
    // one of them.
    const std::string sameName = tunelo::ResolvePathNoCase(target_);
    for (const std::string& file : kept) {
        if (fs::equivalent(sameName, file, ec))
            return Status::InvalidArgument(
                target_, "is a file of the catalogue: choose another name for the report");
    }
    if (!fs::exists(status))
        return Status::OK();
    if ((status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                 fs::perms::others_write)) == fs::perms::none)
        return Status::InvalidArgument(target_, "the file is read-only, so it was left as it is");
    return Status::OK();
}

Status ReplacingFile::Create(const std::vector<std::string>& kept) {
    if (Status refused = Refusal(kept); !refused.ok())
        return refused;
    for (int attempt = 0; fd_ < 0; ++attempt) {
        temp_ = HiddenName(target_);
        fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            const int error = errno;
            temp_.clear();
            if (error != EEXIST || attempt > 100)
                return Failed(error, "cannot create a file beside it");
        }
    }
    struct stat old;
    if (::stat(target_.c_str(), &old) == 0)
        ::fchmod(fd_, old.st_mode & 07777);  // the replacement keeps who may read it
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return Status::OK();
}

Status ReplacingFile::writeStatus() const {
    return writeError_ == 0 ? Status::OK() : Failed(writeError_, "cannot write");
}

Status ReplacingFile::Commit(const std::vector<std::string>& kept) {
    if (Status failed = writeStatus(); !failed.ok())
        return failed;
    QIODevice::close();
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        fd_ = -1;
        return Failed(errno, "cannot put it on the disk");
    }
    fd_ = -1;
    if (Status refused = Refusal(kept); !refused.ok())
        return refused;
    if (::rename(temp_.c_str(), target_.c_str()) != 0)
        return Failed(errno, "cannot replace it");
    committed_ = true;
    const int dir = ::open(fs::path(target_).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Status::OK();
}

qint64 ReplacingFile::readData(char*, qint64) {
    return -1;
}

qint64 ReplacingFile::writeData(const char* data, qint64 size) {
    if (writeError_ != 0)
        return -1;
    for (qint64 done = 0; done < size;) {
        const ssize_t n = ::write(fd_, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            writeError_ = n < 0 ? errno : ENOSPC;
            return -1;
        }
        done += n;
    }
    return size;
}

}  // namespace report
