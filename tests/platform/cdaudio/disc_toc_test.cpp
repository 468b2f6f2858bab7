// Track lengths, numbering, positions and the disc identity worked out from a table of contents;
// the identity sums were worked out by hand from the start addresses.
#include "platform/cdaudio/disc_toc.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/cdaudio/media_identity.h"

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

DiscToc Toc(const std::vector<int>& starts, int leadout) {
    std::vector<TocTrack> tracks;
    for (size_t i = 0; i < starts.size(); ++i) {
        tracks.push_back({static_cast<int>(i) + 1, starts[i], true});
    }
    return DiscToc(tracks, leadout);
}

TEST(MediaIdentityTest, FiveTracksAddTheirPackedStartAddresses) {
    // LBA 150 = 0:02:00 -> 512; 13150 = 2:55:25 -> 131072 + 14080 + 25 = 145177;
    // 27150 = 6:02:00 -> 393216 + 512 = 393728; 40273 = 8:56:73 -> 524288 + 14336 + 73 = 538697;
    // 60150 = 13:22:00 -> 851968 + 5632 = 857600. Sum 1935714; the lead-out plays no part.
    EXPECT_EQ(MediaIdentityText(Toc({0, 13000, 27000, 40123, 60000}, 75000)), "1935714");
    EXPECT_EQ(MediaIdentityText(Toc({0, 13000, 27000, 40123, 60000}, 99000)), "1935714");
}

TEST(MediaIdentityTest, FewerThanThreeTracksAlsoAddFirstFramesAndDiscLength) {
    // LBA 183 = 0:02:33 -> 545; 20150 = 4:28:50 -> 262144 + 7168 + 50 = 269362;
    // plus the first track's frames 33 and 30000 - 33 = 29967 frames to the lead-out: 299907.
    EXPECT_EQ(MediaIdentityText(Toc({33, 20000}, 30000)), "299907");
    // One track: 512 + 0 + 150.
    EXPECT_EQ(MediaIdentityText(Toc({0}, 150)), "662");
    // Three tracks: no extra terms. 512 + 1024 + 1536.
    EXPECT_EQ(MediaIdentityText(Toc({0, 150, 300}, 450)), "3072");
}

TEST(MediaIdentityTest, NoTracksIsNoIdentity) {
    EXPECT_EQ(MediaIdentityText(DiscToc()), "");
    EXPECT_EQ(MediaIdentity(DiscToc()), 0u);
}

TEST(MediaIdentityTest, DataTracksCountLikeAnyTrackOfTheTable) {
    const DiscToc toc({{1, 0, true}, {2, 150, false}}, 225);
    // 512 + 1024, plus 0 frames and 225 frames to the lead-out.
    EXPECT_EQ(MediaIdentityText(toc), "1761");
}

}  // namespace
}  // namespace cdaudio
