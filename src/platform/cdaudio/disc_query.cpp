#include "platform/cdaudio/disc_query.h"

#include "platform/cdaudio/disc_ids.h"
#include "platform/cdaudio/disc_toc.h"
#include "platform/cdaudio/media_identity.h"

namespace cdaudio {

namespace {

// An enhanced CD's audio session ends this many frames before its data track, as disc_ids.cpp
// counts it for the IDs.
constexpr int kQuerySessionGapFrames = 11400;

}  // namespace

discinfo::DiscQuery DiscQueryOf(const DiscToc& toc) {
    discinfo::DiscQuery query;
    const std::vector<TocTrack>& tracks = toc.tracks();
    size_t last = tracks.size();
    while (last > 0 && !tracks[last - 1].audio)
        --last;
    if (last == 0)
        return query;
    const DiscIds ids = ComputeDiscIds(toc);
    query.cdId = MediaIdentityText(toc);
    query.musicBrainzId = ids.musicbrainz;
    query.freedbId = ids.freedb;
    // The audio tracks only, as the catalogue and the screens count them; a data track before
    // the audio (a mixed disc) still counts in the IDs.
    for (size_t i = 0; i < last; ++i) {
        if (!tracks[i].audio)
            continue;
        if (query.offsets.empty())
            query.firstTrack = tracks[i].number;
        query.offsets.push_back(tracks[i].lsn + kLeadInFrames);
    }
    const int leadOut =
        last < tracks.size() ? tracks[last].lsn - kQuerySessionGapFrames : toc.leadout_lsn();
    query.leadOut = leadOut + kLeadInFrames;
    return query;
}

}  // namespace cdaudio
