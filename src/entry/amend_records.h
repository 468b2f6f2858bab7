// What the insert, track and main-title screens store: a new track of an existing source, a
// modified track (with one value for all tracks of its source), a modified main title (moved to
// a new key when it changed). Toolkit-free; texts are table bytes. Table failures throw
// TableError and leave the record being stored unposted.
#pragma once

#include <cstdint>
#include <string>

#include "store/record_edit.h"

class Catalogue;

// The texts of a track as a screen holds them.
struct TrackTexts {
    std::string carrier, number, side;
    std::string artist, title, composer, style, performance, keyword;
    std::string year, minutes, seconds, track;
};

// The texts of a main title as the main-title screen holds them.
struct MainTitleTexts {
    std::string carrier, number, quality, title, style, label, mainArtist;
};

// Whether a main title has the key (carrier, number).
bool SourceExists(Catalogue& catalogue, const std::string& carrier, const std::string& number);

// Appends `texts` as a new track: the carrier upper-cased, the texts capitalised and the numbers
// written as KapitaliseerData1 does; style, performance and keyword become lookup items. Returns
// its record number, with the failure of a save that stored the track all the same (see
// AppendRecord); throws when nothing was stored.
AppendOutcome StoreNewTrack(Catalogue& catalogue, const TrackTexts& texts);

// Sets TRACK of track `recno` to `track`.
void SetTrackNumber(Catalogue& catalogue, uint32_t recno, int track);

// The fields whose new value goes into every track of the source.
struct ChangeInAll {
    bool style = false, performance = false, keyword = false;
};

// Stores the modified track `recno` (carrier and number of `texts` are not used: the track keeps
// its source). For each field of `all` whose text differs from `before` (the texts when the
// screen opened), the text as typed goes into every track of the source. Then the lookup items.
void StoreModifiedTrack(Catalogue& catalogue, uint32_t recno, const TrackTexts& texts,
                        const TrackTexts& before, ChangeInAll all);

// Stores the modified main title `recno` and, when its key changed, moves its tracks. False when
// the new key belongs to another source: the main title keeps its old key (the user was told),
// its other changes are stored.
bool StoreModifiedMainTitle(Catalogue& catalogue, uint32_t recno, const MainTitleTexts& texts,
                            const std::string& oldCarrier, const std::string& oldNumber);
