#include "store/catalogue_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

using xbase::Status;

Status CatalogueLock::Acquire(const std::string& folder, std::unique_ptr<CatalogueLock>* out) {
    // Close-on-exec: a program started from ours (the backup program) must not keep the lock.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return Status::IOError(folder, std::strerror(errno));
    int r;
    do {
        r = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK)
            return Status::Locked(folder, "the catalogue is open in another program");
        return Status::IOError(folder, std::strerror(error));
    }
    out->reset(new CatalogueLock(fd));
    return Status::OK();
}

CatalogueLock::~CatalogueLock() {
    ::close(fd_);
}
