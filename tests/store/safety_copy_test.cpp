#include <filesystem>
#include <map>

#include "base/clock.h"
#include "catalogue_fixture.h"
#include "store/catalogue_folder.h"
#include "store/disk_room.h"
#include "store/safety_restore.h"

namespace {

namespace fs = std::filesystem;

class SafetyCopyTest : public BuiltCatalogueTest {
protected:
    void SetUp() override {
        BuiltCatalogueTest::SetUp();
        WriteFile(File("cd.ini"), "[Diversen]\nGeluid=0\n");
        AddTrack("Before");
    }
    void TearDown() override { Clock::Reset(); }

    void AddTrack(const std::string& title) {
        Add(catalogue_->dm1.ArtTable, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"TITEL", title}});
    }
    using Bytes = std::map<std::string, std::string>;
    Bytes Files() const {
        Bytes bytes;
        for (const std::string& name : CatalogueFilesIn(folder()))
            bytes[name] = ReadFile(File(name));
        return bytes;
    }
    // The names of the files that differ, to keep a failure readable.
    static std::string Differing(const Bytes& a, const Bytes& b) {
        std::string names;
        for (const auto& [name, bytes] : a)
            if (!b.contains(name) || b.at(name) != bytes)
                names += name + " ";
        for (const auto& [name, bytes] : b)
            if (!a.contains(name))
                names += name + " ";
        return names;
    }
    // Runs `work` in a child process that kills itself once half the bytes are copied.
    static void KilledHalfway(const std::function<void(const xbase::ProgressFn&)>& work) {
        ASSERT_TRUE(WIFSIGNALED(InChild([&] {
            work([](uint64_t done, uint64_t total) {
                if (done * 2 >= total)
                    raise(SIGKILL);
            });
        })));
    }
};

