// Renumbering the sources of one carrier: every main title of the carrier, in carrier-and-number
// order, gets a new number, and its tracks, loans and playlist entries follow it.
//
// The whole run is planned before anything is written: the record numbers of every record that
// changes are collected, and a new key that a source outside the run holds refuses the run. The
// plan is then put on the disk as a journal beside the tables (renumber.journal) before the first
// record changes, so that a run a crash cut short is finished at the next start: each record is
// either old or new, and the journal names the new key of every one. Sources of the run may hold
// one another's keys for a moment while it runs; the journal, not the keys, says which record
// belongs where.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xbase/table.h"
#include "store/pending_work.h"

class Catalogue;

// One source of the run: its main title and the records that carry its key.
struct SourceMove {
    uint32_t titleRecno = 0;
    int64_t oldNumber = 0;
    int64_t newNumber = 0;
    std::vector<uint32_t> tracks, loans, playlist;
};

struct RenumberPlan {
    std::string carrier;  // upper case, trimmed
    std::vector<SourceMove> moves;
    // When not empty, the run is refused and this says why (naming the source); moves is empty.
    std::string refusal;
};

// Plans the run for `carrier` (trimmed and upper-cased here) from `startNumber`.
// Without `moveUp`, every source of the carrier, from its lowest number on, gets startNumber,
// startNumber + 1, ... in turn. With `moveUp`, every source numbered startNumber or higher moves
// up by one, gaps kept, so that startNumber is free for one new source; the sources below stay.
// Refused when a new key is held by a source (main title or tracks) that the run does not move,
// when two main titles of the carrier share a number, or when a number would pass 999999999.
// Throws TableError. Leaves every table where it stood.
RenumberPlan PlanRenumber(Catalogue& catalogue, std::string_view carrier, int64_t startNumber,
                          bool moveUp);

// Runs a plan without a refusal: the journal first, then the tracks, loans, playlist entries and
// main titles get their new keys, table by table; `placing` is told of each source as its first
// record is written, and `rebuilding` follows the index files rebuilt after a large run. The
// tables are synced and the journal removed. A source whose number stays is passed over without a
// write. False, with nothing changed, when the journal cannot be written (the user has been told).
// Throws TableError; the journal then stays and the next start finishes the run.
bool RunRenumber(Catalogue& catalogue, const RenumberPlan& plan,
                 const std::function<void(const SourceMove&)>& placing,
                 const xbase::ProgressFn& rebuilding = nullptr);

// One source moved on its own (its main title and tracks given the key `newCarrier newNumber`
// by the caller): its loans and playlist entries follow it as a run's do. Throws TableError.
void MoveLoansAndPlaylist(Catalogue& catalogue, std::string_view oldCarrier,
                          std::string_view oldNumber, std::string_view newCarrier,
                          int64_t newNumber);

// At start: finishes a run a crash cut short, if any. The journal names each record with its old
// and its new key; it is used only when it can be read whole and every record it names holds its
// old or its new key, and then only records still holding the old key change. A journal that does
// not fit changes nothing and is renamed aside, so that it is refused once.
RecoveryOutcome FinishRenumber(Catalogue& catalogue);
