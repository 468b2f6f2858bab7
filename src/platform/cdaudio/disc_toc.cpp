// Track arithmetic over a disc's table of contents.
#include "platform/cdaudio/disc_toc.h"

#include <algorithm>

namespace cdaudio {

namespace {

// The last sector a disc may have: 99 minutes 59 seconds 74 frames, less the lead-in.
constexpr int kMaxLsn = 99 * 4500 + 59 * 75 + 74 - 150;

}  // namespace

std::string DiscToc::Problem() const {
    if (leadout_lsn_ < 0 || leadout_lsn_ > kMaxLsn) {
        return "the lead-out address is out of range";
    }
    if (tracks_.size() > 99) {
        return "more than 99 tracks";
    }
    int previous = 0;
    for (const TocTrack& t : tracks_) {
        if (t.number < 1 || t.number > 99) {
            return "track number " + std::to_string(t.number) + " is out of range";
        }
        if (t.lsn < previous) {
            return "track " + std::to_string(t.number) + " starts before the track in front of it";
        }
        if (t.lsn > leadout_lsn_) {
            return "track " + std::to_string(t.number) + " starts beyond the end of the disc";
        }
        previous = t.lsn;
    }
    return "";
}

int DiscToc::AudioTrackCount() const {
    return static_cast<int>(
        std::count_if(tracks_.begin(), tracks_.end(), [](const TocTrack& t) { return t.audio; }));
}

int DiscToc::IndexOfAudio(int track) const {
    if (track < 1) {
        return -1;
    }
    int seen = 0;
    for (size_t i = 0; i < tracks_.size(); ++i) {
        if (tracks_[i].audio && ++seen == track) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int DiscToc::TrackStart(int track) const {
    const int i = IndexOfAudio(track);
    return i < 0 ? -1 : tracks_[i].lsn;
}

int DiscToc::TrackLength(int track) const {
    const int i = IndexOfAudio(track);
    if (i < 0) {
        return 0;
    }
    const bool last = i + 1 == static_cast<int>(tracks_.size());
    const int length =
        last ? leadout_lsn_ - tracks_[i].lsn - 1 : tracks_[i + 1].lsn - tracks_[i].lsn;
    return std::max(length, 0);
}

int DiscToc::PlayEnd() const {
    const int i = IndexOfAudio(AudioTrackCount());
    if (i < 0) {
        return 0;
    }
    return i + 1 < static_cast<int>(tracks_.size()) ? tracks_[i + 1].lsn : leadout_lsn_;
}

bool DiscToc::IsAudioSector(int lsn) const {
    for (size_t i = 0; i < tracks_.size(); ++i) {
        const int end = i + 1 < tracks_.size() ? tracks_[i + 1].lsn : leadout_lsn_;
        if (lsn >= tracks_[i].lsn && lsn < end) {
            return tracks_[i].audio;
        }
    }
    return false;
}

Tmsf DiscToc::TmsfAt(int lsn) const {
    const int count = AudioTrackCount();
    if (count == 0) {
        return {};
    }
    int track = 1;
    for (int t = 2; t <= count && TrackStart(t) <= lsn; ++t) {
        track = t;
    }
    const int from = std::max(lsn, TrackStart(track));
    const int frames = std::min(from, PlayEnd()) - TrackStart(track);
    Tmsf pos;
    pos.track = track;
    pos.minutes = frames / (60 * kFramesPerSecond);
    pos.seconds = (frames / kFramesPerSecond) % 60;
    pos.frames = frames % kFramesPerSecond;
    return pos;
}

DiscToc CdDevice::Toc() {
    return {};
}

}  // namespace cdaudio
