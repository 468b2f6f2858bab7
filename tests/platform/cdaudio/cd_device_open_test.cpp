// Opening disc images and drives: the table of contents, lengths and identity the device
// reports, and every way an open can fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>
#include <utility>

#include "platform/cdaudio/cd_device.h"
#include "support/disc_image.h"
#include "test_util.h"

namespace cdaudio {
namespace {

class CdDeviceOpenTest : public testing::Test {
protected:
    void WriteFile(const std::string& name, const std::string& text) {
        std::ofstream(dir.File(name), std::ios::binary) << text;
    }
    // Opening `path` fails with a message that names it.
    void ExpectOpenFails(const std::string& path) {
        const tunelo::Status s = device->Open(path);
        EXPECT_FALSE(s.ok()) << path;
        EXPECT_EQ(s.file(), path);
        EXPECT_FALSE(device->IsOpen());
        ExpectNoDisc();
    }
    void ExpectNoDisc() {
        EXPECT_EQ(device->GetMode(), Mode::NotReady);
        EXPECT_EQ(device->TrackCount(), 0);
        EXPECT_EQ(device->MediaIdentity(), "");
    }

    testutil::TempDir dir;
    std::unique_ptr<CdDevice> device = CreateSilentCdDevice();
};

TEST_F(CdDeviceOpenTest, FiveTrackImageHasItsTracksLengthsAndIdentity) {
    const std::string cue =
        testutil::WriteCueBinImage(dir.path().string(), {150, 200, 75, 300, 100});
    ASSERT_TRUE(device->Open(cue).ok());
    EXPECT_TRUE(device->IsOpen());
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    EXPECT_EQ(device->TrackCount(), 5);
    // The last track runs to the lead-out, less one frame; tracks not on the disc have none.
    for (const auto& [track, frames] :
         {std::pair{1, 150}, {2, 200}, {4, 300}, {5, 99}, {6, 0}, {0, 0}})
        EXPECT_EQ(device->TrackLengthFrames(track), frames) << track;
    // Starts at LBA 150, 300, 500, 575, 875: 0:02:00 -> 512, 0:04:00 -> 1024,
    // 0:06:50 -> 1586, 0:07:50 -> 1842, 0:11:50 -> 2866.
    EXPECT_EQ(device->MediaIdentity(), "7830");
    EXPECT_EQ(device->Position().track, 1);
}

TEST_F(CdDeviceOpenTest, CdrdaoTocImagesAndBinNamesOpenToo) {
    const std::string toc = testutil::WriteTocBinImage(dir.path().string(), {150, 200}, "toc");
    ASSERT_TRUE(device->Open(toc).ok()) << device->Open(toc).ToString();
    EXPECT_EQ(device->TrackCount(), 2);
    EXPECT_EQ(device->TrackLengthFrames(1), 150);
    EXPECT_EQ(device->TrackLengthFrames(2), 199);

    testutil::WriteCueBinImage(dir.path().string(), {75, 75, 75}, "cue");
    ASSERT_TRUE(device->Open(dir.File("cue.bin")).ok());
    EXPECT_EQ(device->TrackCount(), 3);
}

TEST_F(CdDeviceOpenTest, OnlyAudioTracksCount) {
    const std::string cue = testutil::WriteMixedCueBinImage(
        dir.path().string(), {{150, true}, {75, true}, {150, false}});
    ASSERT_TRUE(device->Open(cue).ok());
    EXPECT_EQ(device->TrackCount(), 2);
    EXPECT_EQ(device->TrackLengthFrames(2), 75);  // up to the data track

    const std::string data =
        testutil::WriteMixedCueBinImage(dir.path().string(), {{150, false}}, "data");
    ASSERT_TRUE(device->Open(data).ok());
    EXPECT_EQ(device->GetMode(), Mode::NotReady);
    EXPECT_EQ(device->TrackCount(), 0);
}

// CD-TEXT as the image carries it (album, tracks, a text beyond ASCII), none at all, and the IDs
// that go with the TOC; an open door hides both.
TEST_F(CdDeviceOpenTest, DiscTextAndIdsComeWithTheDisc) {
    testutil::ImageText text;
    text.title = "Live at Home";
    text.performer = "The R\u00f6ckers";
    text.trackTitles = {"First Song", "", "Third Song"};
    text.trackPerformers = {"Anna"};
    const struct {
        std::string cue;
        DiscText expected;
    } cases[] = {
        {testutil::WriteCueBinImageWithText(dir.path().string(), {150, 75, 75}, text, "text"),
         {"Live at Home",
          "The R\u00f6ckers",
          {{"First Song", "Anna"}, {"", ""}, {"Third Song", ""}}}},
        {testutil::WriteCueBinImage(dir.path().string(), {150, 75, 75}, "plain"), {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(device->Open(c.cue).ok());
        const DiscText got = device->Text();
        EXPECT_EQ(got.title, c.expected.title);
        EXPECT_EQ(got.performer, c.expected.performer);
        EXPECT_EQ(got.empty(), c.expected.empty());
        for (int t = 1; t <= 3; ++t) {
            EXPECT_EQ(got.Track(t).title, c.expected.Track(t).title) << t;
            EXPECT_EQ(got.Track(t).performer, c.expected.Track(t).performer) << t;
        }
        // Tracks start at 2, 4 and 5 seconds (digit sum 11), the lead-out at 6: 4 seconds long.
        EXPECT_EQ(device->Ids().freedb, "0b000403");
        EXPECT_EQ(device->Ids().musicbrainz.size(), 28u);
        ASSERT_TRUE(device->Eject().ok());
        EXPECT_TRUE(device->Text().empty());
        EXPECT_TRUE(device->Ids().empty());
    }
}

TEST_F(CdDeviceOpenTest, NothingOpenIsNotReady) {
    EXPECT_FALSE(device->IsOpen());
    ExpectNoDisc();
    EXPECT_EQ(device->Position().track, 0);
    device->Play();
    EXPECT_EQ(device->GetMode(), Mode::NotReady);
    EXPECT_FALSE(device->Eject().ok());
    EXPECT_FALSE(device->CloseDoor().ok());

    ASSERT_TRUE(device->Open(testutil::WriteCueBinImage(dir.path().string(), {75})).ok());
    device->Close();
    EXPECT_FALSE(device->IsOpen());
    EXPECT_EQ(device->GetMode(), Mode::NotReady);
}

// A failed open also closes what was open before.
TEST_F(CdDeviceOpenTest, MissingFoldersAndGarbageFailNamingTheSource) {
    ASSERT_TRUE(device->Open(testutil::WriteCueBinImage(dir.path().string(), {75})).ok());
    ExpectOpenFails(dir.File("nothere.cue"));
    ExpectOpenFails(dir.path().string());
    const std::pair<const char*, std::string> files[] = {
        {"junk.cue", "this is not a cue sheet\n"},
        {"junk.bin", std::string(5000, 'x')},
        {"junk.toc", "TRACK SOMETHING\n\"unterminated"},
        {"junk.iso", std::string(2352 * 4, '\0')},
        // A cue sheet whose BIN is missing.
        {"lonely.cue", "FILE \"lonely.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n"}};
    for (const auto& [name, text] : files) {
        WriteFile(name, text);
        ExpectOpenFails(dir.File(name));
    }
}

TEST_F(CdDeviceOpenTest, UnreadableFileFails) {
    const std::string cue = testutil::WriteCueBinImage(dir.path().string(), {75});
    std::filesystem::permissions(cue, std::filesystem::perms::none);
    if (std::ifstream(cue).good()) {
        GTEST_SKIP() << "running with rights that read any file";
    }
    ExpectOpenFails(cue);
}

TEST_F(CdDeviceOpenTest, CueSheetsPointingPastTheirBinAreNotTrusted) {
    for (const auto& [name, first, second] :
         {std::tuple{"past", "00:00:00", "09:00:00"}, std::tuple{"back", "00:01:00", "00:00:00"}}) {
        testutil::WriteCueBinImage(dir.path().string(), {150}, name);
        WriteFile(std::string(name) + ".cue",
                  "FILE \"" + std::string(name) + ".bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 " +
                      first + "\n  TRACK 02 AUDIO\n    INDEX 01 " + second + "\n");
        ExpectOpenFails(dir.File(std::string(name) + ".cue"));
    }
}

TEST_F(CdDeviceOpenTest, ZeroLengthTracksAndEmptyImagesOpenAndPlayNothing) {
    testutil::WriteCueBinImage(dir.path().string(), {150}, "zero");
    WriteFile("zero.cue",
              "FILE \"zero.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:01:00\n"
              "  TRACK 02 AUDIO\n    INDEX 01 00:01:00\n");
    ASSERT_TRUE(device->Open(dir.File("zero.cue")).ok());
    EXPECT_EQ(device->TrackCount(), 2);
    EXPECT_EQ(device->TrackLengthFrames(1), 0);
    EXPECT_EQ(device->TrackLengthFrames(2), 74);

    WriteFile("empty.bin", "");
    WriteFile("empty.cue", "FILE \"empty.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
    ASSERT_TRUE(device->Open(dir.File("empty.cue")).ok());
    EXPECT_EQ(device->TrackCount(), 1);
    EXPECT_EQ(device->TrackLengthFrames(1), 0);
    device->Play();
    EXPECT_EQ(device->GetMode(), Mode::Stop);
}

TEST_F(CdDeviceOpenTest, DefaultDriveOpensOrFailsNamingTheDrive) {
    const tunelo::Status s = device->Open("");
    if (s.ok()) {
        GTEST_SKIP() << "this machine has a CD drive";
    }
    EXPECT_NE(s.ToString().find("drive"), std::string::npos) << s.ToString();
    EXPECT_FALSE(device->IsOpen());
}

TEST_F(CdDeviceOpenTest, NonDiscDeviceNodeHasNoDisc) {
    // /dev/null is a device node but no drive: it may open, but never shows a disc.
    const tunelo::Status s = device->Open("/dev/null");
    if (s.ok()) {
        ExpectNoDisc();
    } else {
        EXPECT_EQ(s.file(), "/dev/null");
    }
}

}  // namespace
}  // namespace cdaudio
