// Track lengths, numbering and positions worked out from a table of contents.
#include "platform/cdaudio/disc_toc.h"

#include <gtest/gtest.h>

#include <tuple>

namespace cdaudio {
namespace {

void ExpectTmsf(const Tmsf& pos, int track, int m, int s, int f) {
    EXPECT_EQ(std::tuple(pos.track, pos.minutes, pos.seconds, pos.frames),
              std::tuple(track, m, s, f));
}

TEST(DiscTocTest, LengthsRunToTheNextTrackAndTheLastStopsOneFrameShortOfTheLeadOut) {
    const DiscToc toc({{1, 0, true}, {2, 13000, true}, {3, 27000, true}}, 40000);
    EXPECT_EQ(toc.AudioTrackCount(), 3);
    EXPECT_EQ(toc.TrackLength(1), 13000);
    EXPECT_EQ(toc.TrackLength(2), 14000);
    EXPECT_EQ(toc.TrackLength(3), 12999);
    EXPECT_EQ(toc.TrackLength(0), 0);
    EXPECT_EQ(toc.TrackLength(4), 0);
    EXPECT_EQ(toc.PlayEnd(), 40000);
}

TEST(DiscTocTest, DataTracksAreSkippedInTheNumbering) {
    // A mixed disc: data first, then two audio tracks, then data again.
    const DiscToc toc({{1, 0, false}, {2, 1000, true}, {3, 2000, true}, {4, 5000, false}}, 9000);
    EXPECT_EQ(toc.AudioTrackCount(), 2);
    EXPECT_EQ(toc.TrackStart(1), 1000);
    EXPECT_EQ(toc.TrackLength(2), 3000);
    EXPECT_EQ(toc.PlayEnd(), 5000);
    EXPECT_FALSE(toc.IsAudioSector(999));
    EXPECT_TRUE(toc.IsAudioSector(1000));
    EXPECT_FALSE(toc.IsAudioSector(5000));
}

TEST(DiscTocTest, PositionsCountFromTheStartOfTheirTrack) {
    const DiscToc toc({{1, 0, true}, {2, 150, true}, {3, 5000, true}}, 9000);
    ExpectTmsf(toc.TmsfAt(0), 1, 0, 0, 0);
    ExpectTmsf(toc.TmsfAt(149), 1, 0, 1, 74);
    ExpectTmsf(toc.TmsfAt(150), 2, 0, 0, 0);
    // 4849 frames into track 2: 1 minute (4500), 4 seconds (300), 49 frames.
    ExpectTmsf(toc.TmsfAt(4999), 2, 1, 4, 49);
    ExpectTmsf(toc.TmsfAt(5000), 3, 0, 0, 0);
    ExpectTmsf(toc.TmsfAt(9000), 3, 0, 53, 25);  // the end: 4000 frames into track 3
}

TEST(DiscTocTest, TablesThatDoNotHoldTogetherAreNamed) {
    EXPECT_NE(DiscToc({{1, 0, true}, {2, 40500, true}}, 150).Problem(), "");
    EXPECT_NE(DiscToc({{1, 75, true}, {2, 0, true}}, 150).Problem(), "");
    EXPECT_NE(DiscToc({{1, -5, true}}, 150).Problem(), "");
    EXPECT_NE(DiscToc({{0, 0, true}}, 150).Problem(), "");
    EXPECT_EQ(DiscToc({}, 0).Problem(), "");
}

}  // namespace
}  // namespace cdaudio
