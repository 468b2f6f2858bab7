// CsvImport: adding the rows in batches, all or none.
#include <map>

#include "base/ini.h"
#include "base/text.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/csv_import.h"
#include "store/table_error.h"

namespace {

using xbase::Status;

// Rows are written in batches of about this many bytes: the note in cd.ini is rewritten once a
// batch, and a batch is what memory holds.
constexpr size_t kBatchBytes = size_t(8) << 20;
constexpr size_t kItemsTable = 4;  // of ImportTables
constexpr size_t kItemWidth = 50;
constexpr int kItemOrder = 1;  // items.dat: UPPER(OMS)+CODE

struct ItemSource {
    CsvKind kind;
    const char* field;
    char code;
};

// The lookup items that saving these values on a screen would write.
const ItemSource kItems[] = {
    {CsvKind::Sources, "HTITEL", 'H'},   {CsvKind::Sources, "AANKOOP", 'K'},
    {CsvKind::Sources, "LABEL", 'L'},    {CsvKind::Sources, "SOORT", 'G'},
    {CsvKind::Sources, "HOOFDART", 'A'}, {CsvKind::Sources, "DRAGER", 'D'},
    {CsvKind::Sources, "OPNAME", 'O'},   {CsvKind::Tracks, "UITVOER", 'U'},
    {CsvKind::Tracks, "SOORT", 'G'},     {CsvKind::Tracks, "TREF", 'T'},
    {CsvKind::Tracks, "DRAGER", 'D'},    {CsvKind::Loans, "AANWIE", 'N'},
    {CsvKind::Loans, "DRAGER", 'D'},
};

}  // namespace

// Writes the rows of one table after another in batches, each noted in cd.ini before it is
// written, and gathers the lookup items of their values.
class CsvImport::Writer {
public:
    explicit Writer(Catalogue& catalogue)
        : catalogue_(catalogue),
          tables_(ImportTables(catalogue)),
          records_(tables_.size()),
          lastItems_(std::size(kItems)) {}
    ~Writer() { Abandon(); }

    // A row for the table of `kind` (ImportTables' order is the kinds' own).
    Status Add(CsvKind kind, uint8_t* record, std::string& memo) {
        const size_t index = size_t(kind);
        if (current_ != index) {
            XB_RETURN_IF_ERROR(End());
            XB_RETURN_IF_ERROR(Begin(index));
        }
        NoteItems(kind, record);
        return Add(record, memo);
    }

    // The lookup items of the rows that items.dat lacks, written as the last table.
    Status WriteItems() {
        XB_RETURN_IF_ERROR(End());
        TTableAccess& items = *tables_[kItemsTable];
        const xbase::Table& table = items.component().table();
        const xbase::FieldDef& text = table.schema()[size_t(table.schema().Find("OMS"))];
        const xbase::FieldDef& code = table.schema()[size_t(table.schema().Find("CODE"))];
        std::vector<uint8_t> record(table.recordLength(), ' ');
        std::string memo;
        items.SetOrder(kItemOrder);
        for (const auto& [key, value] : items_) {
            if (items.Seek(key))
                continue;
            if (current_ != kItemsTable)
                XB_RETURN_IF_ERROR(Begin(kItemsTable));
            for (const xbase::FieldDef& f : table.schema().fields())
                xbase::SetBlank(record.data(), f);
            XB_RETURN_IF_ERROR(xbase::SetText(record.data(), text, value.first));
            XB_RETURN_IF_ERROR(xbase::SetText(record.data(), code, std::string(1, value.second)));
            XB_RETURN_IF_ERROR(Add(record.data(), memo));
        }
        return End();
    }

    // Writes the rest of the table under way and gives it its keys.
    Status End() {
        if (current_ == kNone)
            return Status::OK();
        Status s = Flush();
        std::vector<uint8_t>().swap(batch_);  // the tags' build that follows needs the room
        const Status ended = tables_[current_]->component().table().EndBulkAppend();
        current_ = kNone;
        return s.ok() ? ended : s;
    }

    Status Sync() {
        for (TTableAccess* access : tables_)
            XB_RETURN_IF_ERROR(access->component().table().Sync());
        return Status::OK();
    }

    // Hides what was written again; a batch not written yet is dropped.
    Status TakeBack() {
        Abandon();
        return HideImportedRecords(tables_, records_);
    }

    void ShowFirstRecords() {
        for (TTableAccess* access : tables_)
            access->GoTop();
    }

private:
    static constexpr size_t kNone = SIZE_MAX;

    // Ends the table under way without writing the rest of its rows.
    void Abandon() {
        batch_.clear();
        memos_.clear();
        memoBytes_ = 0;
        rows_ = 0;
        End();
    }

