// The command-line modes, each run in a child process, finish or refuse what an earlier run left.
#include "store/command_catalogue.h"

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <random>
#include <sstream>

#include "catalogue_fixture.h"
#include "store/catalogue_folder.h"
#include "store/csv_command.h"
#include "store/pending_work.h"
#include "store/safety_copy.h"

namespace {

namespace fs = std::filesystem;

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

struct Ran {
    int status = -1;  // the exit code; -1 when killed
    std::string messages;
};

class CommandCatalogueTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        auto catalogue = OpenBuilt();
        Add(catalogue->dm2.HfTable, {{"DRAGER", "CD"}, {"CDNUMMER", "7"}, {"HTITEL", "Kind"}});
        Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"}, {"CDNUMMER", "7"}, {"TITEL", "So"}});
        fs::permissions(dir_.path(), fs::perms::all);  // the output folders are made inside
    }

    // A folder of CSV files adding sources MC `round`01 and on, with 500 tracks each.
    std::string Csv(int round, int sources) {
        const std::string n = std::to_string(round), dir = File("in" + n);
        fs::create_directories(dir);
        std::string titles = "DRAGER,CDNUMMER\r\n", rows = "DRAGER,CDNUMMER,TRACK,TITEL\r\n";
        for (int source = round * 100 + 1; source <= round * 100 + sources; ++source) {
            titles += "MC," + std::to_string(source) + "\r\n";
            for (int t = 1; t <= kTracksPerSource; ++t)
                rows += "MC," + std::to_string(source) + "," + std::to_string(t) + ",Round " + n +
                        " track\r\n";
        }
        WriteFile(dir + "/sources.csv", titles);
        WriteFile(dir + "/tracks.csv", rows);
        return dir;
    }
    static constexpr int kTracksPerSource = 500;

    // Runs the command in a child process; `readOnly` makes the catalogue's folder one the child
    // cannot write (as another user, when the tests run as root). `killAfter` (microseconds)
    // kills it on the way.
    Ran Run(CsvDirection direction, const std::string& dir, bool readOnly = false,
            int killAfter = -1) {
        if (readOnly)
            SetModes(0555, 0444);
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        const pid_t child = fork();
        if (child == 0) {
            ::close(fds[0]);
            if (readOnly && ::geteuid() == 0) {
                const passwd* nobody = ::getpwnam("nobody");
                if (nobody == nullptr || ::setuid(nobody->pw_uid) != 0)
                    _exit(99);
            }
            std::ostringstream out, errors;
            const int status = CsvCommand(folder(), direction, dir, out, errors);
            const std::string text = errors.str();
            (void)!::write(fds[1], text.data(), text.size());
            _exit(status);
        }
        ::close(fds[1]);
        if (killAfter >= 0) {
            ::usleep(useconds_t(killAfter));
            ::kill(child, SIGKILL);
        }
        Ran ran;
        char buffer[4096];
        for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
            ran.messages.append(buffer, size_t(n));
        ::close(fds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        ran.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        if (readOnly)
            SetModes(0777, 0644);
        return ran;
    }

    void SetModes(int folderMode, int fileMode) {
        for (const fs::directory_entry& entry : fs::directory_iterator(dir_.path())) {
            if (entry.is_regular_file())
                fs::permissions(entry.path(), fs::perms(fileMode));
        }
        fs::permissions(dir_.path(), fs::perms(folderMode));
    }

    // The tracks an export gives, or "" when it was refused; `ran` gets what it said.
    std::string ExportedTracks(bool readOnly = false, Ran* ran = nullptr) {
        const std::string out = File("out");
        fs::create_directories(out);
        fs::permissions(out, fs::perms::all);
        const Ran done = Run(CsvDirection::Export, out, readOnly);
        const std::string tracks = ReadFile(out + "/tracks.csv");
        fs::remove_all(out);
        if (ran != nullptr)
            *ran = done;
        return tracks;
    }
};

