// Writing a mending all-or-nothing through its journal, and taking back one a crash cut short.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

#include "base/text.h"
#include "platform/profile/profile_file.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/catalogue_mend.h"
#include "store/durable_copy.h"
#include "store/journal_file.h"
#include "store/journal_text.h"
#include "store/record_edit.h"
#include "store/record_field.h"

namespace {

constexpr const char* kMendJournal = "mend.journal";
constexpr const char* kMendHeader = "TUNELO MEND 1";

// The tables a mending writes, in the order it writes them, and the letters that name them in
// the journal.
constexpr std::pair<CheckTable, char> kMendTables[] = {{CheckTable::Tracks, 'A'},
                                                       {CheckTable::Loans, 'U'},
                                                       {CheckTable::Playlist, 'P'},
                                                       {CheckTable::Items, 'I'}};

TTable& MendTable(Catalogue& catalogue, CheckTable table) {
    switch (table) {
        case CheckTable::Tracks:
            return catalogue.dm1.ArtTable;
        case CheckTable::MainTitles:
            return catalogue.dm2.HfTable;
        case CheckTable::Items:
            return catalogue.dm3.ItemsTable;
        case CheckTable::Loans:
            return catalogue.dm3.UitleenTable;
        case CheckTable::Playlist:
            break;
    }
    return catalogue.dm3.PlaylistTable;
}

const char* MendTableWord(CheckTable table) {
    switch (table) {
        case CheckTable::Tracks:
            return "the tracks";
        case CheckTable::Loans:
            return "the loans";
        case CheckTable::Playlist:
            return "the playlist";
        case CheckTable::Items:
            return "the lookup items";
        case CheckTable::MainTitles:
            break;
    }
    return "the main titles";
}

std::string MendJournalText(const MendPlan& plan) {
    std::string text = std::string(kMendHeader) + "\nK\t" + std::to_string(int(plan.kind)) + "\n";
    for (const MendChange& change : plan.changes) {
        char letter = 0;
        for (const auto& [table, name] : kMendTables)
            letter = table == change.table ? name : letter;
        const std::string place = std::string(1, letter) + "\t" + std::to_string(change.recno);
        if (change.removed())
            text += "R\t" + place + "\t" + JournalEscape(change.before) + "\n";
        else
            text += "C\t" + place + "\t" + change.field + "\t" + JournalEscape(change.now) + "\t" +
                    JournalEscape(change.next) + "\n";
    }
    return text + "END\n";
}

struct MendJournal {
    MendKind kind = MendKind::RenumberTracks;
    std::vector<MendChange> changes;
    std::string fault;  // why it cannot be used; empty when it can
};

// One change line ("C" or "R", table letter, record, then the values); false when it is not one.
bool ReadChange(const std::vector<std::string_view>& parts, MendChange* change) {
    const bool removal = !parts.empty() && parts[0] == "R";
    if (parts.size() != (removal ? 4u : 6u) || (!removal && parts[0] != "C") ||
        parts[1].size() != 1)
        return false;
    const auto table = std::ranges::find_if(
        kMendTables, [&](const auto& known) { return known.second == parts[1][0]; });
    int64_t recno = 0;
    if (table == std::end(kMendTables) || !ParseWholeNumber(parts[2], 1, UINT32_MAX, &recno))
        return false;
    change->table = table->first;
    change->recno = uint32_t(recno);
    std::optional<std::string> first = JournalUnescape(parts[3]), second;
    if (!removal) {
        change->field = std::string(parts[3]);
        first = JournalUnescape(parts[4]);
        second = JournalUnescape(parts[5]);
        if (change->field.empty() || !second)
            return false;
        change->next = *second;
    }
    if (!first)
        return false;
    (removal ? change->before : change->now) = *first;
    return true;
}

MendJournal ReadMendJournal(const std::string& path) {
    MendJournal journal;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    int64_t kind = -1;
    if (!std::getline(in, line) || line != kMendHeader || !std::getline(in, line) ||
        !line.starts_with("K\t") || !ParseWholeNumber(line.substr(2), 0, 3, &kind)) {
        journal.fault = "it is not a mending journal of this program";
        return journal;
    }
    journal.kind = MendKind(kind);
    for (size_t lineNo = 3; std::getline(in, line); ++lineNo) {
        if (line == "END")
            return journal;
        MendChange change{};
        if (!ReadChange(JournalFields(line), &change)) {
            journal.fault = "line " + std::to_string(lineNo) + " (\"" + line.substr(0, 40) +
                            "\") cannot be read";
            return journal;
        }
        journal.changes.push_back(std::move(change));
    }
    journal.fault = "it ends before its last line";
    return journal;
}

enum class MendState { Old, New, Neither };

MendState StateOf(const xbase::Table& file, const MendChange& change, const uint8_t* record) {
    if (change.removed()) {
        if (std::string_view(reinterpret_cast<const char*>(record) + 1, file.recordLength() - 1) !=
            change.before)
            return MendState::Neither;
        return record[0] == '*' ? MendState::New : MendState::Old;
    }
    const int index = file.schema().Find(change.field);
    if (record[0] == '*' || index < 0)
        return MendState::Neither;
    const std::string value = Trim(xbase::FieldBytes(record, file.schema()[size_t(index)]));
    return value == change.now ? MendState::Old
                               : (value == change.next ? MendState::New : MendState::Neither);
}

std::string Described(const xbase::Table& file, const MendChange& change, const uint8_t* record) {
    const std::string where =
        "record " + std::to_string(change.recno) + " of " + MendTableWord(change.table);
    if (change.removed())
        return where + " is not the one that was to be removed";
    const int index = file.schema().Find(change.field);
    if (index < 0)
        return where + " has no field " + change.field;
    if (record[0] == '*')
        return where + " has been removed";
    return where + " holds \"" + Trim(xbase::FieldBytes(record, file.schema()[size_t(index)])) +
           "\" in " + change.field + ", not \"" + change.now + "\" or \"" + change.next + "\"";
}

// Reads every record the changes name: those still old and those new already. A record in any
// other state (or one in the new state while `oldOnly`) is the fault returned.
std::string Sorted(Catalogue& catalogue, const std::vector<MendChange>& changes, bool oldOnly,
                   std::vector<const MendChange*>* olds, std::vector<const MendChange*>* news) {
    std::vector<uint8_t> record;
    for (const auto& [table, letter] : kMendTables)
        ThrowIfError(MendTable(catalogue, table).table().Refresh(false));
    for (const MendChange& change : changes) {
        const xbase::Table& file = MendTable(catalogue, change.table).table();
        if (change.recno > file.recordCount())
            return "record " + std::to_string(change.recno) + " of " + MendTableWord(change.table) +
                   " does not exist";
        record.resize(file.recordLength());
        ThrowIfError(file.ReadRecord(change.recno, record.data()));
        const MendState state = StateOf(file, change, record.data());
        if (state == MendState::Neither || (oldOnly && state == MendState::New))
            return Described(file, change, record.data());
        (state == MendState::Old ? olds : news)->push_back(&change);
    }
    return {};
}

// Writes the new state (`forward`) or the old one of `changes`, table by table; `written` is told
// the records written so far after each table.
void WriteChanges(Catalogue& catalogue, const std::vector<const MendChange*>& changes, bool forward,
                  const std::function<void(uint64_t)>& written) {
    uint64_t done = 0;
    for (const auto& [which, letter] : kMendTables) {
        TTable& table = MendTable(catalogue, which);
        std::vector<uint32_t> recnos;
        std::vector<std::vector<const MendChange*>> fields;
        std::vector<const MendChange*> removals;
        for (const MendChange* change : changes) {
            if (change->table != which)
                continue;
            if (change->removed()) {
                removals.push_back(change);
                continue;
            }
            if (recnos.empty() || recnos.back() != change->recno) {
                recnos.push_back(change->recno);
                fields.emplace_back();
            }
            fields.back().push_back(change);
        }
        if (recnos.empty() && removals.empty())
            continue;
        if (!recnos.empty())
            RewriteRecords(table, recnos, [&](size_t i, uint8_t* record) {
                for (const MendChange* change : fields[i]) {
                    const xbase::FieldDef& def = table.Field(change->field);
                    // Another user's value written since the records were read stays.
                    if (Trim(xbase::FieldBytes(record, def)) !=
                        (forward ? change->now : change->next))
                        continue;
                    XB_RETURN_IF_ERROR(
                        xbase::SetText(record, def, forward ? change->next : change->now));
                }
                return xbase::Status::OK();
            });
        for (const MendChange* change : removals)
            ThrowIfError(table.table().SetDeleted(change->recno, forward));
        table.Sync();
        RecordsRewritten(table);
        done += recnos.size() + removals.size();
        if (written)
            written(done);
    }
}

}  // namespace

