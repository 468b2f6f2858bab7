// Filling a catalogued source from what a disc look-up found: only its blank track titles and
// artists and its missing times, never a field that holds something. The plan is shown to the
// user before anything is written; the write is all or nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/discinfo/disc_candidate.h"

class TTableAccess;

enum class FillField { Title, Artist, Time };

struct FillChange {
    uint32_t recno = 0;  // the track record in artdat.dat
    int track = 0;       // its TRACK, for the user
    std::string side;    // its AKANT, trimmed
    FillField field = FillField::Title;
    std::string shown;     // the new value as the user sees it (UTF-8): "…" marks a cut value
    std::string bytes;     // what is written (table bytes); Time: "MM:SS"
    bool cut = false;      // longer than the field: written cut, as shown
    bool refused = false;  // holds a character the tables cannot hold: shown, never written
};

// What would be filled on the tracks of the source with SourceSeekKey `key` (in side and track
// order, the candidate's tracks taken in the same order). Leaves the table where it was.
// Throws TableError.
std::vector<FillChange> PlanDiscFill(TTableAccess& tracks, const std::string& key,
                                     const discinfo::DiscCandidate& candidate);

// Writes every change that is not refused, each only where the field is still blank. All or
// nothing: when one record cannot be written the records written before it are put back, and
// the answer names the record that failed ("" when all went well).
std::string ApplyDiscFill(TTableAccess& tracks, const std::vector<FillChange>& changes);

// "Title", "Artist", "Time".
const char* FillFieldName(FillField field);
