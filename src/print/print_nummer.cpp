#include "print/print_nummer.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <utility>

#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "entry/pick_list_combo.h"
#include "print/carrier_box.h"
#include "print/report_selection.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/saved_position.h"

TPrintNummer::TPrintNummer(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent)
    : PrintSelectionForm(catalogue, std::move(hooks), false, parent) {
    setWindowTitle("Number");
    box_ = MakeCarrierBox(catalogue, this);
    aNummer_ = MakeNumberField(this, "aNummer", 1, 999999999);
    bNummer_ = MakeNumberField(this, "bNummer", 1, 999999999);
    for (RangeSpinBox* number : {aNummer_, bNummer_}) {
        number->setValue(1);
        number->setFixedWidth(number->fontMetrics().horizontalAdvance("9999999999") + 40);
    }
    // A range never runs backwards while the first number is typed.
    connect(aNummer_, &QSpinBox::valueChanged, this, [this](int first) {
        if (aNummer_->InRange(first) && bNummer_->value() < first)
            bNummer_->setValue(first);
    });
    auto* range = new QHBoxLayout;
    range->addWidget(aNummer_);
    auto* till = new QLabel("till:", this);
    till->setBuddy(bNummer_);
    range->addSpacing(8);
    range->addWidget(till);
    range->addWidget(bNummer_);
    range->addStretch(1);
    auto* fields = new QFormLayout;
    fields->addRow("Source:", box_);
    fields->addRow("Number:", range);
    SetFields(fields);
    box_->setFocus();
}

void TPrintNummer::PrintData(bool preview) {
    const std::optional<std::string> carrier = TypedCarrier(box_);
    if (!carrier || RefusedOutOfRange(aNummer_, "Number") || RefusedOutOfRange(bNummer_, "till"))
        return;
    const int first = aNummer_->value();
    const int last = bNummer_->value();
    if (first > last) {
        CurrentUi().Message(MsgKind::Information,
                            "The first number must be smaller then the second number.");
        aNummer_->setFocus();
        return;
    }
    TTableAccess& titles = catalogue_.dm2.HfAccess;
    SavedPosition saved(titles);
    const ReportSelection found = SelectNumberRange(titles, *carrier, first, last);
    HandOver(titles, found,
             "From number \"" + FromTable(TableText(*carrier)) + " " + QString::number(first) +
                 " till number " + QString::number(last) + "\" is no information found.",
             ReportKind::MainTitle, preview, "Main title");
}
