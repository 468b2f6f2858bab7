// The disc IDs of published example discs, given as lead-out and track starts counted from the
// lead-in (LBA), the way both formats publish them.
#include <gtest/gtest.h>

#include <vector>

#include "platform/cdaudio/disc_ids.h"
#include "platform/cdaudio/disc_toc.h"

namespace cdaudio {
namespace {

DiscToc TocOf(int leadout, const std::vector<int>& starts, bool dataLast = false) {
    std::vector<TocTrack> tracks;
    for (size_t i = 0; i < starts.size(); ++i) {
        const bool audio = !(dataLast && i + 1 == starts.size());
        tracks.push_back({static_cast<int>(i) + 1, starts[i] - 150, audio});
    }
    return DiscToc(std::move(tracks), leadout - 150);
}

TEST(DiscIdsTest, PublishedExamples) {
    const std::vector<int> twentyTwo = {
        150,    9700,   25887,  39297,  53795,  63735,  77517,  94877,  107270, 123552, 135522,
        148422, 161197, 174790, 192022, 205545, 218010, 228700, 239590, 255470, 266932, 288750};
    const std::vector<int> fifteen = {150,    17510,  33275,  45910,  57805,  78310,  94650, 109580,
                                      132010, 149160, 165115, 177710, 203325, 215555, 235590};
    // The fifteen-track disc again as an enhanced CD: its data track starts one session gap
    // after the audio's lead-out, and the IDs stay those of the audio.
    std::vector<int> enhanced = fifteen;
    enhanced.push_back(258725 + 11400);
    const struct {
        DiscToc toc;
        const char* musicbrainz;
        const char* freedb;
    } cases[] = {
        {TocOf(303602, twentyTwo), "xUp1F2NkfP8s8jaeFn_Av3jNEI4-", "370fce16"},
        {TocOf(258725, fifteen), "TqvKjMu7dMliSfmVEBtrL7sBSno-", "b60d770f"},
        {TocOf(300000, enhanced, true), "TqvKjMu7dMliSfmVEBtrL7sBSno-", "b60d770f"},
        {TocOf(1000, {150}, true), "", ""},
    };
    for (const auto& c : cases) {
        const DiscIds ids = ComputeDiscIds(c.toc);
        EXPECT_EQ(ids.musicbrainz, c.musicbrainz);
        EXPECT_EQ(ids.freedb, c.freedb);
        if (!ids.empty()) {
            EXPECT_NE(ids.lookupUrl.find("musicbrainz.org"), std::string::npos);
            EXPECT_NE(ids.lookupUrl.find(c.musicbrainz), std::string::npos) << ids.lookupUrl;
        }
    }
}

}  // namespace
}  // namespace cdaudio
