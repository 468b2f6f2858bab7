#include "store/field_replace.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "base/ini.h"
#include "base/text.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/replace_journal.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

// A field that can be searched: where it is chosen, its table, its name, its capitalisation flag
// in cd.ini and the code of its pick list (0: none). Track fields first, in the order of a run.
struct ReplaceField {
    ReplaceIn which;
    bool track;
    const char* name;
    const char* flag;
    char itemCode;
};
constexpr ReplaceField kFields[] = {
    {ReplaceIn::Artist, true, "ARTIEST", "K_Artiest", 0},
    {ReplaceIn::Title, true, "TITEL", "K_titel", 0},
    {ReplaceIn::Composer, true, "COMPONIST", "K_Componist", 0},
    {ReplaceIn::Style2, true, "SOORT", "K_Genre2", 'G'},
    {ReplaceIn::Performance, true, "UITVOER", "K_Uitvoering", 'U'},
    {ReplaceIn::Keyword, true, "TREF", "K_Trefwoord", 'T'},
    {ReplaceIn::MainTitle, false, "HTITEL", "K_Hoofdtitel", 'H'},
    {ReplaceIn::Style1, false, "SOORT", "K_Genre1", 'G'},
    {ReplaceIn::Label, false, "LABEL", "K_Label", 'L'},
    {ReplaceIn::MainArtist, false, "HOOFDART", "K_Hoofdartiest", 'A'},
};

// Without a question the changes found are settled in batches of this many.
constexpr size_t kBatch = 1024;

struct ChosenField {
    const ReplaceField* field;
    const xbase::FieldDef* def;
    bool eachWord;
};

// A change found by the scan, not yet asked about or written.
struct Found {
    uint32_t recno;
    const ChosenField* field;
    std::string oldValue;
    std::string newValue;
};

class Replacer {
public:
    Replacer(Catalogue& catalogue, const ReplaceRequest& request, const ReplaceFlags& flags,
             const std::function<ReplaceState(const ReplaceQuestion&)>& ask,
             const std::function<void(uint64_t)>& examined)
        : catalogue_(catalogue), request_(request), flags_(flags), ask_(ask), examined_(examined) {}

    ReplaceOutcome Run() {
        ReplaceJournalWriter journal(catalogue_, request_.search, request_.replacement);
        ThrowIfError(journal.status());
        journal_ = &journal;
        Walk(catalogue_.dm1.ArtTable, true);
        Walk(catalogue_.dm2.HfTable, false);
        ThrowIfError(journal.status());
        if (planned_ == 0)
            return outcome_;
        ThrowIfError(journal.Commit());
        ReplaceApplied applied;
        uint64_t written = 0;
        try {
            applied = ApplyReplaceJournal(catalogue_, &written);
        } catch (const TableError& error) {
            outcome_.replaced = written;
            outcome_.unwritten = planned_ - std::min(planned_, written);
            outcome_.failure = error;
            return outcome_;
        }
        if (applied.fault.empty()) {
            outcome_.replaced = applied.fields;
        } else {
            std::filesystem::remove(catalogue_.File("replace.journal"));
            outcome_.refusal = "Nothing was replaced: " + applied.fault +
                               ". Another user changed it meanwhile; search and replace again.";
        }
        return outcome_;
    }

private:
    void Walk(TTable& table, bool tracks) {
        std::vector<ChosenField> chosen;
        for (const ReplaceField& field : kFields) {
            if (field.track == tracks &&
                (request_.where == ReplaceIn::All || request_.where == field.which)) {
                chosen.push_back({&field, &table.Field(field.name),
                                  request_.capitalise && flags_[size_t(field.which)]});
            }
        }
        if (chosen.empty())
            return;
        xbase::Table& file = table.table();
        uint32_t next = 1;
        std::vector<Found> found;
        while (state_ != ReplaceState::Cancel && next <= file.recordCount()) {
            found.clear();
            ThrowIfError(file.ScanRecords(next, [&](uint32_t recno, const uint8_t* record) {
                next = recno + 1;
                if (record[0] == '*')  // deleted: out of view
                    return true;
                if (examined_)
                    examined_(++examinedCount_);
                for (const ChosenField& field : chosen) {
                    const std::string_view value = xbase::FieldBytes(record, *field.def);
                    if (IsBlank(value))
                        continue;
                    if (auto replaced = ReplacedValue(value, request_.search, request_.replacement,
                                                      request_.exact, field.eachWord)) {
                        found.push_back({recno, &field, TrimRight(value), std::move(*replaced)});
                    }
                }
                // Asking, each record is settled before the count moves on.
                return found.empty() || (!Asking() && found.size() < kBatch);
            }));
            Settle(tracks ? 'A' : 'H', found);
            // A table that changed under the scan is read on from where the scan stood.
        }
    }

