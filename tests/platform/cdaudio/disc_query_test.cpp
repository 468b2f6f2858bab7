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
DiscToc QueryToc(int leadout, const std::vector<int>& starts, const std::vector<bool>& data = {}) {
    std::vector<TocTrack> tracks;
    for (size_t i = 0; i < starts.size(); ++i)
        tracks.push_back({int(i) + 1, starts[i] - 150, !(i < data.size() && data[i])});
    return DiscToc(std::move(tracks), leadout - 150);
}

const std::vector<int> kExample = {150,    9700,   25887,  39297,  53795,  63735,  77517,  94877,
                                   107270, 123552, 135522, 148422, 161197, 174790, 192022, 205545,
                                   218010, 228700, 239590, 255470, 266932, 288750};

TEST(DiscQueryTest, TheAudioSessionGivesIdsOffsetsAndLength) {
    // The disc of tests/data/discdata/misc: tracks 3 and 4 start 20 and 16 s before the
    // example's, and still the freedb ID is the same.
    std::vector<int> colliding = kExample;
    colliding[2] -= 20 * 75;
    colliding[3] -= 16 * 75;
    const struct {
        DiscToc toc;
        std::vector<int> offsets;
        int firstTrack, leadOut;
    } cases[] = {
        {QueryToc(303602, kExample), kExample, 1, 303602},
        {QueryToc(303602, colliding), colliding, 1, 303602},
        // An enhanced CD's session ends 11400 frames before its data track; a mixed disc's data
        // track counts in the IDs only.
        {QueryToc(90000, {150, 20000, 51400}, {false, false, true}), {150, 20000}, 1, 40000},
        {QueryToc(40000, {150, 20000, 30000}, {true}), {20000, 30000}, 2, 40000},
        {QueryToc(1000, {150}, {true}), {}, 1, 0},
    };
    for (const auto& c : cases) {
        const discinfo::DiscQuery q = DiscQueryOf(c.toc);
        const DiscIds ids = ComputeDiscIds(c.toc);
        EXPECT_EQ(q.freedbId, ids.freedb);
        EXPECT_EQ(q.musicBrainzId, ids.musicbrainz);
        EXPECT_EQ(q.cdId, c.offsets.empty() ? "" : MediaIdentityText(c.toc));
        EXPECT_EQ(q.offsets, c.offsets);
        EXPECT_EQ(q.firstTrack, c.firstTrack);
        EXPECT_EQ(q.leadOut, c.leadOut);
    }
    EXPECT_EQ(DiscQueryOf(QueryToc(303602, colliding)).freedbId, "370fce16");
}

TEST(DiscQueryTest, AnOpenDeviceGivesTheQueryOfItsDisc) {
    testutil::TempDir dir;
    const std::unique_ptr<CdDevice> device = CreateSilentCdDevice();
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
