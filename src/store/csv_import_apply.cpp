// CsvImport: adding the accepted rows, all or none, and taking back an import a crash cut short.
#include <charconv>
#include <set>

#include "base/ini.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/csv_import.h"
#include "store/table_error.h"

namespace {

using xbase::Status;

constexpr const char* kSection = "Diversen";
constexpr const char* kNoteKey = "CsvImport";

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

// The tables an import writes, in the order of the note in cd.ini.
std::vector<TTableAccess*> ImportTables(Catalogue& catalogue) {
    return {&catalogue.dm2.HfAccess, &catalogue.dm1.ArtAccess, &catalogue.dm3.UitleenAccess,
            &catalogue.dm3.PlaylistAccess, &catalogue.dm3.ItemsAccess};
}

// Hides every record past the first `before` of each table again (the next pack removes them)
// and puts the tables on the disk.
Status TakeBack(const std::vector<TTableAccess*>& tables, const std::vector<uint32_t>& before) {
    Status result;
    for (size_t i = 0; i < tables.size(); ++i) {
        xbase::Table& table = tables[i]->component().table();
        Status s;
        for (uint32_t recno = before[i] + 1; recno <= table.recordCount() && s.ok(); ++recno)
            s = table.SetDeleted(recno, true);
        if (s.ok())
            s = table.Sync();
        if (result.ok())
            result = s;
    }
    return result;
}

void ShowFirstRecords(const std::vector<TTableAccess*>& tables) {
    for (TTableAccess* access : tables)
        access->GoTop();
}

}  // namespace

Status CsvImport::Apply(Catalogue& catalogue, const xbase::ProgressFn& progress) {
    const std::vector<TTableAccess*> tables = ImportTables(catalogue);
    std::vector<uint32_t> before;
    std::string note;
    for (TTableAccess* access : tables) {
        before.push_back(access->component().table().recordCount());
        note += (note.empty() ? "" : ",") + std::to_string(before.back());
    }
    if (!IniWriteString(kSection, kNoteKey, note))
        return Status::IOError(IniFileName(), "cannot note the import in it; nothing was added");
    uint64_t total = 0, done = 0;
    for (const Rows& rows : rows_)
        total += rows.count;
    Status result;
    try {
        for (const CsvFile& file : CatalogueCsvFiles()) {
            const Rows& rows = rows_[int(file.kind)];
            if (rows.count == 0)
                continue;
            xbase::Table& table = CsvTable(catalogue, file.kind).table();
            const uint32_t first = table.recordCount() + 1;
            ThrowIfError(
                table.AppendMany(rows.records.data(), rows.count, [&](uint64_t part, uint64_t all) {
                    if (progress && all > 0)
                        progress(done + rows.count * part / all, total);
                }));
            const int memoField = table.schema().Find("MEMO");
            std::vector<uint8_t> record(table.recordLength());
            for (const auto& [row, text] : rows.memos) {
                std::copy_n(rows.records.data() + size_t(row) * record.size(), record.size(),
                            record.data());
                ThrowIfError(table.Update(first + row, record.data(), {{memoField, text}}));
            }
            done += rows.count;
            if (progress)
                progress(done, total);
        }
        WriteItems(catalogue);
        for (TTableAccess* access : tables)
            ThrowIfError(access->component().table().Sync());
    } catch (const TableError& error) {
        result = error.status();
    }
    if (!result.ok()) {
        const Status undone = TakeBack(tables, before);
        if (!undone.ok()) {
            ShowFirstRecords(tables);
            return Status::IOError(result.file(),
                                   result.message() + "; what was added could not be taken back (" +
                                       undone.ToString() + ") and is taken back at the next start");
        }
    }
    IniWriteString(kSection, kNoteKey, "");
    ShowFirstRecords(tables);
    return result;
}

void CsvImport::WriteItems(Catalogue& catalogue) const {
    std::set<std::string> written;
    for (const ItemSource& item : kItems) {
        const Rows& rows = rows_[int(item.kind)];
        const xbase::Table& table = CsvTable(catalogue, item.kind).table();
        const xbase::FieldDef& f = table.schema()[size_t(table.schema().Find(item.field))];
        std::string_view last;
        for (uint32_t row = 0; row < rows.count; ++row) {
            const uint8_t* record = rows.records.data() + size_t(row) * table.recordLength();
            const std::string_view value = xbase::FieldBytes(record, f);
            // Neighbouring rows mostly share their carrier and style: skip the set for those.
            if (row > 0 && value == last)
                continue;
            last = value;
            if (written.insert(catalogue.dm3.ItemKey(value, item.code)).second)
                catalogue.dm3.WriteItems(value, item.code);
        }
    }
}

bool UndoUnfinishedCsvImport(Catalogue& catalogue) {
    const std::string note = IniReadString(kSection, kNoteKey, "");
    if (note.empty() || note == kIniAbsent)
        return false;
    const std::vector<TTableAccess*> tables = ImportTables(catalogue);
    std::vector<uint32_t> before;
    for (const char* at = note.data(); at < note.data() + note.size() + 1;) {
        uint32_t count = 0;
        const auto [end, error] = std::from_chars(at, note.data() + note.size(), count);
        if (error != std::errc())
            break;
        before.push_back(count);
        at = end + 1;
    }
    if (before.size() == tables.size())
        ThrowIfError(TakeBack(tables, before));
    IniWriteString(kSection, kNoteKey, "");
    ShowFirstRecords(tables);
    return before.size() == tables.size();
}
