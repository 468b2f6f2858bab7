#include "store/data_module2.h"

#include <cctype>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/common/file_names.h"
#include "store/catalogue_schema.h"
#include "store/controls_suspended.h"
#include "store/data_module1.h"
#include "store/data_module3.h"
#include "store/folder_file.h"
#include "store/item_harvest.h"
#include "store/table_error.h"

namespace fs = std::filesystem;
using xbase::Status;

namespace {

// Every spelling of the five index files goes: an old INDEX1.CDX left beside a new Index1.cdx
// would be the one found by name.
void DeleteIndexFiles(const std::string& folder) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        for (const TableDefinition& def : CatalogueTables()) {
            if (!tunelo::EqualsNoCase(name, def.indexFile))
                continue;
            std::error_code removeError;
            if (!fs::remove(entry.path(), removeError) || removeError) {
                throw TableError(
                    Status::IOError(entry.path().string(), "cannot delete the old index file"));
            }
        }
    }
}

// "INDEX1.CDX" becomes "Index1.cdx", the spelling a new index file gets.
std::string NewIndexName(const std::string& indexFile) {
    std::string name = indexFile;
    for (size_t k = 1; k < name.size(); ++k)
        name[k] = char(std::tolower(static_cast<unsigned char>(name[k])));
    return name;
}

void CheckReadable(const std::string& path) {
    xbase::Table::Options options;
    options.readOnly = true;
    std::unique_ptr<xbase::Table> table;
    ThrowIfError(xbase::Table::Open(path, options, &table));
}

// Hides the records appended after `before` again; the next pack removes them.
void WithdrawAppended(TTableAccess& access, uint32_t before) {
    xbase::Table& table = access.component().table();
    for (uint32_t recno = before + 1; recno <= table.recordCount(); ++recno) {
        if (!table.SetDeleted(recno, true).ok())
            break;
    }
    access.GoTop();
}

void RenameOld(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    if (ec)
        throw TableError(Status::IOError(from, "cannot rename it to " + to + ": " + ec.message()));
}

}  // namespace

TDataModule2::TDataModule2(const std::string& folder, TTableEnv& env)
    : HfTable("HfTable", &env), folder_(folder) {
    HfTable.setTableName(FolderFile(folder_, "hfdat.dat"));
    HfTable.setExpectedFields(MainTitleTable().fields);
    HfTable.Open();
}

void TDataModule2::MaakIndexen(TDataModule1& dm1, TDataModule3& dm3,
                               const xbase::ProgressFn& progress) {
    // In the order of CatalogueTables(): INDEX1 to INDEX5.
    TTableAccess* const accesses[] = {&dm1.ArtAccess, &HfAccess, &dm3.ItemsAccess,
                                      &dm3.UitleenAccess, &dm3.PlaylistAccess};
    for (TTableAccess* access : accesses) {
        if (access->component().Active()) {
            access->SetOrder(0);
            access->component().table().CloseIndexes();
        }
    }
    // The tables must be known to open before their index files go: deleting them for a table
    // that cannot be read would only fail again at the next start.
    dm1.ArtTable.Open();
    DeleteIndexFiles(folder_);
    ControlsSuspended tracks(dm1.ArtTable);
    ControlsSuspended titles(HfTable);
    const auto& tables = CatalogueTables();
    const uint64_t total = uint64_t(tables.size()) * 1000;
    for (size_t i = 0; i < tables.size(); ++i) {
        const TableDefinition& def = tables[i];
        std::vector<std::pair<std::string, std::string>> tags;
        for (const TagDefinition& tag : def.tags)
            tags.emplace_back(tag.name, tag.expression);
        xbase::ProgressFn step;
        if (progress) {
            step = [&progress, i, total](uint64_t done, uint64_t all) {
                progress(i * 1000 + (all ? done * 1000 / all : 1000), total);
            };
        }
        ThrowIfError(accesses[i]->component().table().CreateTags(
            FolderFile(folder_, NewIndexName(def.indexFile)), tags, step));
    }
    if (progress)
        progress(total, total);
}

void TDataModule2::ImportOldFiles(TDataModule1& dm1) {
    const std::string data1 = FolderFile(folder_, "DATA1.DAT");
    const bool hasData2 = FolderHasFile(folder_, "DATA2.DAT");
    const std::string data2 = FolderFile(folder_, "DATA2.DAT");
    CheckReadable(data1);
    if (hasData2)
        CheckReadable(data2);

    dm1.ArtTable.Open();
    {
        ControlsSuspended tracks(dm1.ArtTable);
        ControlsSuspended titles(HfTable);
        const uint32_t tracksBefore = dm1.ArtTable.table().recordCount();
        const uint32_t titlesBefore = HfTable.table().recordCount();
        try {
            dm1.ArtAccess.AppendFrom(data1, "FOXPRO", "");
            if (hasData2)
                HfAccess.AppendFrom(data2, "FOXPRO", "");
        } catch (const TableError&) {
            // Half an import would be imported twice at the next start: take it back.
            WithdrawAppended(dm1.ArtAccess, tracksBefore);
            WithdrawAppended(HfAccess, titlesBefore);
            throw;
        }
    }
    RenameOld(data1, FolderFile(folder_, "DATA1.B01"));
    if (hasData2) {
        RenameOld(data2, FolderFile(folder_, "DATA2.B02"));
        if (FolderHasFile(folder_, "DATA2.FPT"))
            RenameOld(FolderFile(folder_, "DATA2.FPT"), FolderFile(folder_, "DATA2.FP2"));
    }
}

void TDataModule2::UpdateItems(TDataModule3& items) {
    HarvestItems(
        HfAccess,
        {{"HTITEL", 'H'}, {"AANKOOP", 'K'}, {"LABEL", 'L'}, {"SOORT", 'G'}, {"HOOFDART", 'A'}},
        items);
}
