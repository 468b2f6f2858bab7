// Playing an image silently: the position follows the set clock (75 frames a second), through
// seeks, pauses, stops, the end of the disc and the image's door.
#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "base/clock.h"
#include "platform/cdaudio/cd_device.h"
#include "support/disc_image.h"
#include "test_util.h"

namespace cdaudio {
namespace {

using std::chrono::milliseconds;

class CdDevicePlayTest : public testing::Test {
protected:
    void SetUp() override {
        Clock::Set(now_);
        // Tracks of 2 s, 3 s and 1 s.
        cue_ = testutil::WriteCueBinImage(dir_.path().string(), {150, 225, 75});
        ASSERT_TRUE(device->Open(cue_).ok());
    }
    void TearDown() override { Clock::Reset(); }

    void Advance(int ms) {
        now_ += milliseconds(ms);
        Clock::Set(now_);
    }
    // The position after `ms` more milliseconds.
    void ExpectAfter(int ms, int track, int m, int s, int f) {
        Advance(ms);
        ExpectAt(track, m, s, f);
    }
    void ExpectAt(int track, int m, int s, int f) {
        const Tmsf pos = device->Position();
        EXPECT_EQ(std::tuple(pos.track, pos.minutes, pos.seconds, pos.frames),
                  std::tuple(track, m, s, f));
    }

    testutil::TempDir dir_;
    std::string cue_;
    Clock::TimePoint now_ = Clock::TimePoint() + std::chrono::hours(24 * 365 * 30);
    std::unique_ptr<CdDevice> device = CreateSilentCdDevice();
};

TEST_F(CdDevicePlayTest, PositionAdvancesSeventyFiveFramesASecondAcrossTracks) {
    ExpectAt(1, 0, 0, 0);
    device->Play();
    EXPECT_EQ(device->GetMode(), Mode::Play);
    ExpectAt(1, 0, 0, 0);
    ExpectAfter(1000, 1, 0, 1, 0);
    ExpectAfter(500, 1, 0, 1, 37);   // 112.5 frames: whole frames only
    ExpectAfter(1000, 2, 0, 0, 37);  // 187 frames: 37 into track 2
    EXPECT_EQ(device->GetMode(), Mode::Play);
    // A clock that goes back before the start holds the position there.
    ExpectAfter(-5000, 1, 0, 0, 0);
    EXPECT_EQ(device->GetMode(), Mode::Play);
}

TEST_F(CdDevicePlayTest, PlayingToTheEndStopsAtTrackOne) {
    device->Play();
    ExpectAfter(5990, 3, 0, 0, 74);  // 449 frames: the last frame of the disc
    EXPECT_EQ(device->GetMode(), Mode::Play);
    Advance(10);
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    ExpectAt(1, 0, 0, 0);
    ExpectAfter(60000, 1, 0, 0, 0);
    device->Play();  // starts again from the beginning
    ExpectAfter(100, 1, 0, 0, 7);
}

TEST_F(CdDevicePlayTest, SeekMovesToATrackWithoutChangingWhetherItPlays) {
    device->Seek(2);
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    ExpectAt(2, 0, 0, 0);
    ExpectAfter(1000, 2, 0, 0, 0);

    device->Play();
    ExpectAfter(1000, 2, 0, 1, 0);
    device->Seek(3);
    EXPECT_EQ(device->GetMode(), Mode::Play);
    ExpectAt(3, 0, 0, 0);
    ExpectAfter(200, 3, 0, 0, 15);

    // Tracks that are not on the disc change nothing.
    device->Seek(0);
    device->Seek(4);
    ExpectAt(3, 0, 0, 15);
}

TEST_F(CdDevicePlayTest, PauseAndStopHoldThePositionAndPlayGoesOnFromIt) {
    device->Play();
    Advance(1000);
    device->Pause();
    EXPECT_EQ(device->GetMode(), Mode::Pause);
    ExpectAfter(5000, 1, 0, 1, 0);

    device->Play();
    EXPECT_EQ(device->GetMode(), Mode::Play);
    ExpectAfter(400, 1, 0, 1, 30);

    device->Stop();
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    ExpectAfter(3000, 1, 0, 1, 30);
    device->Play();
    ExpectAfter(1000, 2, 0, 0, 30);

    // Pausing a stopped disc leaves it stopped; stopping a paused one stops it.
    device->Stop();
    device->Pause();
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    device->Play();
    device->Pause();
    device->Stop();
    EXPECT_EQ(device->GetMode(), Mode::Stop);
}

TEST_F(CdDevicePlayTest, ReopeningThePlayingSourceKeepsItPlaying) {
    device->Play();
    Advance(1000);
    ASSERT_TRUE(device->Open(cue_).ok());
    EXPECT_EQ(device->GetMode(), Mode::Play);
    ExpectAt(1, 0, 1, 0);

    // Reopened while stopped, it starts afresh at track 1.
    device->Stop();
    device->Seek(3);
    ASSERT_TRUE(device->Open(cue_).ok());
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    ExpectAt(1, 0, 0, 0);

    // Another source replaces the playing one.
    device->Play();
    const std::string other = testutil::WriteCueBinImage(dir_.path().string(), {75}, "other");
    ASSERT_TRUE(device->Open(other).ok());
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    EXPECT_EQ(device->TrackCount(), 1);
}

TEST_F(CdDevicePlayTest, AnImageDoorOpensAndClosesAtTrackOne) {
    device->Play();
    Advance(2500);
    ASSERT_TRUE(device->Eject().ok());
    EXPECT_EQ(device->GetMode(), Mode::Open);
    EXPECT_EQ(device->TrackCount(), 0);
    EXPECT_EQ(device->TrackLengthFrames(1), 0);
    EXPECT_EQ(device->MediaIdentity(), "");
    device->Play();
    device->Seek(2);
    EXPECT_EQ(device->GetMode(), Mode::Open);

    ASSERT_TRUE(device->CloseDoor().ok());
    EXPECT_EQ(device->GetMode(), Mode::Stop);
    EXPECT_EQ(device->TrackCount(), 3);
    ExpectAt(1, 0, 0, 0);
    EXPECT_FALSE(device->MediaIdentity().empty());
    // Closing a closed door changes nothing.
    ASSERT_TRUE(device->CloseDoor().ok());
    EXPECT_EQ(device->GetMode(), Mode::Stop);
}

}  // namespace
}  // namespace cdaudio
