// Search and replace: a piece of text replaced by another in chosen text fields of every track
// and every main title, one field and one first occurrence at a time.
//
// A new value longer than its field is never cut silently: asked about, the user sees the value
// as it would be stored and that it is cut; not asked, the field is skipped and counted. The new
// value of a field with a pick list becomes a lookup item. Every change is planned and put in a
// journal before the first record is written (replace_journal.h), so that a run a crash cut short
// is finished at the next start, or had changed nothing. Texts are bytes of the tables' code page.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "store/table_error.h"

class Catalogue;

// Where to replace: every field, or one of them (in the order of the screen's radio buttons).
enum class ReplaceIn {
    All,
    MainTitle,
    Style1,
    Label,
    MainArtist,
    Artist,
    Title,
    Composer,
    Style2,
    Performance,
    Keyword
};

enum class ReplaceState { Replace, Skip, Continue, Cancel };

// The capitalisation flag of each field, indexed by ReplaceIn (All unused).
using ReplaceFlags = std::array<bool, 11>;
// The ten flags of cd.ini section Kapitaliseer, read now.
ReplaceFlags ReadReplaceFlags();

struct ReplaceRequest {
    std::string search;       // as typed
    std::string replacement;  // as typed
    ReplaceIn where = ReplaceIn::All;
    bool exact = false;       // whole words only
    bool warn = false;        // ask about each change
    bool capitalise = false;  // each word of the changed value capitalised
};

// The value `value` (blank-padded to its field) gets with the first match of `search` replaced,
// or nothing when it does not match. `search` is matched without regard to case: as typed within
// the value, or with `exact` as whole words (bounded by blanks or the ends of the value). The
// result is passed through KapitaliseerTekst with `eachWord` and comes back without the blanks
// it ends with; it may be longer than the field.
std::optional<std::string> ReplacedValue(std::string_view value, std::string_view search,
                                         std::string_view replacement, bool exact, bool eachWord);

// A change about to be made, shown to the user when asked.
struct ReplaceQuestion {
    std::string field;     // field name
    std::string oldValue;  // trimmed
    std::string newValue;  // as it would be stored
    bool cut = false;      // the new value is cut to the field's width
};

struct ReplaceOutcome {
    uint64_t replaced = 0;  // fields changed
    uint64_t skipped = 0;   // fields left alone because the new value does not fit
    // When not empty, nothing was replaced and this says why (a record changed meanwhile).
    std::string refusal;
    // Set when writing failed part way: `replaced` fields were written, `unwritten` more are
    // written when the catalogue is opened next (the journal stays for that).
    std::optional<TableError> failure;
    uint64_t unwritten = 0;
};

// The code of the pick list of a field that can be searched (0: none).
char ReplaceItemCode(bool track, std::string_view field);

// Runs the replace over the track table and then the main-title table, each in record order.
// `ask` is called for each change while `request.warn` holds and no answer was Continue; Cancel
// stops the run. `examined` is told the number of records examined so far, at every record (the
// caller decides when to show it). The changes accepted before a Cancel are made. A record that
// another user changed between the scan and the writing refuses the whole run. Throws TableError
// before the journal is complete, when nothing has changed; a failure after it is in the outcome,
// and the next start finishes the run.
// Every table is left where it stood.
ReplaceOutcome RunReplace(Catalogue& catalogue, const ReplaceRequest& request,
                          const ReplaceFlags& flags,
                          const std::function<ReplaceState(const ReplaceQuestion&)>& ask,
                          const std::function<void(uint64_t)>& examined);
