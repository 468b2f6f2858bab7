// The key under which the index orders built on "UPPER(DRAGER)+STR(CDNUMMER)" find a source, and
// the upper case those orders use. Texts are bytes of the tables' code page (Windows-1252).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/table_text.h"

// The width of the carrier code in a key, and the highest number a source can have.
inline constexpr int kCarrierWidth = 10;
inline constexpr int64_t kLastSourceNumber = 999999999;

// The index orders built on the key, by table: main titles (hfdat.dat), tracks (artdat.dat),
// loans and the playlist.
inline constexpr int kTitleSourceOrder = 4;
inline constexpr int kTrackSourceOrder = 8;
inline constexpr int kLoanSourceOrder = 1;
inline constexpr int kPlaylistSourceOrder = 5;

// The carrier code trimmed, upper-cased and blank-padded to 10 characters, followed by the number
// right-aligned in 10. `number` is the number as text (blanks around it are ignored).
std::string SourceSeekKey(std::string_view carrier, std::string_view number);
inline std::string SourceSeekKey(std::string_view carrier, int64_t number) {
    return SourceSeekKey(carrier, std::string_view(std::to_string(number)));
}
inline std::string SourceSeekKey(const TableText& carrier, int64_t number) {
    return SourceSeekKey(carrier.bytes(), number);
}
inline std::string SourceSeekKey(const TableText& carrier, const TableText& number) {
    return SourceSeekKey(carrier.bytes(), number.bytes());
}

// `text` upper-cased as UPPER() of the indexes does it (accented letters included).
std::string TableUpper(std::string_view text);
