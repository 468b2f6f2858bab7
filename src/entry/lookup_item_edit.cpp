#include "entry/lookup_item_edit.h"

#include <string>

#include "store/data_module3.h"
#include "store/record_edit.h"
#include "store/table_error.h"

std::optional<uint32_t> FindItem(TDataModule3& items, std::string_view text, char code) {
    items.ItemsAccess.SetOrder(1);
    if (!items.ItemsAccess.Seek(items.ItemKey(text, code)))
        return std::nullopt;
    return items.ItemsAccess.RecNo();
}

bool ItemTextTaken(TDataModule3& items, std::string_view text, char code, uint32_t recno) {
    // Every record with this key, not just the first: the file may hold duplicates already.
    const std::string key = items.ItemKey(text, code);
    items.ItemsAccess.SetOrder(1);
    if (!items.ItemsAccess.Seek(key))
        return false;
    while (!items.ItemsAccess.Eof() &&
           items.ItemKey(items.ItemsAccess.GetString("OMS").bytes(),
                         items.ItemsAccess.GetString("CODE").bytes().front()) == key) {
        if (items.ItemsAccess.RecNo() != recno)
            return true;
        items.ItemsAccess.Skip(1);
    }
    return false;
}

void StoreItem(TDataModule3& items, uint32_t recno, std::string_view text,
               std::optional<char> kant) {
    ChangeRecord(items.ItemsAccess, recno, [&](TTable& table) {
        table.SetFieldAsString("OMS", text);
        if (kant)
            table.SetFieldAsString("KANT", std::string(1, *kant));
    });
}

uint32_t AddItem(TDataModule3& items, std::string_view text, char code, char kant) {
    TTable& table = items.ItemsTable;
    table.Insert();
    try {
        table.SetFieldAsString("OMS", text);
        table.SetFieldAsString("CODE", std::string(1, code));
        table.SetFieldAsString("KANT", std::string(1, kant));
        table.Post();
    } catch (const TableError&) {
        table.Cancel();
        throw;
    }
    return items.ItemsAccess.RecNo();
}

void DeleteItem(TDataModule3& items, uint32_t recno) {
    items.ItemsAccess.Go(recno);
    items.ItemsAccess.Delete();
}
