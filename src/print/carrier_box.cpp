#include "print/carrier_box.h"

#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "entry/pick_list_combo.h"
#include "shell/table_text.h"

PickListCombo* MakeCarrierBox(Catalogue& catalogue, QWidget* parent) {
    PickListCombo* box = MakeListField(catalogue, parent, "pDrager", 'D', 10);
    // A missing key reads "FOUT", which is no carrier to offer.
    const std::string carrier = IniReadString("Invoer", "DefaultDrager", "");
    box->setEditText(FromTable(TableText(Trim(carrier))));
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance("MMMMMMMMMM") + 40);
    return box;
}

std::optional<std::string> TypedCarrier(PickListCombo* box) {
    std::optional<std::string> carrier = FieldBytes(box, "Source");
    if (!carrier)
        return std::nullopt;
    *carrier = Trim(*carrier);
    if (carrier->empty()) {
        CurrentUi().Message(MsgKind::Information, "Please fill in a source.");
        box->setFocus();
        return std::nullopt;
    }
    return carrier;
}
