// Crash safety: a writer killed at random moments must leave the file whole, holding either
// the old value or one it wrote, and a reader running alongside must never see a partial file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "platform/profile/file_bytes.h"
#include "platform/profile/private_profile.h"
#include "test_util.h"

namespace profile {
namespace {

// The file as it must look with `value` under [Diversen] OpenDrager. The padding makes each
// write large enough that a torn write would show.
std::string FileWith(const std::string& value) {
    return "; instellingen\r\n[Opstart]\r\nHints=1\r\nToonBitmap=" + std::string(3000, 'b') +
           "\r\n\r\n[Diversen]\r\nOpenDrager=" + value +
           "\r\nGeluid=1\r\n[Onbekend]\r\nx=" + std::string(3000, 'x') + "\r\n";
}

std::string ValueFor(long n) {
    return "CD" + std::to_string(n) + std::string(500, '.');
}

// Checks that the file is exactly FileWith(some value) and returns that value's number. The
// bytes are read once and judged on their own, as the writer may replace the file at any time.
long ExpectWholeFile(const std::string& path) {
    const std::string bytes = profiletest::ReadBytes(path);
    const std::string marker = "OpenDrager=CD";
    size_t start = bytes.find(marker);
    size_t end = start == std::string::npos ? start : bytes.find("\r\n", start);
    if (end == std::string::npos) {
        ADD_FAILURE() << "damaged file of " << bytes.size() << " bytes";
        return -1;
    }
    std::string value = bytes.substr(start + marker.size() - 2, end - start - marker.size() + 2);
    EXPECT_TRUE(bytes == FileWith(value)) << "torn file of " << bytes.size() << " bytes";
    return std::stol(value.substr(2));
}

TEST(ProfileCrashTest, KilledWriterNeverLeavesAPartialFile) {
    testutil::TempDir dir;
    const std::string path = dir.File("cd.ini");
    profiletest::WriteBytes(path, FileWith(ValueFor(0)));
    std::mt19937 rng(20240611);
    std::set<long> seen;
    long last = 0;
    for (int round = 0; round < 100; ++round) {
        const long base = (round + 1) * 1000000L;
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            PrivateProfile ini(path);
            for (long n = base;; ++n) {
                if (!ini.WriteString("Diversen", "OpenDrager", ValueFor(n)).ok())
                    ::_exit(1);
            }
        }
        // Read alongside the writer until it has landed a write of its own (on a busy machine
        // that can take a while), then kill it somewhere in the middle of its later work.
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        for (;;) {
            long n = ExpectWholeFile(path);
            ASSERT_GE(n, last) << "a value went back in time";
            if (n >= base || std::chrono::steady_clock::now() > give_up)
                break;
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 4000));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int wait_status = 0;
        ASSERT_EQ(::waitpid(child, &wait_status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(wait_status)) << "writer failed on its own";

        long n = ExpectWholeFile(path);
        ASSERT_TRUE(n == last || n >= base) << n;
        last = n;
        seen.insert(n);
    }
    // The writers got far enough, often enough, for the check to mean something.
    EXPECT_GT(seen.size(), 10u);
}

}  // namespace
}  // namespace profile
