#include "store/source_renumbering.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "base/text.h"
#include "base/ui.h"
#include "platform/profile/profile_file.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/journal_file.h"
#include "store/record_edit.h"
#include "store/saved_position.h"
#include "store/source_key.h"

namespace {

constexpr const char* kRenumberJournal = "renumber.journal";
constexpr const char* kJournalHeader = "TUNELO RENUMBER 2";
// Written by the previous version: new numbers only, no old ones to prove a record by.
constexpr const char* kOldJournalHeader = "TUNELO RENUMBER 1";

// The orders on "UPPER(DRAGER)+STR(CDNUMMER)" of the track, loan, playlist and main-title tables.

// The tables of a journal line, by the letter that names them there.
struct JournalTable {
    char letter;
    TTableAccess& access;
    int order;
};

std::vector<JournalTable> JournalTables(Catalogue& catalogue) {
    return {{'A', catalogue.dm1.ArtAccess, kTrackSourceOrder},
            {'U', catalogue.dm3.UitleenAccess, kLoanSourceOrder},
            {'P', catalogue.dm3.PlaylistAccess, kPlaylistSourceOrder},
            {'H', catalogue.dm2.HfAccess, kTitleSourceOrder}};
}

std::string SourceName(const std::string& carrier, int64_t number) {
    return "Source " + Utf8(TableText(carrier)) + " " + std::to_string(number);
}

std::vector<uint32_t> Collect(TTableAccess& access, int order, const std::string& key) {
    SavedPosition position(access);
    access.SetOrder(order);
    return CollectSourceRecords(access, key);
}

bool KeyHeld(TTableAccess& access, int order, const std::string& key) {
    SavedPosition position(access);
    access.SetOrder(order);
    return access.Seek(key);
}

// The main titles of `carrier` in carrier-and-number order: record number and number.
std::vector<std::pair<uint32_t, int64_t>> CarrierTitles(TTableAccess& titles,
                                                        const std::string& carrier) {
    SavedPosition position(titles);
    titles.SetOrder(kTitleSourceOrder);
    const std::string prefix = PadRight(TableUpper(carrier), kCarrierWidth);
    std::vector<std::pair<uint32_t, int64_t>> found;
    for (bool on = titles.Seek(prefix); on && !titles.Eof(); titles.Skip()) {
        if (PadRight(TableUpper(TrimRight(titles.GetString("DRAGER").bytes())), kCarrierWidth) !=
            prefix)
            break;
        found.emplace_back(titles.RecNo(), titles.GetInteger("CDNUMMER"));
    }
    return found;
}

// The records of one table that a run gives a new number, in the order they are written.
struct KeyChanges {
    std::vector<uint32_t> recnos;
    std::vector<int64_t> olds;
    std::vector<int64_t> numbers;
    // The source whose first record this is, for the progress line (nullptr for the others).
    std::vector<const SourceMove*> starts;

