#include "store/item_harvest.h"

#include <set>
#include <string>

#include "store/controls_suspended.h"

void HarvestItems(TTableAccess& access, const std::vector<ItemField>& fields, TDataModule3& items) {
    ControlsSuspended suspended(access.component());
    const int order = access.IndexOrd();
    const uint32_t recno = access.RecNo();
    // Values already written in this walk need no second seek: with a million tracks the same
    // styles come back again and again.
    std::set<std::string> written;
    access.SetOrder(0);
    for (access.GoTop(); !access.Eof(); access.Skip(1)) {
        for (const ItemField& f : fields) {
            const std::string value = access.GetString(f.field).bytes();
            if (written.insert(items.ItemKey(value, f.code)).second)
                items.WriteItems(value, f.code);
        }
    }
    access.SetOrder(order);
    if (recno != 0 && recno <= access.component().table().recordCount())
        access.Go(recno);
}
