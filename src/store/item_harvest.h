// Rebuilding lookup items from a table: every record's values of some fields are written as items
// of their codes. Used by both UpdateItems right after the index files were built.
#pragma once

#include <vector>

#include "store/data_module3.h"
#include "store/table_access.h"

struct ItemField {
    const char* field;
    char code;
};

// Walks the whole table of `access` in record order with its views suspended and calls
// items.WriteItems(value, code) for each field of each record, in the order given. The table's
// order and current record are restored afterwards.
void HarvestItems(TTableAccess& access, const std::vector<ItemField>& fields, TDataModule3& items);
