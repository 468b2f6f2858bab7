#include "store/replace_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/durable_copy.h"
#include "store/field_replace.h"
#include "store/journal_file.h"
#include "store/journal_text.h"
#include "store/record_edit.h"
#include "store/saved_position.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace fs = std::filesystem;
using xbase::Status;

namespace {

constexpr const char* kReplaceJournal = "replace.journal";
constexpr const char* kPartEnd = ".part";
constexpr const char* kHeader = "TUNELO REPLACE 1";
constexpr size_t kJournalFlushAt = size_t(1) << 16;
// Records written per rewrite of a table.
constexpr size_t kJournalBatch = 1024;

struct Change {
    char table = 0;
    uint32_t recno = 0;
    std::string field, oldValue, newValue;
};

// Reads a journal line by line; the fault says why it stopped before END.
class JournalReader {
public:
    explicit JournalReader(const std::string& path) : in_(path, std::ios::binary) {
        std::string line;
        if (!std::getline(in_, line) || line != kHeader) {
            fault_ = "it is not a replace journal of this program";
            return;
        }
        const auto parts = NextParts();
        if (fault_.empty() &&
            (parts.size() != 3 || parts[0] != "S" || !(search_ = JournalUnescape(parts[1])) ||
             !(replacement_ = JournalUnescape(parts[2]))))
            Bad();
    }

    // The next change; false at the end or on a fault.
    bool Next(Change* change) {
        if (!fault_.empty() || ended_)
            return false;
        const std::vector<std::string_view> parts = NextParts();
        if (!fault_.empty())
            return false;
        if (parts.size() == 1 && parts[0] == "END") {
            ended_ = true;
            return false;
        }
        int64_t recno = 0;
        std::optional<std::string> oldValue, newValue;
        if (parts.size() != 5 || (parts[0] != "A" && parts[0] != "H") ||
            !ParseWholeNumber(parts[1], 1, UINT32_MAX, &recno) || parts[2].empty() ||
            !(oldValue = JournalUnescape(parts[3])) || !(newValue = JournalUnescape(parts[4]))) {
            Bad();
            return false;
        }
        *change = {parts[0][0], uint32_t(recno), std::string(parts[2]), std::move(*oldValue),
                   std::move(*newValue)};
        return true;
    }

    const std::string& fault() const { return fault_; }
    std::string search() const { return search_.value_or(""); }
    std::string replacement() const { return replacement_.value_or(""); }

private:
    std::vector<std::string_view> NextParts() {
        ++lineNo_;
        if (!std::getline(in_, line_)) {
            fault_ = "it ends before its last line";
            return {};
        }
        return JournalFields(line_);
    }

    void Bad() {
        fault_ =
            "line " + std::to_string(lineNo_) + " (\"" + line_.substr(0, 40) + "\") cannot be read";
    }

