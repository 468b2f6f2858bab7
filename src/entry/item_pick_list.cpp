#include "entry/item_pick_list.h"

#include <string>
#include <vector>

#include "entry/editor_parts.h"
#include "entry/pick_list_combo.h"
#include "shell/table_text.h"
#include "store/catalogue.h"

void OfferItems(PickListCombo* combo, Catalogue& catalogue, char code) {
    QObject::connect(combo, &PickListCombo::dropDown, combo, [combo, &catalogue, code] {
        TableGuarded([&] {
            std::vector<std::string> items;
            catalogue.dm3.GetItems(items, code);
            combo->clear();
            for (const std::string& item : items)
                combo->addItem(FromTable(TableText(item)));
        });
    });
}
