// SIGTERM, SIGHUP and SIGINT end the real program with status 0 and no session mark.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "test_util.h"

namespace {

const char* const kTables[] = {"artdat.dat", "hfdat.dat", "items.dat", "Uitdat.dat",
                               "playlist.dat"};

// Whether the table's header holds the mark of a session that has changed it and not ended.
bool Marked(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char bytes[28] = {};
    in.read(bytes, sizeof bytes);
    return std::string(bytes + 24, 4) == std::string("TNL\1", 4);
}

bool AnyMarked(const testutil::TempDir& dir) {
    for (const char* table : kTables) {
        if (Marked(dir.File(table)))
            return true;
    }
    return false;
}

// Waits up to `seconds` for `condition`.
template <class Condition>
bool Within(int seconds, Condition condition) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

TEST(CleanEndTest, EachSignalEndsTheProgramAsItsCloseCommandDoes) {
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(strsignal(number));
        testutil::TempDir dir;
        ASSERT_TRUE(CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", dir.path()).ok());
        {
            // An entry a crash left: the start removes it, so the session writes to the tables.
            Catalogue catalogue(dir.path().string());
            catalogue.OpenIndexes();
            catalogue.dm2.HfTable.Insert();
            catalogue.dm2.HfTable.Post();
        }
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            freopen("/dev/null", "w", stdout);
            freopen("/dev/null", "w", stderr);
            execl(TUNELO_PROGRAM, TUNELO_PROGRAM, dir.path().c_str(), nullptr);
            _exit(127);
        }
        int status = 0;
        bool ended = false;
        const auto end = [&] {
            return ended = ended || ::waitpid(child, &status, WNOHANG) == child;
        };
        const bool started = Within(60, [&] { return AnyMarked(dir) || end(); }) && !ended;
        if (started)
            ::kill(child, number);
        if (!Within(20, end)) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
        }
        ASSERT_TRUE(started) << "the program ended by itself: " << status;
        EXPECT_TRUE(ended);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        EXPECT_FALSE(AnyMarked(dir));
    }
}

}  // namespace
