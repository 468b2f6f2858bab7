// Reopening a source for entry: finding where its entry continues and keeping that in cd.ini
// (Diversen: OpenDrager, OpenTracknr, OpenTrackKant), where the entry screen looks when it opens.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class Catalogue;

// Where the entry of a source continues: the side ("A", "B" or "") and the next track number.
struct ContinuePoint {
    std::string kant;
    int track = 1;
};

// Walks the tracks of the source `seekKey` in side and track order (artdat.dat order 10). At the
// first track of side B the user is asked once whether to open side A; Yes continues after the
// last track of side A, No (or a source without side B) after the last track of the source. A
// source without tracks continues at track 1 on the side that the carrier's item gives
// ("A" when divided, "" otherwise); so does a Yes when the source has no side A tracks, on side A.
ContinuePoint FindContinuePoint(Catalogue& catalogue, const std::string& seekKey,
                                std::string_view carrier);

// The whole reopening: when a main title exists for carrier and number, finds the continue
// point and writes the three keys; true when they were written. An unknown source plays
// "ngev.wav" and shows "Source \"<carrier> <number>\" is not found!"; nothing changes.
// `carrier` is table bytes. Throws TableError.
bool ReopenSource(Catalogue& catalogue, std::string_view carrier, int64_t number);

// True when hfdat.dat holds the source; an unknown source is reported as ReopenSource does.
bool SourceExists(Catalogue& catalogue, std::string_view carrier, int64_t number);
