// The database information: how many sources and tracks the catalogue holds, how many of them
// have each field filled in, the loans, the total purchase amount and playing time, and the
// sources per carrier code. Counting reads each table straight through once; the figures are kept
// in cd.ini (section DatabaseInformatie) so that they show at once the next time. Failures throw
// TableError.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/scan_progress.h"

class Catalogue;
class TDataModule3;

// The counts of one update.
struct DatabaseStatistics {
    // Main titles (hfdat.dat): all, and those whose field is not blank.
    uint64_t sources = 0, qualities = 0, mainTitles = 0, sourceStyles = 0, labels = 0,
             mainArtists = 0, memos = 0, purchases = 0;
    double amount = 0;  // the sum of the purchase prices
    uint64_t loans = 0;
    // Tracks (artdat.dat): all, those whose field is not blank, those with a year of at least
    // three characters and those with a playing time.
    uint64_t tracks = 0, artists = 0, titles = 0, composers = 0, trackStyles = 0, performances = 0,
             keywords = 0, years = 0, trackTimes = 0;
    uint64_t playingSeconds = 0;
    // Main titles per carrier code, the code upper-cased and blank-padded to 10.
    std::map<std::string, uint64_t> sourcesPerCarrier;
};

// The figures as texts by their key in section DatabaseInformatie (counts as plain numbers, the
// amount with two decimals right-aligned in 9 characters, the playing time as whole hours, Uren,
// and the minutes left over, Minuten), and the date of the update they came from.
struct DatabaseInformation {
    std::map<std::string, std::string> texts;
    std::string date;  // "" when there was no update
};

// The figures kept from the last update: "0" for each one never stored.
DatabaseInformation ReadDatabaseInformation();

// Counts in one pass over the main titles and one over the tracks (deleted records left out),
// writes into AANTAL of every carrier code its number of sources (0 for a code without one) and
// keeps the figures with today's date in cd.ini. Nothing, and nothing written, when the hook
// stopped the count.
std::optional<DatabaseInformation> UpdateDatabaseInformation(
    Catalogue& catalogue, const ScanProgress& progress = nullptr);

// The carrier codes: the items of code D in alphabetical order (record numbers of items.dat).
std::vector<uint32_t> CarrierItems(TDataModule3& items);
