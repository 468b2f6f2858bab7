// The disc IDs through libdiscid, fed the TOC as it was read.
#include "platform/cdaudio/disc_ids.h"

#include <discid/discid.h>

#include "platform/cdaudio/disc_toc.h"

#include <memory>
#include <vector>

namespace cdaudio {

namespace {

// The gap between the audio session and a following data session of an enhanced CD.
constexpr int kSessionGapFrames = 11400;

struct DiscIdFree {
    void operator()(DiscId* d) const { discid_free(d); }
};

}  // namespace

DiscIds ComputeDiscIds(const DiscToc& toc) {
    const std::vector<TocTrack>& tracks = toc.tracks();
    size_t last = tracks.size();
    while (last > 0 && !tracks[last - 1].audio) {
        --last;
    }
    if (last == 0) {
        return {};
    }
    const int leadout =
        last < tracks.size() ? tracks[last].lsn - kSessionGapFrames : toc.leadout_lsn();
    // offsets[0] is the lead-out, offsets[n] the start of track n, all counted from the lead-in.
    std::vector<int> offsets(100, 0);
    offsets[0] = leadout + kLeadInFrames;
    const int first = tracks.front().number;
    for (size_t i = 0; i < last; ++i) {
        offsets[static_cast<size_t>(tracks[i].number)] = tracks[i].lsn + kLeadInFrames;
    }
    std::unique_ptr<DiscId, DiscIdFree> disc(discid_new());
    if (!disc || !discid_put(disc.get(), first, tracks[last - 1].number, offsets.data())) {
        return {};
    }
    return {discid_get_id(disc.get()), discid_get_freedb_id(disc.get()),
            discid_get_submission_url(disc.get())};
}

}  // namespace cdaudio
