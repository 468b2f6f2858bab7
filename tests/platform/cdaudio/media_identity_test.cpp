// The disc identity: sums worked out by hand from the start addresses.
#include "platform/cdaudio/media_identity.h"

#include <gtest/gtest.h>

namespace cdaudio {
namespace {

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
