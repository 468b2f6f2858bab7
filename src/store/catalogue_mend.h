// Mending what the catalogue's check found, only where the user asks and only where it is safe:
// renumbering a side's tracks 1..n, filling blank track artists from the source's main artist,
// removing loans and playlist entries that point at nothing, removing lookup items nothing uses.
//
// A mending is planned first, every change listed for the user to see; nothing else is changed.
// It then goes in whole or not at all: every change is checked against the tables and put in a
// journal (mend.journal beside the tables) before the first record is written. A write that fails
// part way is taken back at once; a mending a crash cut short is taken back at the next start.
// Texts are bytes of the tables' code page.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/catalogue_check.h"
#include "store/pending_work.h"
#include "store/table_error.h"

class Catalogue;

enum class MendKind { RenumberTracks, FillArtists, RemoveBroken, RemoveUnusedItems };

inline constexpr MendKind kAllMendKinds[] = {MendKind::RenumberTracks, MendKind::FillArtists,
                                             MendKind::RemoveBroken, MendKind::RemoveUnusedItems};

// The kinds of finding a mending works from.
std::vector<CheckKind> MendFindingKinds(MendKind kind);
// What it does, e.g. "Renumber tracks".
std::string MendTitle(MendKind kind);

// One record to change or to remove.
struct MendChange {
    CheckTable table;
    uint32_t recno = 0;
    std::string carrier;  // its source, as stored; "" for a lookup item
    int64_t number = 0;
    std::string field;   // the field changed; "" when the record is removed
    std::string now;     // the field's value, trimmed; for a removal what the check says of it
    std::string next;    // the field's new value
    std::string before;  // a removed record's bytes after its deletion flag, to know it again
    bool removed() const { return field.empty(); }
};

struct MendPlan {
    MendKind kind = MendKind::RenumberTracks;
    std::vector<MendChange> changes;  // in the order they are written
    std::vector<std::string> left;    // what was left alone, and why ("LP 1 side A: ...")
};

// Plans the mending of `findings` (those of other kinds are passed over) as the tables hold them
// now: a finding a fresh check no longer makes is left out, and so is a change that would alter
// nothing. Renumbering takes the tracks of each side of every source named, in their order on
// the side (by number, then as entered), and playlist entries of a renumbered track follow it.
// Throws TableError.
MendPlan PlanMend(Catalogue& catalogue, MendKind kind, const std::vector<CheckFinding>& findings);

struct MendOutcome {
    uint64_t changed = 0;  // records changed or removed
    // When not empty nothing was changed, and this says why (a record changed since the plan, or
    // the journal could not be written).
    std::string refusal;
    // Writing failed part way; what was written has been taken back, or, when `takenBack` is
    // false, is taken back at the next start (the journal stays for that).
    std::optional<TableError> failure;
    bool takenBack = false;
};

// Runs a plan: checks every record still holds what the plan found, writes the journal, then the
// tables (tracks, loans, playlist, items), and removes the journal. `written` is told the records
// written so far after each table. Throws TableError before the journal is written, when nothing
// has changed.
MendOutcome RunMend(Catalogue& catalogue, const MendPlan& plan,
                    const std::function<void(uint64_t)>& written = nullptr);

// At start: takes back a mending a crash cut short. The journal is used only when it can be read
// whole and every record it names holds its old or its new state; one that does not fit changes
// nothing and is renamed aside, so that it is refused once.
RecoveryOutcome TakeBackMend(Catalogue& catalogue);