    bool Asking() const { return request_.warn && state_ != ReplaceState::Continue; }

    // Asks about (when asking) the changes found and puts the accepted ones in the journal.
    void Settle(char letter, const std::vector<Found>& found) {
        for (const Found& change : found) {
            if (state_ == ReplaceState::Cancel)
                return;
            const size_t width = change.field->def->length;
            const bool fits = change.newValue.size() <= width;
            const std::string stored = fits ? change.newValue : change.newValue.substr(0, width);
            if (Asking()) {
                state_ = ask_({change.field->field->name, change.oldValue, stored, !fits});
            } else if (!fits) {
                ++outcome_.skipped;
                continue;
            }
            if (state_ == ReplaceState::Replace || state_ == ReplaceState::Continue) {
                journal_->Add(letter, change.recno, change.field->field->name, change.oldValue,
                              stored);
                ++planned_;
            }
        }
    }

    Catalogue& catalogue_;
    const ReplaceRequest& request_;
    const ReplaceFlags& flags_;
    const std::function<ReplaceState(const ReplaceQuestion&)>& ask_;
    const std::function<void(uint64_t)>& examined_;
    ReplaceJournalWriter* journal_ = nullptr;
    ReplaceState state_ = ReplaceState::Replace;
    ReplaceOutcome outcome_;
    uint64_t examinedCount_ = 0;
    uint64_t planned_ = 0;
};

}  // namespace

char ReplaceItemCode(bool track, std::string_view field) {
    for (const ReplaceField& candidate : kFields) {
        if (candidate.track == track && field == candidate.name)
            return candidate.itemCode;
    }
    return 0;
}

ReplaceFlags ReadReplaceFlags() {
    ReplaceFlags flags{};
    for (const ReplaceField& field : kFields)
        flags[size_t(field.which)] = IniReadBool("Kapitaliseer", field.flag);
    return flags;
}

std::optional<std::string> ReplacedValue(std::string_view value, std::string_view search,
                                         std::string_view replacement, bool exact, bool eachWord) {
    const std::string trimmed = Trim(search);
    if (trimmed.empty() || IsBlank(value))
        return std::nullopt;
    const std::string upper = TableUpper(value);
    size_t position = 0;
    if (exact) {
        // Blanks around both sides make a match a whole word; the blank in front of the value
        // makes the position found the position in the value.
        position = (" " + upper + " ").find(" " + TableUpper(trimmed) + " ");
    } else {
        // Blanks typed around the text must match too, but only the text itself is replaced.
        position = upper.find(TableUpper(search));
        if (position != std::string::npos)
            position += search.find_first_not_of(' ');
    }
    if (position == std::string::npos)
        return std::nullopt;
    const size_t rest = std::min(value.size(), position + trimmed.size());
    std::string result = TrimRight(std::string(value.substr(0, position)) +
                                   std::string(replacement) + std::string(value.substr(rest, 100)));
    std::string capitalised = KapitaliseerTekst(result, eachWord);
    // Only the case changes: whatever KapitaliseerTekst leaves off is kept.
    if (capitalised.size() < result.size())
        capitalised += result.substr(capitalised.size());
    return capitalised;
}

ReplaceOutcome RunReplace(Catalogue& catalogue, const ReplaceRequest& request,
                          const ReplaceFlags& flags,
                          const std::function<ReplaceState(const ReplaceQuestion&)>& ask,
                          const std::function<void(uint64_t)>& examined) {
    return Replacer(catalogue, request, flags, ask, examined).Run();
}
