// PendingEdit: an Insert or Edit of a table component that is either posted or cancelled, so that
// a failure halfway through filling the record leaves the table as it was.
#pragma once

#include "store/table_component.h"

class PendingEdit {
public:
    explicit PendingEdit(TTable& table) : table_(table) {}
    ~PendingEdit() {
        if (!posted_ &&
            (table_.state() == TTable::State::Insert || table_.state() == TTable::State::Edit))
            table_.Cancel();
    }
    PendingEdit(const PendingEdit&) = delete;
    PendingEdit& operator=(const PendingEdit&) = delete;

    void Post() {
        table_.Post();
        posted_ = true;
    }

private:
    TTable& table_;
    bool posted_ = false;
};
