#include "platform/discinfo/disc_candidate.h"

namespace discinfo {

int DiscQuery::trackSeconds(int index) const {
    if (index < 0 || index >= trackCount())
        return 0;
    const int end = index + 1 < trackCount() ? offsets[size_t(index) + 1] : leadOut;
    return end > offsets[size_t(index)] ? (end - offsets[size_t(index)]) / 75 : 0;
}

const char* OriginName(Origin origin) {
    switch (origin) {
        case Origin::Catalogue:
            return "catalogue";
        case Origin::DiscData:
            return "disc data";
        case Origin::MusicBrainz:
            return "MusicBrainz";
        case Origin::Gnudb:
            return "gnudb";
    }
    return "";
}

}  // namespace discinfo
