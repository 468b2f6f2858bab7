// DiscIds: the identities the wider world knows a disc by, worked out from its table of contents
// alone (nothing is read from the drive or sent anywhere): the MusicBrainz disc ID, the older
// freedb (CDDB) ID, and the MusicBrainz page that looks the disc up.
#pragma once

#include <string>

namespace cdaudio {

class DiscToc;

struct DiscIds {
    std::string musicbrainz;  // 28 characters, e.g. "xUp1F2NkfP8s8jaeFn_Av3jNEI4-"
    std::string freedb;       // 8 hex digits, e.g. "370fce16"
    std::string lookupUrl;    // the MusicBrainz page for this TOC

    bool empty() const { return musicbrainz.empty(); }
};

// The IDs of the audio session: the tracks up to the last audio track. A data track after it
// (an enhanced CD) ends the session 11400 frames before the data track starts, as the published
// formats count it. Empty when the TOC has no audio track or cannot be described.
DiscIds ComputeDiscIds(const DiscToc& toc);

}  // namespace cdaudio
