// EntryRunMemory: what the entry screen remembers for the whole run, across sources and screens:
// the values last typed in the repeatable track fields, and the track times read from the CD.
#pragma once

#include <array>
#include <string>

struct EntryRunMemory {
    static constexpr int kMaxTracks = 999;

    // Last remembered artist, title, composer, style, performance, keyword (50) and year (4).
    std::string artiest, titel, componist, genre2, uitvoering, trefwoord, jaar;
    // Minutes and seconds read from the CD, by track number 1..999 (index 0 unused).
    std::array<int, kMaxTracks + 1> cdMinuten{};
    std::array<int, kMaxTracks + 1> cdSeconden{};

    // The one memory of the run.
    static EntryRunMemory& Instance();
    // Back to the state at program start (tests).
    static void Reset();
};