TEST_F(SafetyCopyTest, RestoreGivesBackTheCopiedBytesAndKeepsThePresentState) {
    Clock::Set(std::chrono::system_clock::from_time_t(1'700'000'000));
    std::string copied;
    ASSERT_TRUE(TakeSafetyCopy(*catalogue_, "renumber", nullptr, &copied).ok());
    const auto before = Files();
    AddTrack("After");
    WriteFile(File("print.ini"), "[Layouts]\n");
    catalogue_.reset();  // closing the tables writes to them too
    const auto after = Files();

    std::vector<SafetyCopy> copies = ListSafetyCopies(folder());
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].folder, copied);
    EXPECT_EQ(copies[0].what, "renumber");
    EXPECT_EQ(copies[0].date.size(), 19u);
    EXPECT_GT(copies[0].bytes, 0u);
    Clock::Set(std::chrono::system_clock::from_time_t(1'700'000'060));
    ASSERT_TRUE(RestoreSafetyCopy(folder(), copies[0], nullptr).ok());
    auto restored = Files();
    EXPECT_EQ(restored.erase("print.ini"), 1u);  // not in the copy: left alone
    EXPECT_EQ(Differing(restored, before), "");

    copies = ListSafetyCopies(folder());
    ASSERT_EQ(copies.size(), 2u);
    EXPECT_EQ(copies[0].what, "before-restore");
    ASSERT_TRUE(RestoreSafetyCopy(folder(), copies[0], nullptr).ok());
    EXPECT_EQ(Differing(Files(), after), "");
}

// cd.ini holds the password: copies keep each file's mode, their folder is the owner's only, and
// a file put back keeps the mode of the one it replaces, whatever mode the copy has.
TEST_F(SafetyCopyTest, CopiesAndRestoresKeepEachFilesOwnMode) {
    using P = fs::perms;
    const struct {
        const char* file;
        P mode;    // before the copy
        P copied;  // given to the file in the copy afterwards
    } cases[] = {
        {"cd.ini", P::owner_read | P::owner_write, P(0644)},
        {"print.ini", P(0640), P(0640)},
        {"artdat.dat", P(0664), P(0444)},
    };
    WriteFile(File("print.ini"), "[Layouts]\n");
    for (const auto& c : cases)
        fs::permissions(File(c.file), c.mode);
    std::string copied;
    ASSERT_TRUE(TakeSafetyCopy(*catalogue_, "renumber", nullptr, &copied).ok());
    EXPECT_EQ(fs::status(SafetyCopiesFolder(folder())).permissions(), P::owner_all);
    for (const auto& c : cases) {
        EXPECT_EQ(fs::status(fs::path(copied) / c.file).permissions(), c.mode) << c.file;
        fs::permissions(fs::path(copied) / c.file, c.copied);
    }
    catalogue_.reset();
    ASSERT_TRUE(RestoreSafetyCopy(folder(), ListSafetyCopies(folder()).back(), nullptr).ok());
    for (const auto& c : cases)
        EXPECT_EQ(fs::status(File(c.file)).permissions(), c.mode) << c.file;
}

TEST_F(SafetyCopyTest, ACopyWithoutRoomIsRefusedNamingTheRoomItNeeds) {
    ScopedDiskRoom full([](const std::string&) { return uint64_t(1024); });
    const xbase::Status status = TakeSafetyCopy(*catalogue_, "optimize", nullptr);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.message().find("it needs " + RoomText(CatalogueBytes(folder()))),
              std::string::npos)
        << status.message();
    EXPECT_NE(status.message().find("0.0 MB are free"), std::string::npos);
    EXPECT_TRUE(ListSafetyCopies(folder()).empty());
}

TEST_F(SafetyCopyTest, OnlyTheFiveMostRecentCopiesStay) {
    for (int k = 0; k < 7; ++k) {
        Clock::Set(std::chrono::system_clock::from_time_t(1'700'000'000 + k * 60));
        ASSERT_TRUE(TakeSafetyCopy(*catalogue_, "run" + std::to_string(k), nullptr).ok());
    }
    const std::vector<SafetyCopy> copies = ListSafetyCopies(folder());
    ASSERT_EQ(copies.size(), kSafetyCopiesKept);
    EXPECT_EQ(copies.front().what, "run6");
    EXPECT_EQ(copies.back().what, "run2");
}

TEST_F(SafetyCopyTest, AKillHalfwayLeavesNoHalfCopyAndNoHalfRestore) {
    KilledHalfway([&](const xbase::ProgressFn& progress) {
        TakeSafetyCopy(*catalogue_, "optimize", progress);
    });
    EXPECT_TRUE(ListSafetyCopies(folder()).empty());

    ASSERT_TRUE(TakeSafetyCopy(*catalogue_, "optimize", nullptr).ok());
    const SafetyCopy copy = ListSafetyCopies(folder()).front();
    AddTrack("After");
    bool closed = false;
    ASSERT_TRUE(RestoreSafetyCopy(*catalogue_, {"", "", "", 0}, nullptr, &closed).IsCorruption());
    EXPECT_FALSE(closed);  // a copy that lacks the tables is refused with the tables still open
    catalogue_.reset();
    const auto present = Files();
    KilledHalfway(
        [&](const xbase::ProgressFn& progress) { RestoreSafetyCopy(folder(), copy, progress); });
    ASSERT_TRUE(FinishInterruptedRestore(folder()).ok());  // what the next start does
    EXPECT_EQ(Differing(Files(), present), "");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(SafetyCopiesFolder(folder())))
        ++entries;
    ASSERT_TRUE(TakeSafetyCopyOf(folder(), "optimize", nullptr).ok());
    EXPECT_EQ(ListSafetyCopies(folder()).size(), 2u);  // the killed ones are gone now
    EXPECT_GE(entries, 2u);
}

// A restore cut short goes in whole once its marker is there, out whole before, and says which.
TEST_F(SafetyCopyTest, ARestoreCutShortIsFinishedOrTakenBackAndSaysSo) {
    struct Case {
        const char* marker;  // nullptr: none
        const char* said;    // empty: nothing pending
        bool restored;
    };
    const Case cases[] = {
        {"2026-12-06 22:30:15 optimize\n",
         "Putting back the safety copy of 2026-12-06 22:30:15 (taken for optimize) was cut "
         "short. It has been finished",
         true},
        {"", "Putting back a safety copy was cut short. It has been finished", true},
        {nullptr, "It has been taken back: the catalogue is as it was before.", false},
    };
    catalogue_.reset();
    for (const Case& c : cases) {
        WriteFile(File("playlist.dat"), "old");
        WriteFile(File("playlist.dat.tunelo-restore"), "copy");
        if (c.marker != nullptr)
            WriteFile(File("tunelo-restore.pending"), c.marker);
        std::vector<RecoveryOutcome> outcomes;
        ASSERT_TRUE(FinishPendingRestore(folder(), &outcomes).ok());
        ASSERT_EQ(outcomes.size(), 1u);
        EXPECT_NE(outcomes[0].message.find(c.said), std::string::npos) << outcomes[0].message;
        EXPECT_EQ(Files()["playlist.dat"], c.restored ? "copy" : "old");
        EXPECT_FALSE(Exists("playlist.dat.tunelo-restore") || Exists("tunelo-restore.pending"));
        ASSERT_TRUE(FinishPendingRestore(folder(), &outcomes).ok());
        EXPECT_EQ(outcomes.size(), 1u);  // nothing pending any more
    }
}

}  // namespace
