// DiscToc: the table of contents of a disc as read from a drive or an image, and what the device
// works out from it: which tracks are audio, where each begins, how long it is, and how a disc
// address reads as a track position. Addresses are LSNs (sector 0 = the start of the program
// area, 150 frames after the start of the lead-in).
#pragma once

#include <string>
#include <vector>

#include "platform/cdaudio/cd_device.h"

namespace cdaudio {

// Frames from the start of the lead-in to LSN 0: an LBA is the LSN plus these.
inline constexpr int kLeadInFrames = 150;

struct TocTrack {
    int number = 0;  // track number in the TOC
    int lsn = 0;     // first sector
    bool audio = true;
};

class DiscToc {
public:
    DiscToc() = default;
    DiscToc(std::vector<TocTrack> tracks, int leadout_lsn)
        : tracks_(std::move(tracks)), leadout_lsn_(leadout_lsn) {}

    const std::vector<TocTrack>& tracks() const { return tracks_; }
    int leadout_lsn() const { return leadout_lsn_; }

    // "" when the table is usable; otherwise what is wrong with it (starts out of order, a track
    // beyond the lead-out, addresses out of range). Zero-length tracks are allowed.
    std::string Problem() const;

    // Audio tracks, numbered 1..AudioTrackCount in disc order (a data track is skipped).
    int AudioTrackCount() const;
    // First sector of audio track `track`; -1 when there is no such track.
    int TrackStart(int track) const;
    // Frames from the start of audio track `track` to the start of the TOC's next track; for the
    // TOC's last track to the lead-out minus one frame (never below 0). 0 when there is no such
    // track.
    int TrackLength(int track) const;
    // The sector where playing ends: the end of the last audio track. 0 without audio tracks.
    int PlayEnd() const;
    // Whether sector `lsn` belongs to an audio track.
    bool IsAudioSector(int lsn) const;
    // The position of sector `lsn`: the audio track it lies in (the first one before the first
    // track starts, the last one at or after PlayEnd) and the time from that track's start.
    Tmsf TmsfAt(int lsn) const;

private:
    // Index in tracks_ of audio track `track`, or -1.
    int IndexOfAudio(int track) const;

    std::vector<TocTrack> tracks_;
    int leadout_lsn_ = 0;
};

}  // namespace cdaudio
