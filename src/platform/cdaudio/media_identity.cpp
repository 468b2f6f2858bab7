// The disc identity sum.
#include "platform/cdaudio/media_identity.h"

#include "platform/cdaudio/disc_toc.h"

namespace cdaudio {

namespace {

std::uint32_t PackedMsf(int lsn) {
    const auto lba = static_cast<std::uint32_t>(lsn + kLeadInFrames);
    const std::uint32_t m = lba / 4500;
    const std::uint32_t s = (lba / 75) % 60;
    const std::uint32_t f = lba % 75;
    return m * 65536u + s * 256u + f;
}

}  // namespace

std::uint32_t MediaIdentity(const DiscToc& toc) {
    const auto& tracks = toc.tracks();
    if (tracks.empty()) {
        return 0;
    }
    std::uint32_t sum = 0;
    for (const TocTrack& t : tracks) {
        sum += PackedMsf(t.lsn);
    }
    if (tracks.size() < 3) {
        const int first = tracks.front().lsn;
        sum += static_cast<std::uint32_t>(first + kLeadInFrames) % 75;
        sum += static_cast<std::uint32_t>(toc.leadout_lsn() - first);
    }
    return sum;
}

std::string MediaIdentityText(const DiscToc& toc) {
    return toc.tracks().empty() ? std::string() : std::to_string(MediaIdentity(toc));
}

}  // namespace cdaudio
