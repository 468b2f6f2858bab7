#include "test_util.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace testutil {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tunelo-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

FileSizeLimit::FileSizeLimit(uint64_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
}

std::optional<std::string> InOwnMount(const std::string& folder, uint64_t bytes,
                                      const std::function<std::string()>& work) {
    constexpr int kNoMount = 77;
    int out[2];
    if (::pipe(out) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(out[0]);
        const std::string size = "size=" + std::to_string(bytes);
        const bool mounted =
            ::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
            (bytes > 0 ? ::mount("tmpfs", folder.c_str(), "tmpfs", 0, size.c_str()) == 0
                       : ::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                             ::mount(nullptr, folder.c_str(), nullptr,
                                     MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0);
        if (!mounted)
            ::_exit(kNoMount);
        const std::string result = work();
        for (size_t at = 0; at < result.size();) {
            const ssize_t n = ::write(out[1], result.data() + at, result.size() - at);
            if (n <= 0)
                ::_exit(1);
            at += size_t(n);
        }
        ::_exit(0);
    }
    ::close(out[1]);
    std::string result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, size_t(n));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == kNoMount)
        return std::nullopt;
    return result;
}

}  // namespace testutil