MendOutcome RunMend(Catalogue& catalogue, const MendPlan& plan,
                    const std::function<void(uint64_t)>& written) {
    MendOutcome outcome;
    if (plan.changes.empty())
        return outcome;
    std::vector<const MendChange*> olds, news;
    if (const std::string fault = Sorted(catalogue, plan.changes, true, &olds, &news);
        !fault.empty()) {
        outcome.refusal = "Nothing was changed: " + fault +
                          ". The catalogue changed since the preview; check it again.";
        return outcome;
    }
    const std::string path = catalogue.File(kMendJournal);
    if (const auto saved = profile::ReplaceProfileFile(path, MendJournalText(plan)); !saved.ok()) {
        outcome.refusal =
            "Nothing was changed: the journal could not be written. " + saved.ToString();
        return outcome;
    }
    try {
        WriteChanges(catalogue, olds, true, written);
    } catch (const TableError& error) {
        outcome.failure = error;
        try {
            olds.clear();
            news.clear();
            if (Sorted(catalogue, plan.changes, false, &olds, &news).empty()) {
                WriteChanges(catalogue, news, false, nullptr);
                std::filesystem::remove(path);
                outcome.takenBack = true;
            }
        } catch (const TableError&) {
            // The journal stays: the next start takes the rest back.
        }
        return outcome;
    }
    std::filesystem::remove(path);
    SyncFolder(catalogue.folder());
    outcome.changed = plan.changes.size();
    return outcome;
}

