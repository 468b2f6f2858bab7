// EntryCd: what the entry screen asks of the CD drive while a new source is typed: open the
// player, tie the disc to the new main title, and read the number of tracks and their lengths.
// The main window installs the real one; without one, reading a CD reports that the drive is not
// ready.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

struct CdTrackLength {
    int minutes = 0;
    int seconds = 0;  // frames dropped
};

// The CD-TEXT of the disc in table text (Windows-1252); a text the tables cannot hold is empty.
// Track lists are indexed from track 1 at [0].
struct CdDiscTexts {
    std::string title;
    std::string performer;
    std::vector<std::string> trackTitles;
    std::vector<std::string> trackPerformers;
};

class EntryCd {
public:
    virtual ~EntryCd() = default;

    // (Re)opens the CD device as the player setting asks, leaving it in track time format.
    virtual void OpenCDPlayer() = 0;
    // Identifies the disc and, after the user agreed, stores its identity in the main title at
    // record `hfRecNo` (hfdat.dat positioned on it). True only when the identity was stored.
    // Reports every refusal itself.
    virtual bool ChkCD(uint32_t hfRecNo) = 0;
    // Audio tracks on the disc.
    virtual int GetTracks() = 0;
    // The length of `track` in minutes and whole seconds.
    virtual CdTrackLength TrackLength(int track) = 0;
    // The disc's CD-TEXT; empty texts when it carries none.
    virtual CdDiscTexts DiscTexts() { return {}; }
    // The disc as a look-up knows it (IDs and track starts); no offsets when there is no disc
    // or the device is not open. Never opens the device.
    virtual discinfo::DiscQuery Query() { return {}; }
};

// The CD reader of the run; nullptr when none is installed.
EntryCd* CurrentEntryCd();
// Installs `cd` (not owned; nullptr removes it) and returns the one it replaces.
EntryCd* SetEntryCd(EntryCd* cd);