    void Add(uint32_t recno, int64_t old, int64_t number, const SourceMove* start = nullptr) {
        recnos.push_back(recno);
        olds.push_back(old);
        numbers.push_back(number);
        starts.push_back(start);
    }
};

// Per journal letter; a source is shown at its first track, or at its main title without tracks.
std::map<char, KeyChanges> Changes(const RenumberPlan& plan) {
    std::map<char, KeyChanges> changes;
    for (const SourceMove& move : plan.moves) {
        if (move.newNumber == move.oldNumber)
            continue;
        const int64_t old = move.oldNumber;
        for (uint32_t recno : move.tracks)
            changes['A'].Add(recno, old, move.newNumber,
                             recno == move.tracks.front() ? &move : nullptr);
        for (uint32_t recno : move.loans)
            changes['U'].Add(recno, old, move.newNumber);
        for (uint32_t recno : move.playlist)
            changes['P'].Add(recno, old, move.newNumber);
        changes['H'].Add(move.titleRecno, old, move.newNumber,
                         move.tracks.empty() ? &move : nullptr);
    }
    return changes;
}

std::string JournalText(const std::string& carrier, const std::map<char, KeyChanges>& changes) {
    std::ostringstream out;
    out << kJournalHeader << "\nC " << carrier << "\n";
    for (const auto& [letter, table] : changes) {
        for (size_t i = 0; i < table.recnos.size(); ++i)
            out << letter << ' ' << table.recnos[i] << ' ' << table.olds[i] << ' '
                << table.numbers[i] << '\n';
    }
    out << "END\n";
    return out.str();
}

// Writes the new keys table by table (tracks first) and puts every table on the disk.
void ApplyChanges(Catalogue& catalogue, const std::string& carrier,
                  const std::map<char, KeyChanges>& changes,
                  const std::function<void(const SourceMove&)>& placing,
                  const xbase::ProgressFn& progress) {
    for (const JournalTable& journalTable : JournalTables(catalogue)) {
        TTable& table = journalTable.access.component();
        const auto found = changes.find(journalTable.letter);
        if (found != changes.end()) {
            const KeyChanges& keys = found->second;
            const xbase::FieldDef& carrierField = table.Field("DRAGER");
            const xbase::FieldDef& numberField = table.Field("CDNUMMER");
            RewriteRecords(
                table, keys.recnos,
                [&](size_t i, uint8_t* record) {
                    if (placing && keys.starts[i] != nullptr)
                        placing(*keys.starts[i]);
                    xbase::Status status = xbase::SetText(record, carrierField, carrier);
                    return status.ok()
                               ? xbase::SetNumber(record, numberField, double(keys.numbers[i]))
                               : status;
                },
                progress);
        }
        table.Sync();
        RecordsRewritten(table);
    }
}

const char* TableWord(char letter) {
    switch (letter) {
        case 'A':
            return "the tracks";
        case 'U':
            return "the loans";
        case 'P':
            return "the playlist";
        default:
            return "the main titles";
    }
}

// A journal as read back. `olds` hold -1 in a journal of the previous version.
struct ReadBack {
    std::string carrier;
    std::map<char, KeyChanges> changes;
    bool oldFormat = false;
    std::string fault;  // why it cannot be used; empty when it can
};

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

ReadBack ReadJournal(const std::string& path) {
    ReadBack journal;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    journal.oldFormat = line == kOldJournalHeader;
    if (line != kJournalHeader && !journal.oldFormat) {
        journal.fault = "it is not a renumber journal of this program";
        return journal;
    }
    const size_t numbers = journal.oldFormat ? 2 : 3;
    for (size_t lineNo = 2; std::getline(in, line); ++lineNo) {
        if (line == "END")
            return journal;
        const std::vector<std::string> words = Words(line);
        const std::string bad =
            "line " + std::to_string(lineNo) + " (\"" + line.substr(0, 40) + "\") cannot be read";
        if (line.starts_with("C ") && journal.carrier.empty()) {
            journal.carrier = line.substr(2);
            if (journal.carrier.empty() || journal.carrier.size() > size_t(kCarrierWidth) ||
                TableUpper(Trim(journal.carrier)) != journal.carrier) {
                journal.fault = bad;
                return journal;
            }
            continue;
        }
        int64_t recno = 0, old = -1, number = 0;
        const bool read =
            words.size() == numbers + 1 && words[0].size() == 1 &&
            std::string_view("AUPH").find(words[0][0]) != std::string_view::npos &&
            ParseWholeNumber(words[1], 1, UINT32_MAX, &recno) &&
            (journal.oldFormat || ParseWholeNumber(words[2], 0, kLastSourceNumber, &old)) &&
            ParseWholeNumber(words.back(), 0, kLastSourceNumber, &number);
        if (!read || journal.carrier.empty()) {
            journal.fault = bad;
            return journal;
        }
        journal.changes[words[0][0]].Add(uint32_t(recno), old, number);
    }
    journal.fault = "it ends before its last line";
    return journal;
}

// Checks every record of the journal against the tables: each must hold the journal's carrier
// and its old or its new number. Keeps only the records still to change; the fault says which
// record does not fit. A journal of the previous version fits only when every record is new.
std::string KeepPending(Catalogue& catalogue, ReadBack& journal) {
    for (const JournalTable& table : JournalTables(catalogue)) {
        const xbase::Table& file = table.access.component().table();
        const xbase::FieldDef& carrierField = table.access.component().Field("DRAGER");
        const xbase::FieldDef& numberField = table.access.component().Field("CDNUMMER");
        std::vector<uint8_t> record(file.recordLength());
        KeyChanges& keys = journal.changes[table.letter];
        KeyChanges pending;
        for (size_t i = 0; i < keys.recnos.size(); ++i) {
            const std::string where =
                "record " + std::to_string(keys.recnos[i]) + " of " + TableWord(table.letter);
            if (keys.recnos[i] > file.recordCount())
                return where + " does not exist";
            ThrowIfError(file.ReadRecord(keys.recnos[i], record.data()));
            const std::string carrier =
                TableUpper(Trim(xbase::FieldBytes(record.data(), carrierField)));
            const auto number = int64_t(xbase::GetNumber(record.data(), numberField));
            const std::string holds =
                where + " holds " + Utf8(TableText(carrier)) + " " + std::to_string(number);
            if (journal.oldFormat && (carrier != journal.carrier || number != keys.numbers[i])) {
                return "it was written by an earlier version of the program, which did not note "
                       "the old numbers, and " +
                       holds + ", not its new number " + std::to_string(keys.numbers[i]);
            }
            if (carrier != journal.carrier ||
                (number != keys.olds[i] && number != keys.numbers[i])) {
                return holds + ", not " + Utf8(TableText(journal.carrier)) + " " +
                       std::to_string(keys.olds[i]) + " or " + std::to_string(keys.numbers[i]);
            }
            if (number != keys.numbers[i])
                pending.Add(keys.recnos[i], keys.olds[i], keys.numbers[i]);
        }
        keys = std::move(pending);
    }
    return {};
}

}  // namespace

