// The disc as a look-up query: its IDs and the track starts of its audio session.
#pragma once

#include "platform/discinfo/disc_candidate.h"

namespace cdaudio {

class DiscToc;

// The query of `toc`'s audio session (the tracks up to the last audio track; an enhanced CD's
// session ends 11400 frames before its data track); empty offsets when it has no audio track.
discinfo::DiscQuery DiscQueryOf(const DiscToc& toc);

}  // namespace cdaudio
