#include "store/csv_import_note.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/ini.h"
#include "store/catalogue.h"
#include "store/pending_work.h"
#include "store/safety_copy.h"
#include "store/table_error.h"

namespace {

using xbase::Status;

constexpr const char* kImportNoteSection = "Diversen";
constexpr const char* kNoteKey = "CsvImport";
constexpr const char* kImportRefusedKey = "CsvImportRefused";
constexpr const char* kVersion = "v2";
constexpr uint32_t kReadAtOnce = 4096;

uint64_t Mix(uint64_t proof, uint64_t word) {
    proof = (proof ^ word) * 0x9e3779b97f4a7c15ull;
    return proof ^ (proof >> 32);
}

std::string TableName(const TTableAccess* access) {
    return std::filesystem::path(access->component().table().path()).filename().string();
}

template <typename T>
bool ParseNumber(std::string_view text, T* value, int base = 10) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *value, base);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::vector<std::string_view> SplitNote(std::string_view text, char by) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t end = text.find(by, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

// The checksum of the records `first` to `first + count - 1` of `table`, after those checked into
// `proof`.
Status ProofOf(const xbase::Table& table, uint32_t first, uint32_t count, uint64_t* proof) {
    std::vector<uint8_t> block(size_t(std::min(count, kReadAtOnce)) * table.recordLength());
    for (uint32_t at = 0; at < count;) {
        const uint32_t n = std::min(count - at, kReadAtOnce);
        XB_RETURN_IF_ERROR(table.ReadRecords(first + at, n, block.data()));
        *proof = RecordsProof(table, block.data(), n, *proof);
        at += n;
    }
    return Status::OK();
}

// Which records of `access`'s table `noted` proves to be the import's, in *records (its `done`
// set to them); "" when proved, otherwise why not.
std::string Prove(TTableAccess* access, const ImportedRecords& noted, ImportedRecords* records) {
    xbase::Table& table = access->component().table();
    ThrowIfError(table.Refresh(false));
    const std::string name = TableName(access);
    *records = noted;
    records->next = 0;
    if (noted.first == 0)
        return noted.done == 0 && noted.next == 0 ? "" : name + " has records but no first one";
    const uint64_t count = table.recordCount();
    if (uint64_t(noted.first) - 1 + noted.done > count) {
        return name + " holds " + std::to_string(count) + " records, fewer than " +
               std::to_string(uint64_t(noted.first) - 1 + noted.done);
    }
    uint64_t proof = kRecordsProofStart;
    ThrowIfError(ProofOf(table, noted.first, noted.done, &proof));
    if (proof != noted.doneProof) {
        return "records " + std::to_string(noted.first) + " to " +
               std::to_string(uint64_t(noted.first) + noted.done - 1) + " of " + name +
               " are not the ones it wrote";
    }
    // The batch under way counts when all of it is there: the table's header takes a batch
    // whole or not at all. Other records there were appended by someone else after the crash.
    if (noted.next > 0 && uint64_t(noted.first) - 1 + noted.done + noted.next <= count) {
        ThrowIfError(ProofOf(table, noted.first + noted.done, noted.next, &proof));
        if (proof == noted.nextProof)
            records->done += noted.next;
    }
    return "";
}

RecoveryOutcome Refuse(const std::string& note, const std::string& why) {
    return RecoveryOutcome::Refused(
        "An import from CSV was cut short, but its note ([" + std::string(kImportNoteSection) +
        "] " + kNoteKey + " in cd.ini) does not fit the tables: " + why +
        ". Nothing was taken back. " + SetNoteAside(kNoteKey, kImportRefusedKey, note) +
        "If rows of that import are in the catalogue, put back the safety copy taken before it "
        "(Restore safety copy).");
}

}  // namespace

uint64_t RecordsProof(const xbase::Table& table, const uint8_t* records, uint32_t count,
                      uint64_t proof) {
    // The parts of a record that count: all but the deleted flag and the memo block numbers.
    std::vector<std::pair<uint32_t, uint32_t>> parts;
    const uint32_t length = table.recordLength();
    uint32_t from = 1;
    for (const xbase::FieldDef& f : table.schema().fields()) {
        if (f.type != 'M')
            continue;
        parts.emplace_back(from, f.offset - from);
        from = f.offset + f.length;
    }
    parts.emplace_back(from, length - from);
    for (uint32_t i = 0; i < count; ++i) {
        const uint8_t* record = records + size_t(i) * length;
        for (const auto& [offset, size] : parts) {
            const uint8_t* p = record + offset;
            uint32_t left = size;
            for (; left >= 8; left -= 8, p += 8) {
                uint64_t word;
                std::memcpy(&word, p, 8);
                proof = Mix(proof, word);
            }
            uint64_t tail = left;
            for (uint32_t b = 0; b < left; ++b)
                tail = tail << 8 | p[b];
            proof = Mix(proof, tail);
        }
    }
    return proof;
}