RecoveryOutcome TakeBackMend(Catalogue& catalogue) {
    if (!catalogue.HasFile(kMendJournal))
        return {};
    const std::string path = catalogue.File(kMendJournal);
    MendJournal journal = ReadMendJournal(path);
    std::vector<const MendChange*> olds, news;
    if (journal.fault.empty())
        journal.fault = Sorted(catalogue, journal.changes, false, &olds, &news);
    if (!journal.fault.empty()) {
        return RecoveryOutcome::Refused(
            std::string(kMendJournal) + " in " + catalogue.folder() +
            " is left by a mending of the catalogue that was cut short, but it does not fit the "
            "tables: " +
            journal.fault +
            ". Nothing was changed by it. The records it names may be partly mended: check the "
            "catalogue again, or put back the safety copy taken before the mending.\n" +
            JournalAsideText(path));
    }
    WriteChanges(catalogue, news, false, nullptr);
    std::filesystem::remove(path);
    SyncFolder(catalogue.folder());
    return RecoveryOutcome::TakenBack("The mending \"" + MendTitle(journal.kind) +
                                      "\" was cut short. It has been taken back: the " +
                                      std::to_string(journal.changes.size()) +
                                      " record(s) it named hold what they held before (" +
                                      std::to_string(news.size()) + " were put back now).");
}
