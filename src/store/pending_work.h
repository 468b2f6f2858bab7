// Work an earlier run left unfinished: a safety copy being put back, a source removal, a
// renumber, a search and replace, a mending, a CSV import. Each kept a note or a journal beside the
// tables while it ran; every program start and every command-line mode finishes or takes back what
// it finds before it reads the tables, and tells the user what it did.
#pragma once

#include <string>
#include <vector>

#include "platform/xbase/status.h"

class Catalogue;

// What finishing or taking back one unfinished operation did.
struct RecoveryOutcome {
    enum class Kind { None, Finished, TakenBack, Refused };
    Kind kind = Kind::None;
    // For the user: which operation it was and what now holds. Empty for None.
    std::string message;

    bool acted() const { return kind != Kind::None; }
    static RecoveryOutcome Finished(std::string text) { return {Kind::Finished, std::move(text)}; }
    static RecoveryOutcome TakenBack(std::string text) {
        return {Kind::TakenBack, std::move(text)};
    }
    static RecoveryOutcome Refused(std::string text) { return {Kind::Refused, std::move(text)}; }
};

// A note in cd.ini's section Diversen that cannot be proved: its value moves to `refusedKey` and
// `key` is cleared, so that no later start acts on it or speaks of it again. Returns the words
// that close the refusal: where the note went, or that it stays.
std::string SetNoteAside(const char* key, const char* refusedKey, const std::string& value);

// Before any table of the catalogue in `folder` opens: a restore that was cut short goes in
// whole, or out whole. Its outcome, if any, is added to `outcomes`. An error means the restore
// could be neither finished nor taken back; nothing may then read the tables.
xbase::Status FinishPendingRestore(const std::string& folder,
                                   std::vector<RecoveryOutcome>* outcomes);

// With the catalogue open, its indexes too: finishes or takes back every other operation that
// was cut short, in the order they can depend on one another. Returns what was done, in that
// order. Throws TableError.
std::vector<RecoveryOutcome> FinishPendingWork(Catalogue& catalogue);

// The notes and journals of unfinished work in `folder` (whose cd.ini is the one in use), by the
// names the messages give them, without touching any: for a reader that may not finish them
// because another copy of the program holds the catalogue or the folder cannot be written.
// Empty when nothing is pending.
std::vector<std::string> PendingWorkNotes(const std::string& folder);