    std::ifstream in_;
    std::string line_;
    size_t lineNo_ = 1;
    std::optional<std::string> search_, replacement_;
    std::string fault_;
    bool ended_ = false;
};

TTable& TableOf(Catalogue& catalogue, char letter) {
    return letter == 'A' ? catalogue.dm1.ArtTable : catalogue.dm2.HfTable;
}

// Every change must name a text field of an existing record that holds its old or its new value.
std::string Check(Catalogue& catalogue, const std::string& path, ReplaceApplied* applied) {
    JournalReader reader(path);
    applied->search = reader.search();
    applied->replacement = reader.replacement();
    std::vector<uint8_t> record;
    for (Change change; reader.Next(&change);) {
        const xbase::Table& file = TableOf(catalogue, change.table).table();
        const std::string where = "record " + std::to_string(change.recno) + " of " +
                                  (change.table == 'A' ? "the tracks" : "the main titles");
        const int index = file.schema().Find(change.field);
        if (index < 0 || file.schema()[size_t(index)].type != 'C' ||
            change.newValue.size() > file.schema()[size_t(index)].length)
            return where + " has no text field " + change.field + " to hold \"" + change.newValue +
                   "\"";
        if (change.recno > file.recordCount())
            return where + " does not exist";
        record.resize(file.recordLength());
        ThrowIfError(file.ReadRecord(change.recno, record.data()));
        const std::string value =
            TrimRight(xbase::FieldBytes(record.data(), file.schema()[size_t(index)]));
        ++applied->fields;
        if (value == change.newValue)
            continue;
        if (value != change.oldValue)
            return where + " holds \"" + value + "\" in " + change.field + ", not \"" +
                   change.oldValue + "\" or \"" + change.newValue + "\"";
        ++applied->changedNow;
    }
    return reader.fault();
}

// Writes the new values of a checked journal, a batch of records at a time, then the items.
void Apply(Catalogue& catalogue, const std::string& path, uint64_t& written) {
    JournalReader reader(path);
    char letter = 0;
    std::vector<uint32_t> recnos;
    std::vector<std::vector<Change>> records;
    std::map<std::string, std::pair<std::string, char>> items;  // by code and upper-case text
    const auto write = [&] {
        if (recnos.empty())
            return;
        TTable& table = TableOf(catalogue, letter);
        // A record's fields count once it is written: when the next one is handed over.
        uint64_t inHand = 0;
        RewriteRecords(table, recnos, [&](size_t i, uint8_t* record) {
            written += inHand;
            inHand = records[i].size();
            for (const Change& change : records[i]) {
                const xbase::FieldDef& def = table.Field(change.field);
                if (TrimRight(xbase::FieldBytes(record, def)) != change.oldValue)
                    continue;  // new already
                XB_RETURN_IF_ERROR(xbase::SetText(record, def, change.newValue));
            }
            return Status::OK();
        });
        written += inHand;
        recnos.clear();
        records.clear();
    };
    for (Change change; reader.Next(&change);) {
        if (change.table != letter ||
            (recnos.size() >= kJournalBatch && recnos.back() != change.recno))
            write();
        letter = change.table;
        if (recnos.empty() || recnos.back() != change.recno) {
            recnos.push_back(change.recno);
            records.emplace_back();
        }
        if (const char code = ReplaceItemCode(letter == 'A', change.field); code != 0)
            items.try_emplace(code + TableUpper(change.newValue), change.newValue, code);
        records.back().push_back(std::move(change));
    }
    write();
    for (TTable* table : {&catalogue.dm1.ArtTable, &catalogue.dm2.HfTable}) {
        table->Sync();
        RecordsRewritten(*table);
    }
    SavedPosition itemsPosition(catalogue.dm3.ItemsAccess);
    for (const auto& [key, item] : items)
        catalogue.dm3.WriteItems(item.first, item.second);
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

ReplaceJournalWriter::ReplaceJournalWriter(const Catalogue& catalogue, std::string_view search,
                                           std::string_view replacement)
    : journal_(catalogue.File(kReplaceJournal)), part_(journal_ + kPartEnd) {
    fd_ = ::open(part_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0) {
        status_ =
            Status::IOError(part_, std::string("cannot create the file: ") + std::strerror(errno));
        return;
    }
    buffer_ = std::string(kHeader) + "\nS\t" + JournalEscape(search) + "\t" +
              JournalEscape(replacement) + "\n";
}

ReplaceJournalWriter::~ReplaceJournalWriter() {
    if (fd_ >= 0)
        ::close(fd_);
    if (!committed_) {
        std::error_code ec;
        fs::remove(part_, ec);
    }
}

void ReplaceJournalWriter::Add(char table, uint32_t recno, std::string_view field,
                               std::string_view oldValue, std::string_view newValue) {
    buffer_ += std::string(1, table) + "\t" + std::to_string(recno) + "\t" + std::string(field) +
               "\t" + JournalEscape(oldValue) + "\t" + JournalEscape(newValue) + "\n";
    if (buffer_.size() >= kJournalFlushAt)
        Flush();
}

void ReplaceJournalWriter::Flush() {
    for (size_t done = 0; status_.ok() && fd_ >= 0 && done < buffer_.size();) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            status_ = Status::IOError(
                part_, std::string("cannot write the file: ") + std::strerror(errno));
        else
            done += size_t(n);
    }
    buffer_.clear();
}

Status ReplaceJournalWriter::Commit() {
    buffer_ += "END\n";
    Flush();
    if (status_.ok() && ::fsync(fd_) != 0)
        status_ = Status::IOError(part_, "cannot sync the file");
    XB_RETURN_IF_ERROR(status_);
    ::close(fd_);
    fd_ = -1;
    std::error_code ec;
    fs::rename(part_, journal_, ec);
    if (ec)
        return status_ = Status::IOError(journal_, "cannot rename the journal: " + ec.message());
    // Not on the disk, the journal cannot be trusted to outlive the records it changes.
    if (const Status synced = SyncFolder(fs::path(journal_).parent_path().string()); !synced.ok()) {
        fs::rename(journal_, part_, ec);
        return status_ = synced;
    }
    committed_ = true;
    return status_;
}

ReplaceApplied ApplyReplaceJournal(Catalogue& catalogue, uint64_t* written) {
    ReplaceApplied applied;
    const std::string path = catalogue.File(kReplaceJournal);
    applied.fault = Check(catalogue, path, &applied);
    if (!applied.fault.empty())
        return applied;
    uint64_t count = 0;
    uint64_t& fields = written ? *written : count;
    Apply(catalogue, path, fields);
    fs::remove(path);
    SyncFolder(catalogue.folder());
    return applied;
}

RecoveryOutcome FinishReplace(Catalogue& catalogue) {
    RecoveryOutcome outcome;
    if (catalogue.HasFile(kReplaceJournal)) {
        const std::string path = catalogue.File(kReplaceJournal);
        const ReplaceApplied applied = ApplyReplaceJournal(catalogue);
        if (!applied.fault.empty()) {
            outcome = RecoveryOutcome::Refused(
                std::string(kReplaceJournal) + " in " + catalogue.folder() +
                " is left by a search and replace that was cut short, but it does not fit the "
                "tables: " +
                applied.fault +
                ". Nothing was changed by it. The tracks and main titles may be partly replaced: "
                "check them, then replace again or put back the safety copy taken before the "
                "replace.\n" +
                JournalAsideText(path));
        } else {
            outcome = RecoveryOutcome::Finished(
                "The search and replace of " + Quoted(applied.search) + " by " +
                Quoted(applied.replacement) + " was cut short. It has been finished: " +
                std::to_string(applied.fields) + " field(s) hold the new text (" +
                std::to_string(applied.changedNow) + " were changed now).");
        }
    }
    const std::string part = catalogue.File(std::string(kReplaceJournal) + kPartEnd);
    std::error_code ec;
    if (fs::remove(part, ec) && !outcome.acted()) {
        outcome = RecoveryOutcome::TakenBack(
            "A search and replace was cut short before it changed any record; nothing was "
            "replaced.");
    }
    return outcome;
}