    Status Begin(size_t index) {
        xbase::Table& table = tables_[index]->component().table();
        XB_RETURN_IF_ERROR(table.BeginBulkAppend());
        current_ = index;
        // Nobody else appends until End: the table's next records are the import's.
        if (records_[index].first == 0)
            records_[index].first = table.recordCount() + 1;
        if (records_[index].first + records_[index].done != table.recordCount() + 1)
            return Status::IOError(table.path(),
                                   "records were appended between two parts of "
                                   "the import");
        memoField_ = table.schema().Find("MEMO");
        return Status::OK();
    }

    Status Add(uint8_t* record, std::string& memo) {
        const xbase::Table& table = tables_[current_]->component().table();
        if (!memo.empty() && memoField_ >= 0) {
            memoBytes_ += memo.size();
            memos_.emplace_back(rows_, xbase::MemoTexts{{memoField_, std::move(memo)}});
        }
        batch_.insert(batch_.end(), record, record + table.recordLength());
        ++rows_;
        return batch_.size() + memoBytes_ >= kBatchBytes ? Flush() : Status::OK();
    }

    // Notes the batch, then writes it.
    Status Flush() {
        if (rows_ == 0)
            return Status::OK();
        xbase::Table& table = tables_[current_]->component().table();
        ImportedRecords& noted = records_[current_];
        noted.next = rows_;
        noted.nextProof = RecordsProof(table, batch_.data(), rows_, noted.doneProof);
        if (!WriteImportNote(ImportNoteText(tables_, records_)))
            return Status::IOError(IniFileName(), "cannot note the import in it");
        uint32_t first = 0;
        XB_RETURN_IF_ERROR(table.AppendBatch(batch_.data(), rows_, memos_, &first));
        if (first != noted.first + noted.done)
            return Status::IOError(table.path(), "the import's records do not follow one another");
        noted.done += rows_;
        noted.doneProof = noted.nextProof;
        noted.next = 0;
        // Noted as written at once: a batch that is noted as under way is told from records
        // someone else appended after a crash only by its checksum.
        if (!WriteImportNote(ImportNoteText(tables_, records_)))
            return Status::IOError(IniFileName(), "cannot note the import in it");
        batch_.clear();
        memos_.clear();
        memoBytes_ = 0;
        rows_ = 0;
        return Status::OK();
    }

    void NoteItems(CsvKind kind, const uint8_t* record) {
        const xbase::Table& table = tables_[size_t(kind)]->component().table();
        for (size_t i = 0; i < std::size(kItems); ++i) {
            const ItemSource& item = kItems[i];
            if (item.kind != kind)
                continue;
            const xbase::FieldDef& f = table.schema()[size_t(table.schema().Find(item.field))];
            const std::string_view value = xbase::FieldBytes(record, f);
            // Neighbouring rows mostly share their carrier and style: skip the map for those.
            if (value == lastItems_[i] || IsBlank(value))
                continue;
            lastItems_[i] = value;
            std::string text(value);
            while (text.size() > kItemWidth && text.back() == ' ')
                text.pop_back();
            items_.try_emplace(catalogue_.dm3.ItemKey(text, item.code), text, item.code);
        }
    }

    Catalogue& catalogue_;
    std::vector<TTableAccess*> tables_;
    std::vector<ImportedRecords> records_;
    size_t current_ = kNone;
    int memoField_ = -1;
    std::vector<uint8_t> batch_;
    std::vector<std::pair<uint32_t, xbase::MemoTexts>> memos_;
    size_t memoBytes_ = 0;
    uint32_t rows_ = 0;
    std::vector<std::string> lastItems_;
    std::map<std::string, std::pair<std::string, char>> items_;  // by key: text and code
};

Status CsvImport::Apply(Catalogue& catalogue, const xbase::ProgressFn& progress) {
    Writer writer(catalogue);
    Status result;
    try {
        result =
            ReadAgain(catalogue, progress, [&](CsvKind kind, uint8_t* record, std::string& memo) {
                return writer.Add(kind, record, memo);
            });
        if (result.ok())
            result = writer.WriteItems();
        if (result.ok())
            result = writer.Sync();
        if (result.ok() && !WriteImportNote(""))
            result = Status::IOError(IniFileName(),
                                     "the note of the import ([Diversen] CsvImport) cannot be "
                                     "cleared in it, so what was added is taken back");
    } catch (const TableError& error) {
        result = error.status();
    }
    if (!result.ok()) {
        const Status undone = writer.TakeBack();
        writer.ShowFirstRecords();
        if (!undone.ok()) {
            return Status::IOError(result.file(),
                                   result.message() + "; what was added could not be taken back (" +
                                       undone.ToString() + ") and is taken back at the next start");
        }
        WriteImportNote("");
        return result;
    }
    writer.ShowFirstRecords();
    // The rows are in: a counter that cannot be written only offers a number that is taken, which
    // the entry screen refuses.
    for (const auto& [carrier, next] : nextNumbers_) {
        if (IniReadInteger("Geluidsdragers", carrier, 1) < next)
            IniWriteInteger("Geluidsdragers", carrier, next);
    }
    return result;
}
