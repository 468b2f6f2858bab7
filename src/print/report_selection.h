// Which records a print selection hands to its report, found the way every selection screen finds
// them: seek a text in an index order and count the run of records whose field begins with it,
// or the sources of one carrier in a number range. Toolkit-free, so that the screens and the
// command line share it. Texts are bytes of the tables' code page; table failures throw
// TableError.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TTableAccess;

struct ReportSelection {
    bool found = false;  // the seek found a record (for an empty text: the table is not empty)
    uint64_t count = 0;  // records the report prints
    uint32_t first = 0;  // the first of them, 0 when none
};

struct PrefixQuery {
    int order = 0;                    // the index order to seek the text in
    std::vector<std::string> fields;  // joined, upper-cased and compared with the text
    std::string text;                 // the beginning to look for; empty for every record
    std::string carrier;              // only sources of this carrier count; empty for all
};

// From the first record of `query.order` whose key begins with the upper-cased text (the top for
// an empty text), counts the records whose joined fields, upper-cased, begin with it, stopping
// at the first that does not; with a carrier only records whose DRAGER is that carrier (case
// ignored) count. Leaves the table on `query.order`, on no particular record: the caller keeps the
// order and record it needs.
ReportSelection SelectByPrefix(TTableAccess& access, const PrefixQuery& query);

// The main titles of `carrier` numbered `low` to `high`, in order 4 (carrier and number) of
// hfdat.dat, which `titles` must be.
ReportSelection SelectNumberRange(TTableAccess& titles, std::string_view carrier, int64_t low,
                                  int64_t high);

// Whether DRAGER of the current record is `carrier` (trimmed; case ignored, blanks padded to 10).
bool OfCarrier(const TTableAccess& access, std::string_view carrier);

// The search text of a track time in order 6 (MINUTEN+SECONDEN+...): the minutes in at least two
// digits and, unless the seconds are 0, padded to three and followed by the seconds in two
// digits. 3:45 gives "03 45", 125:30 "12530"; 3:00 gives "03", which finds every track of three
// minutes.
std::string TrackTimeText(int minutes, int seconds);
