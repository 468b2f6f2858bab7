// The disc as a look-up knows it: its IDs and the track starts of its audio session, from a TOC
// and from an open device.
#include <gtest/gtest.h>

#include <vector>

#include "platform/cdaudio/cd_device.h"
#include "platform/cdaudio/disc_ids.h"
#include "platform/cdaudio/disc_query.h"
#include "platform/cdaudio/disc_toc.h"
#include "platform/cdaudio/media_identity.h"
#include "support/disc_image.h"
#include "test_util.h"

namespace cdaudio {
namespace {

// Tracks given by their starts counted from the lead-in (LBA); `data` marks data tracks.
DiscToc Toc(int leadout, const std::vector<int>& starts, const std::vector<bool>& data = {}) {
    std::vector<TocTrack> tracks;
    for (size_t i = 0; i < starts.size(); ++i)
        tracks.push_back({int(i) + 1, starts[i] - 150, !(i < data.size() && data[i])});
    return DiscToc(std::move(tracks), leadout - 150);
}

const std::vector<int> kExample = {150,    9700,   25887,  39297,  53795,  63735,  77517,  94877,
                                   107270, 123552, 135522, 148422, 161197, 174790, 192022, 205545,
                                   218010, 228700, 239590, 255470, 266932, 288750};

TEST(DiscQueryTest, TheAudioSessionGivesIdsOffsetsAndLength) {
    // The disc whose record tests/data/discdata/misc holds: tracks 3 and 4 start 20 and 16 s
    // before the example's, and still the freedb ID is the same.
    std::vector<int> colliding = kExample;
    colliding[2] = 24387;
    colliding[3] = 38097;
    const std::vector<int> enhanced = {150, 20000, 40000 + 11400};
    const struct {
        const char* what;
        DiscToc toc;
        const char* freedb;
        std::vector<int> offsets;
        int firstTrack, leadOut, lastSeconds;
    } cases[] = {
        {"the example", Toc(303602, kExample), "370fce16", kExample, 1, 303602, 198},
        {"its ID's twin", Toc(303602, colliding), "370fce16", colliding, 1, 303602, 198},
        {"an enhanced CD: the session ends before the data track",
         Toc(90000, enhanced, {false, false, true}),
         "",
         {150, 20000},
         1,
         40000,
         266},
        {"a mixed disc: its data track counts in the IDs only",
         Toc(40000, {150, 20000, 30000}, {true}),
         "",
         {20000, 30000},
         2,
         40000,
         133},
    };
    for (const auto& c : cases) {
        const discinfo::DiscQuery q = DiscQueryOf(c.toc);
        const DiscIds ids = ComputeDiscIds(c.toc);
        if (*c.freedb) {
            EXPECT_EQ(q.freedbId, c.freedb) << c.what;
        }
        EXPECT_EQ(q.freedbId, ids.freedb) << c.what;
        EXPECT_EQ(q.musicBrainzId, ids.musicbrainz) << c.what;
        EXPECT_EQ(q.cdId, MediaIdentityText(c.toc)) << c.what;
        EXPECT_EQ(q.offsets, c.offsets) << c.what;
        EXPECT_EQ(q.firstTrack, c.firstTrack) << c.what;
        EXPECT_EQ(q.leadOut, c.leadOut) << c.what;
        EXPECT_EQ(q.trackSeconds(q.trackCount() - 1), c.lastSeconds) << c.what;
    }
    const discinfo::DiscQuery none = DiscQueryOf(Toc(1000, {150}, {true}));
    EXPECT_TRUE(none.offsets.empty());
    EXPECT_EQ(none.freedbId, "");
    EXPECT_EQ(none.cdId, "");
}

TEST(DiscQueryTest, AnOpenDeviceGivesTheQueryOfItsDisc) {
    testutil::TempDir dir;
    const std::unique_ptr<CdDevice> device = CreateSilentCdDevice();
    EXPECT_TRUE(DiscQueryOf(device->Toc()).offsets.empty());
    ASSERT_TRUE(device->Open(testutil::WriteCueBinImage(dir.path().string(), {150, 200})).ok());
    const discinfo::DiscQuery q = DiscQueryOf(device->Toc());
    EXPECT_EQ(q.offsets, (std::vector<int>{150, 300}));
    EXPECT_EQ(q.leadOut, 500);
    EXPECT_EQ(q.freedbId, device->Ids().freedb);
    EXPECT_EQ(q.cdId, device->MediaIdentity());
    ASSERT_TRUE(device->Eject().ok());
    EXPECT_TRUE(DiscQueryOf(device->Toc()).offsets.empty());
}

}  // namespace
}  // namespace cdaudio