RenumberPlan PlanRenumber(Catalogue& catalogue, std::string_view carrier, int64_t startNumber,
                          bool moveUp) {
    RenumberPlan plan;
    plan.carrier = TableUpper(Trim(carrier));
    std::vector<std::pair<uint32_t, int64_t>> titles =
        CarrierTitles(catalogue.dm2.HfAccess, plan.carrier);
    if (moveUp)
        std::erase_if(titles, [&](const auto& title) { return title.second < startNumber; });

    std::set<int64_t> moving;
    int64_t next = startNumber;
    for (const auto& [recno, number] : titles) {
        if (!moving.insert(number).second) {
            plan.refusal =
                SourceName(plan.carrier, number) + " has two main titles. Canceling changes.";
            return plan;
        }
        const int64_t newNumber = moveUp ? number + 1 : next++;
        if (newNumber > kLastSourceNumber) {
            plan.refusal = SourceName(plan.carrier, number) +
                           " would get a number above 999999999. Canceling changes.";
            return plan;
        }
        plan.moves.push_back({recno, number, newNumber, {}, {}, {}});
    }
    for (SourceMove& move : plan.moves) {
        if (move.newNumber == move.oldNumber)
            continue;
        const std::string newKey = SourceSeekKey(plan.carrier, move.newNumber);
        // A key one of the run's own sources gives up is free once the run is through.
        if (moving.count(move.newNumber) == 0 &&
            (KeyHeld(catalogue.dm2.HfAccess, kTitleSourceOrder, newKey) ||
             KeyHeld(catalogue.dm1.ArtAccess, kTrackSourceOrder, newKey))) {
            plan.refusal =
                SourceName(plan.carrier, move.newNumber) + " already exist. Canceling changes.";
            plan.moves.clear();
            return plan;
        }
        const std::string oldKey = SourceSeekKey(plan.carrier, move.oldNumber);
        move.tracks = Collect(catalogue.dm1.ArtAccess, kTrackSourceOrder, oldKey);
        move.loans = Collect(catalogue.dm3.UitleenAccess, kLoanSourceOrder, oldKey);
        move.playlist = Collect(catalogue.dm3.PlaylistAccess, kPlaylistSourceOrder, oldKey);
    }
    return plan;
}

bool RunRenumber(Catalogue& catalogue, const RenumberPlan& plan,
                 const std::function<void(const SourceMove&)>& placing,
                 const xbase::ProgressFn& rebuilding) {
    const std::string journal = catalogue.File(kRenumberJournal);
    const std::map<char, KeyChanges> changes = Changes(plan);
    const auto written = profile::ReplaceProfileFile(journal, JournalText(plan.carrier, changes));
    if (!written.ok()) {
        CurrentUi().Message(MsgKind::Error, written.ToString());
        return false;
    }
    ApplyChanges(catalogue, plan.carrier, changes, placing, rebuilding);
    std::filesystem::remove(journal);
    return true;
}

void MoveLoansAndPlaylist(Catalogue& catalogue, std::string_view oldCarrier,
                          std::string_view oldNumber, std::string_view newCarrier,
                          int64_t newNumber) {
    const std::string oldKey = SourceSeekKey(oldCarrier, oldNumber);
    const std::string carrier = TableUpper(Trim(newCarrier));
    std::map<char, KeyChanges> changes;
    for (const JournalTable& table : JournalTables(catalogue)) {
        if (table.letter != 'U' && table.letter != 'P')
            continue;
        for (uint32_t recno : Collect(table.access, table.order, oldKey))
            changes[table.letter].Add(recno, 0, newNumber);
    }
    if (!changes.empty())
        ApplyChanges(catalogue, carrier, changes, nullptr, nullptr);
}

RecoveryOutcome FinishRenumber(Catalogue& catalogue) {
    if (!catalogue.HasFile(kRenumberJournal))
        return {};
    const std::string path = catalogue.File(kRenumberJournal);
    ReadBack journal = ReadJournal(path);
    size_t sources = 0;
    for (const auto& [letter, keys] : journal.changes)
        sources += letter == 'H' ? keys.recnos.size() : 0;
    if (journal.fault.empty())
        journal.fault = KeepPending(catalogue, journal);
    if (!journal.fault.empty()) {
        const std::string carrier = journal.carrier.empty()
                                        ? "the carrier it renumbered"
                                        : "carrier " + Utf8(TableText(journal.carrier));
        return RecoveryOutcome::Refused(
            std::string(kRenumberJournal) + " in " + catalogue.folder() +
            " is left by a renumber that was cut short, but it does not fit the tables: " +
            journal.fault + ". Nothing was changed by it. The sources of " + carrier +
            " may be partly renumbered: check their numbers, then renumber them again or put "
            "back the safety copy taken before the renumber.\n" +
            JournalAsideText(path));
    }
    size_t records = 0;
    for (const auto& [letter, keys] : journal.changes)
        records += keys.recnos.size();
    ApplyChanges(catalogue, journal.carrier, journal.changes, nullptr, nullptr);
    std::filesystem::remove(path);
    return RecoveryOutcome::Finished(
        "The renumber of carrier " + Utf8(TableText(journal.carrier)) +
        " was cut short. It has been finished: " + std::to_string(sources) +
        " source(s) have their new numbers (" + std::to_string(records) +
        " record(s) were changed now).");
}
