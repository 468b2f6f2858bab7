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
#include "store/record_edit.h"
#include "store/saved_position.h"
#include "store/source_key.h"

namespace {

constexpr const char* kJournalName = "renumber.journal";
constexpr const char* kJournalHeader = "TUNELO RENUMBER 1";
constexpr int64_t kLastNumber = 999999999;
constexpr int kCarrierWidth = 10;

// The orders on "UPPER(DRAGER)+STR(CDNUMMER)" of the track, loan, playlist and main-title tables.
constexpr int kTrackSourceOrder = 8;
constexpr int kLoanSourceOrder = 1;
constexpr int kPlaylistSourceOrder = 5;
constexpr int kTitleSourceOrder = 4;

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
    return "Source " + carrier + " " + std::to_string(number);
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
        if (PadRight(TableUpper(TrimRight(titles.GetString("DRAGER"))), kCarrierWidth) != prefix)
            break;
        found.emplace_back(titles.RecNo(), titles.GetInteger("CDNUMMER"));
    }
    return found;
}

// The records of one table that a run gives a new number, in the order they are written.
struct KeyChanges {
    std::vector<uint32_t> recnos;
    std::vector<int64_t> numbers;
    // The source whose first record this is, for the progress line (nullptr for the others).
    std::vector<const SourceMove*> starts;

    void Add(uint32_t recno, int64_t number, const SourceMove* start = nullptr) {
        recnos.push_back(recno);
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
        for (uint32_t recno : move.tracks)
            changes['A'].Add(recno, move.newNumber, recno == move.tracks.front() ? &move : nullptr);
        for (uint32_t recno : move.loans)
            changes['U'].Add(recno, move.newNumber);
        for (uint32_t recno : move.playlist)
            changes['P'].Add(recno, move.newNumber);
        changes['H'].Add(move.titleRecno, move.newNumber, move.tracks.empty() ? &move : nullptr);
    }
    return changes;
}

std::string JournalText(const std::string& carrier, const std::map<char, KeyChanges>& changes) {
    std::ostringstream out;
    out << kJournalHeader << "\nC " << carrier << "\n";
    for (const auto& [letter, table] : changes) {
        for (size_t i = 0; i < table.recnos.size(); ++i)
            out << letter << ' ' << table.recnos[i] << ' ' << table.numbers[i] << '\n';
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
        if (newNumber > kLastNumber) {
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
    const std::string journal = catalogue.File(kJournalName);
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

bool FinishRenumber(Catalogue& catalogue) {
    if (!catalogue.HasFile(kJournalName))
        return false;
    const std::string journal = catalogue.File(kJournalName);
    std::ifstream in(journal, std::ios::binary);
    std::string line;
    std::string carrier;
    std::map<char, KeyChanges> changes;
    bool complete = false;
    std::getline(in, line);
    const bool ours = line == kJournalHeader;
    while (ours && std::getline(in, line)) {
        if (line == "END") {
            complete = true;
            break;
        }
        if (line.rfind("C ", 0) == 0) {
            carrier = line.substr(2);
            continue;
        }
        std::istringstream fields(line);
        char letter = 0;
        uint32_t recno = 0;
        int64_t number = 0;
        if (fields >> letter >> recno >> number && recno >= 1)
            changes[letter].Add(recno, number);
    }
    // The journal is written whole before the first record changes: one that is not whole was
    // never acted on. Records past the end of a table (a damaged journal) are left out.
    if (complete && !carrier.empty()) {
        for (const JournalTable& table : JournalTables(catalogue)) {
            const uint32_t count = table.access.component().table().recordCount();
            KeyChanges& keys = changes[table.letter];
            for (size_t i = keys.recnos.size(); i-- > 0;) {
                if (keys.recnos[i] > count) {
                    keys.recnos.erase(keys.recnos.begin() + ptrdiff_t(i));
                    keys.numbers.erase(keys.numbers.begin() + ptrdiff_t(i));
                    keys.starts.erase(keys.starts.begin() + ptrdiff_t(i));
                }
            }
        }
        ApplyChanges(catalogue, carrier, changes, nullptr, nullptr);
    }
    std::filesystem::remove(journal);
    return complete;
}