std::vector<TTableAccess*> ImportTables(Catalogue& catalogue) {
    return {&catalogue.dm2.HfAccess, &catalogue.dm1.ArtAccess, &catalogue.dm3.UitleenAccess,
            &catalogue.dm3.PlaylistAccess, &catalogue.dm3.ItemsAccess};
}

std::string ImportNoteText(const std::vector<TTableAccess*>& tables,
                           const std::vector<ImportedRecords>& records) {
    std::string text = kVersion;
    char proof[2][17];
    for (size_t i = 0; i < tables.size(); ++i) {
        const ImportedRecords& r = records[i];
        std::snprintf(proof[0], sizeof proof[0], "%016llx", (unsigned long long)r.doneProof);
        std::snprintf(proof[1], sizeof proof[1], "%016llx", (unsigned long long)r.nextProof);
        text += " " + TableName(tables[i]) + ":" + std::to_string(r.first) + ":" +
                std::to_string(r.done) + ":" + proof[0] + ":" + std::to_string(r.next) + ":" +
                proof[1];
    }
    return text;
}

bool ParseImportNote(const std::string& text, const std::vector<TTableAccess*>& tables,
                     std::vector<ImportedRecords>* records) {
    const std::vector<std::string_view> groups = SplitNote(text, ' ');
    if (groups.size() != tables.size() + 1 || groups[0] != kVersion)
        return false;
    records->assign(tables.size(), {});
    for (size_t i = 0; i < tables.size(); ++i) {
        const std::vector<std::string_view> parts = SplitNote(groups[i + 1], ':');
        ImportedRecords& r = (*records)[i];
        if (parts.size() != 6 || parts[0] != TableName(tables[i]) ||
            !ParseNumber(parts[1], &r.first) || !ParseNumber(parts[2], &r.done) ||
            !ParseNumber(parts[3], &r.doneProof, 16) || !ParseNumber(parts[4], &r.next) ||
            !ParseNumber(parts[5], &r.nextProof, 16))
            return false;
    }
    return true;
}

bool WriteImportNote(const std::string& text) {
    return IniWriteString(kImportNoteSection, kNoteKey, text);
}

Status HideImportedRecords(const std::vector<TTableAccess*>& tables,
                           const std::vector<ImportedRecords>& records) {
    Status result;
    for (size_t i = 0; i < tables.size(); ++i) {
        xbase::Table& table = tables[i]->component().table();
        Status s;
        const uint32_t first = records[i].first;
        for (uint32_t recno = first; recno < first + records[i].done && s.ok(); ++recno)
            s = table.SetDeleted(recno, true);
        if (s.ok())
            s = table.Sync();
        if (result.ok())
            result = s;
    }
    return result;
}

RecoveryOutcome UndoUnfinishedCsvImport(Catalogue& catalogue) {
    const std::string note = IniReadString(kImportNoteSection, kNoteKey, "");
    if (note.empty() || note == kIniAbsent)
        return {};
    const std::vector<TTableAccess*> tables = ImportTables(catalogue);
    std::vector<ImportedRecords> noted, proved(tables.size());
    if (!ParseImportNote(note, tables, &noted))
        return Refuse(note, "it is damaged or of another version (\"" + note + "\")");
    uint64_t hidden = 0;
    for (size_t i = 0; i < tables.size(); ++i) {
        const std::string why = Prove(tables[i], noted[i], &proved[i]);
        if (!why.empty())
            return Refuse(note, why);
        hidden += proved[i].done;
    }
    std::string copy;
    if (hidden > 0) {
        const Status taken = TakeSafetyCopy(catalogue, "csv-import-undo", nullptr, &copy);
        if (!taken.ok()) {
            return RecoveryOutcome::Refused(
                "An import from CSV was cut short; what it had added stays until the next start, "
                "because no safety copy could be taken first: " +
                taken.ToString());
        }
    }
    ThrowIfError(HideImportedRecords(tables, proved));
    for (TTableAccess* access : tables)
        access->GoTop();
    const bool cleared = WriteImportNote("");
    const std::string done =
        hidden == 0
            ? "An import from CSV was cut short before it had added anything."
            : "An import from CSV was cut short; the " + std::to_string(hidden) +
                  " records it had added have been taken back (the catalogue as it was with them "
                  "is in the safety copy " +
                  copy + ").";
    return RecoveryOutcome::TakenBack(
        done + (cleared ? ""
                        : " Its note in cd.ini could not be cleared; the next start checks it "
                          "again."));
}
