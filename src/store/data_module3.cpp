#include "store/data_module3.h"

#include <optional>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "store/catalogue_schema.h"
#include "store/controls_suspended.h"
#include "store/folder_file.h"
#include "store/table_error.h"

namespace {

constexpr size_t kOmsWidth = 50;

void OpenIn(TTable& table, const std::string& folder, const char* file) {
    table.setTableName(FolderFile(folder, file));
    for (const TableDefinition& def : CatalogueTables()) {
        if (def.file == file)
            table.setExpectedFields(def.fields);
    }
    table.Open();
}

}  // namespace

TDataModule3::TDataModule3(const std::string& folder, TTableEnv& env)
    : UitleenTable("UitleenTable", &env),
      ItemsTable("ItemsTable", &env),
      PlaylistTable("PlaylistTable", &env),
      folder_(folder) {
    OpenIn(UitleenTable, folder_, "Uitdat.dat");
    OpenIn(ItemsTable, folder_, "items.dat");
    OpenIn(PlaylistTable, folder_, "playlist.dat");
}

std::string TDataModule3::ItemKey(std::string_view text, char code) const {
    // UPPER() of the index follows the table's code page, so accented letters must too.
    const xbase::CodePage& page = ItemsTable.table().codePage();
    std::string upper(text);
    for (char& ch : upper)
        ch = char(page.Upper(static_cast<uint8_t>(ch)));
    return PadRight(upper, int(kOmsWidth)) + code;
}

void TDataModule3::WriteItems(std::string_view text, char code) {
    if (IsBlank(text))
        return;
    std::string value(text);
    while (value.size() > kOmsWidth && value.back() == ' ')
        value.pop_back();
    if (value.size() > kOmsWidth) {
        throw TableError(xbase::Status::InvalidArgument(
            ItemsTable.tableName(), "the item \"" + value + "\" is longer than 50 characters"));
    }
    ItemsAccess.SetOrder(1);
    if (ItemsAccess.Seek(ItemKey(value, code)))
        return;
    ItemsTable.Insert();
    ItemsTable.SetFieldAsString("OMS", value);
    ItemsTable.SetFieldAsString("CODE", std::string(1, code));
    ItemsTable.Post();
}

void TDataModule3::GetItems(std::vector<std::string>& list, char code) {
    BusyCursor busy;
    ControlsSuspended suspended(ItemsTable);
    ItemsAccess.SetOrder(2);
    if (!ItemsAccess.Seek(std::string(1, code))) {
        CurrentUi().Message(MsgKind::Information, "No information found!");
        return;
    }
    while (!ItemsAccess.Eof()) {
        const std::string itemCode = ItemsAccess.GetString("CODE").bytes();
        if (itemCode.empty() || itemCode[0] != code)
            break;
        std::string text = Trim(ItemsAccess.GetString("OMS").bytes());
        if (!text.empty())
            list.push_back(std::move(text));
        ItemsAccess.Skip(1);
    }
}

void TDataModule3::PackItems(const TTableAccess::GaugeHook& gauge) {
    ShowStatus("Removing empty records...");
    ItemsAccess.GoTop();
    {
        ControlsSuspended suspended(ItemsTable);
        while (!ItemsAccess.Eof()) {
            if (IsBlank(ItemsAccess.GetString("OMS"))) {
                ItemsAccess.Delete();  // the next record becomes current
            } else {
                ItemsAccess.Skip(1);
            }
        }
    }
    PackItemFile(gauge);
}

void TDataModule3::PackItemFile(const TTableAccess::GaugeHook& gauge) {
    BusyCursor busy;
    ShowStatus("Checking database...");
    const std::string index = FolderFile(folder_, "INDEX3.CDX");
    std::optional<TableError> failure;
    {
        ControlsSuspended suspended(ItemsTable);
        try {
            ItemsTable.Close();
            ItemsTable.setExclusive(true);
            ItemsTable.Open();
            ItemsAccess.IndexOpen(index);
            if (gauge) {
                ItemsAccess.SetGaugeHook(gauge);
            } else {
                ItemsAccess.SetGaugeHook([](int percent) {
                    ShowStatus("Checking database... " + std::to_string(percent) + "%");
                });
            }
            ItemsAccess.Pack();
        } catch (const TableError& e) {
            failure = e;
        }
        ItemsAccess.SetGaugeHook(nullptr);
        // Back to shared use even after a failed pack: the pick lists must keep working.
        ItemsTable.Close();
        ItemsTable.setExclusive(false);
        ItemsTable.Open();
        ItemsAccess.IndexOpen(index);
    }
    ShowStatus("");
    if (failure)
        throw *failure;
}
