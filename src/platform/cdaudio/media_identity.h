// The media identity of an audio disc: the number the platform's CD audio driver has always
// reported for a disc, which the catalogue keeps to recognise the disc again. It must come out
// exactly as before, or stored identities stop matching.
#pragma once

#include <cstdint>
#include <string>

#include "platform/cdaudio/disc_toc.h"

namespace cdaudio {

// Adds up, over every track of the TOC, its start address as absolute minutes, seconds and
// frames (lead-in included: LBA = LSN + 150; m = LBA / 4500, s = (LBA / 75) % 60,
// f = LBA % 75) weighted m * 65536 + s * 256 + f. A disc of fewer than 3 tracks also adds the
// frame part f of the first track's address and the frames from the first track's start to the
// lead-out. The sum wraps at 32 bits, as the driver's did. 0 when the TOC has no tracks.
std::uint32_t MediaIdentity(const DiscToc& toc);

// MediaIdentity as unsigned decimal text; "" when the TOC has no tracks.
std::string MediaIdentityText(const DiscToc& toc);

}  // namespace cdaudio
