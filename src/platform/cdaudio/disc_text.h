// DiscText: the CD-TEXT a disc carries (UTF-8): the album's title and performer and each audio
// track's. Texts the disc does not carry are empty.
#pragma once

#include <string>
#include <vector>

namespace cdaudio {

struct TrackText {
    std::string title;
    std::string performer;
};

struct DiscText {
    std::string title;
    std::string performer;
    std::vector<TrackText> tracks;  // [0] is audio track 1

    // The texts of audio track `track` (1-based); empty ones when the disc has none for it.
    TrackText Track(int track) const {
        return track >= 1 && static_cast<size_t>(track) <= tracks.size()
                   ? tracks[static_cast<size_t>(track) - 1]
                   : TrackText();
    }
    bool empty() const {
        if (!title.empty() || !performer.empty()) {
            return false;
        }
        for (const TrackText& t : tracks) {
            if (!t.title.empty() || !t.performer.empty()) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace cdaudio