TEST_F(CommandCatalogueTest, ACommandFinishesOrRefusesWhatAnEarlierRunLeft) {
    struct Case {
        const char* name;
        bool journal;   // a renumber.journal left behind
        bool import;    // else an export
        bool readOnly;  // the folder cannot be written
        bool locked;    // another copy of the program holds the catalogue
        int status;
        const char* message;  // part of what is said
    };
    const Case cases[] = {
        {"read-only folder", false, false, true, false, 0, ""},
        {"read-only folder, a journal left", true, false, true, false, 1,
         "(renumber.journal). Its folder is read-only"},
        {"another copy at work", true, false, false, true, 1,
         "Another copy of the program is working on it"},
        {"another copy, nothing pending", false, false, false, true, 0, ""},
        {"a writer beside another copy", false, true, false, true, 1, "is open in the program"},
    };
    const std::string csv = Csv(1, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.journal)
            WriteFile(File("renumber.journal"), "x\n");
        std::unique_ptr<CatalogueLock> held;
        if (c.locked) {
            ASSERT_TRUE(CatalogueLock::Acquire(folder(), &held).ok());
        }
        Ran ran;
        const std::string tracks = c.import ? "" : ExportedTracks(c.readOnly, &ran);
        if (c.import)
            ran = Run(CsvDirection::Import, csv);
        EXPECT_EQ(ran.status, c.status) << ran.messages;
        EXPECT_NE(ran.messages.find(c.message), std::string::npos) << ran.messages;
        EXPECT_EQ(Count(tracks, "So,"), c.status == 0 && !c.import ? 1u : 0u);
        fs::remove(File("renumber.journal"));
    }
}

// A restore cut short after its commit goes in before the import writes, not over its sources.
TEST_F(CommandCatalogueTest, AnImportAfterACutShortRestoreKeepsItsSources) {
    {
        Catalogue catalogue(folder());
        ASSERT_TRUE(TakeSafetyCopy(catalogue, "test", nullptr).ok());
    }
    // The state a kill between the restore's commit and its renames leaves.
    const SafetyCopy copy = ListSafetyCopies(folder()).front();
    for (const std::string& name : CatalogueFilesIn(copy.folder))
        fs::copy_file(fs::path(copy.folder) / name, File(name + ".tunelo-restore"));
    WriteFile(File("tunelo-restore.pending"), "");

    const Ran ran = Run(CsvDirection::Import, Csv(2, 1));
    ASSERT_EQ(ran.status, 0) << ran.messages;
    std::vector<RecoveryOutcome> outcomes;
    ASSERT_TRUE(FinishPendingRestore(folder(), &outcomes).ok());  // the next start
    EXPECT_EQ(Count(ExportedTracks(), "Round 2 track"), size_t(kTracksPerSource));
}

// After imports killed at random moments an export holds all of an import's tracks or none, and
// the next start takes nothing back.
TEST_F(CommandCatalogueTest, AfterAKilledImportAnExportHoldsWhatStays) {
    const char* env = std::getenv("TUNELO_CRASH_ITERATIONS");
    const int rounds = env ? std::max(4, std::atoi(env) / 10) : 10;
    constexpr int kSources = 4;
    const auto started = std::chrono::steady_clock::now();
    const Ran whole = Run(CsvDirection::Import, Csv(1, kSources));
    ASSERT_EQ(whole.status, 0) << whole.messages;
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - started)
                          .count();
    std::mt19937 rng(20261207);
    int cut = 0;
    for (int round = 2; round < rounds + 2; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const Ran killed =
            Run(CsvDirection::Import, Csv(round, kSources), false, int(rng() % uint32_t(took + 1)));
        cut += killed.status == -1 ? 1 : 0;
        const std::string exported = ExportedTracks();
        const size_t added = Count(exported, "Round " + std::to_string(round) + " track");
        EXPECT_TRUE(added == 0 || added == kSources * kTracksPerSource) << added;
        {
            Catalogue catalogue(folder());  // the window program's start
            catalogue.OpenIndexes();
            FinishPendingWork(catalogue);
        }
        EXPECT_TRUE(ExportedTracks() == exported) << "the next start changed the tracks";
    }
    EXPECT_GT(cut, 0);
}

}  // namespace
