#include "print/prn_geluidsdrager.h"

#include <QFormLayout>
#include <utility>

#include "base/text.h"
#include "entry/pick_list_combo.h"
#include "print/carrier_box.h"
#include "print/report_selection.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/saved_position.h"

TPrnGeluidsdrager::TPrnGeluidsdrager(Catalogue& catalogue, PrintSelectionHooks hooks,
                                     QWidget* parent)
    : PrintSelectionForm(catalogue, std::move(hooks), false, parent) {
    setWindowTitle("Source");
    box_ = MakeCarrierBox(catalogue, this);
    auto* fields = new QFormLayout;
    fields->addRow("Source:", box_);
    SetFields(fields);
    box_->setFocus();
}

void TPrnGeluidsdrager::PrintData(bool preview) {
    const std::optional<std::string> carrier = TypedCarrier(box_);
    if (!carrier)
        return;
    TTableAccess& titles = catalogue_.dm2.HfAccess;
    SavedPosition saved(titles);
    // The whole carrier code, so that "CD" does not take in "CDR".
    const ReportSelection found =
        SelectByPrefix(titles, {5, {"DRAGER"}, PadRight(*carrier, 10), ""});
    HandOver(titles, found, "Source \"" + FromTable(TableText(*carrier)) + "\" is not found.",
             ReportKind::MainTitle, preview, "Source");
    box_->setFocus();
}
