// The tracks of one source as the source screen lists them: artist, title and record number of
// each, by side and track number, with the playing time of them all.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/table_text.h"

class TTableAccess;

// Order 10 of artdat.dat: UPPER(DRAGER)+STR(CDNUMMER)+AKANT+STR(TRACK).
constexpr int kArtBySideAndTrack = 10;

struct SourceTrackRow {
    TableText artist;  // blank-padded
    TableText title;
    uint32_t recno = 0;
};

struct SourceTracks {
    std::vector<SourceTrackRow> rows;  // filled only when asked for
    int count = 0;
    // The total with seconds carried into minutes; wide enough for 999 tracks of 999 minutes.
    uint32_t minutes = 0;
    uint32_t seconds = 0;
};

// Walks the tracks of the source with SourceSeekKey `key` in order 10. Leaves the track table on
// order 10, after the source's last track; the caller restores what it needs. Blank or
// unreadable minutes and seconds count as 0. Throws TableError.
SourceTracks ReadSourceTracks(TTableAccess& tracks, const std::string& key, bool withRows);

// "MM:SS", each part with at least two digits.
std::string PlayingTime(uint32_t minutes, uint32_t seconds);
