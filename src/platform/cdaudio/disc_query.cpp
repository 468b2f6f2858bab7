#include "platform/cdaudio/disc_query.h"

#include "platform/cdaudio/disc_toc.h"

namespace cdaudio {

// Not built yet: an empty query.
discinfo::DiscQuery DiscQueryOf(const DiscToc&) {
    return {};
}

}  // namespace cdaudio
