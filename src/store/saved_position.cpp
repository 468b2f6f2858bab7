#include "store/saved_position.h"

#include "store/table_error.h"

SavedPosition::SavedPosition(TTableAccess& access, bool keepOrder)
    : access_(access), keepOrder_(keepOrder), order_(access.IndexOrd()), recno_(access.RecNo()) {}

SavedPosition::~SavedPosition() {
    // A destructor may not throw; a position that cannot be restored leaves the table where the
    // walk ended, which every screen copes with.
    try {
        if (keepOrder_)
            access_.SetOrder(order_);
        const uint32_t count = access_.component().table().recordCount();
        if (recno_ >= 1 && recno_ <= count) {
            access_.Go(recno_);
        } else {
            access_.GoBottom();
            if (!access_.Eof())
                access_.Skip(1);
        }
    } catch (const TableError&) {
    }
}
