// What the kernel charges for the calls a single insert makes, on the machine at hand: random
// 512-byte reads and writes of an index file in the page cache, a lock with its unlock, and a
// sync after an append and after an in-place write of a scratch file beside it.
//   syscall_bench FILE [SCRATCH]
// FILE is read and rewritten with its own bytes, so its contents stay as they were.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Micros(Clock::time_point since) {
    return std::chrono::duration<double, std::micro>(Clock::now() - since).count();
}

double MicrosPerCall(int calls, const std::function<void(int)>& call) {
    const auto start = Clock::now();
    for (int i = 0; i < calls; ++i)
        call(i);
    return Micros(start) / calls;
}

double MedianSync(int fd, const std::function<void(int)>& write) {
    std::vector<double> took;
    for (int i = 0; i < 300; ++i) {
        write(i);
        const auto start = Clock::now();
        if (::fdatasync(fd) != 0)
            std::perror("fdatasync");
        took.push_back(Micros(start));
    }
    std::sort(took.begin(), took.end());
    return took[took.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: syscall_bench FILE [SCRATCH]\n");
        return 2;
    }
    const int fd = ::open(argv[1], O_RDWR);
    const off_t pages = fd < 0 ? 0 : ::lseek(fd, 0, SEEK_END) / 512;
    if (pages == 0) {
        std::perror(argv[1]);
        return 1;
    }
    std::mt19937 rng(42);
    char page[512];
    const auto at = [&] { return off_t(rng() % pages) * 512; };
    const double read = MicrosPerCall(100000, [&](int) { (void)!::pread(fd, page, 512, at()); });
    const double readWrite = MicrosPerCall(100000, [&](int) {
        const off_t offset = at();
        (void)!::pread(fd, page, 512, offset);
        (void)!::pwrite(fd, page, 512, offset);
    });
    struct flock lock {};
    lock.l_whence = SEEK_SET;
    lock.l_start = 0x7FFFFFF0;
    lock.l_len = 1;
    const double locks = MicrosPerCall(100000, [&](int) {
        lock.l_type = F_WRLCK;
        ::fcntl(fd, F_OFD_SETLKW, &lock);
        lock.l_type = F_UNLCK;
        ::fcntl(fd, F_OFD_SETLK, &lock);
    });
    std::printf("random 512-byte pread %.2f us, pwrite %.2f us, lock and unlock %.2f us\n", read,
                readWrite - read, locks);

    const std::string scratch = argc > 2 ? argv[2] : std::string(argv[1]) + ".sync-bench";
    const int out = ::open(scratch.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    char record[300] = {};
    const double append = MedianSync(out, [&](int) { (void)!::write(out, record, sizeof record); });
    const double inPlace = MedianSync(
        out, [&](int i) { (void)!::pwrite(out, record, sizeof record, off_t(i % 40) * 300); });
    ::close(out);
    ::unlink(scratch.c_str());
    std::printf(
        "fdatasync after a 300-byte append: median %.0f us; after an in-place write: %.0f us\n",
        append, inPlace);
    return 0;
}
