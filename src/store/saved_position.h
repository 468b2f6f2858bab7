// Remembers a table's controlling order and current record and puts them back when it goes out
// of scope, however the walk in between ended: screens sharing the table find it where they left
// it.
#pragma once

#include <cstdint>

#include "store/table_access.h"

class SavedPosition {
public:
    // `keepOrder` false restores only the record, leaving the order the walk chose.
    explicit SavedPosition(TTableAccess& access, bool keepOrder = true);
    ~SavedPosition();
    SavedPosition(const SavedPosition&) = delete;
    SavedPosition& operator=(const SavedPosition&) = delete;

    uint32_t recno() const { return recno_; }

private:
    TTableAccess& access_;
    bool keepOrder_;
    int order_;
    uint32_t recno_;
};
