#include "print/print_tijd.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <utility>

#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "print/report_selection.h"
#include "store/catalogue.h"
#include "store/saved_position.h"

namespace {

// An emptied field counts as 0; a value outside the field's range is refused.
bool Refused(RangeSpinBox* field, std::string_view caption) {
    return field->value() != RangeSpinBox::kEmpty && RefusedOutOfRange(field, caption);
}

int ValueOf(const RangeSpinBox* field) {
    return field->value() == RangeSpinBox::kEmpty ? 0 : field->value();
}

}  // namespace

TPrintTijd::TPrintTijd(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent)
    : PrintSelectionForm(catalogue, std::move(hooks), true, parent) {
    setWindowTitle("Track time");
    minutes_ = MakeNumberField(this, "pMinuten", 0, 999);
    seconds_ = MakeNumberField(this, "pSeconden", 0, 59);
    for (RangeSpinBox* field : {minutes_, seconds_}) {
        field->setValue(0);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance("9999") + 40);
    }
    auto* time = new QHBoxLayout;
    time->setSpacing(4);
    time->addWidget(minutes_);
    time->addWidget(new QLabel(":", this));
    time->addWidget(seconds_);
    time->addStretch(1);
    auto* fields = new QFormLayout;
    fields->addRow("Track time:", time);
    SetFields(fields);
    minutes_->setFocus();
}

void TPrintTijd::PrintData(bool preview) {
    if (Refused(minutes_, "Minutes") || Refused(seconds_, "Seconds"))
        return;
    const int minutes = ValueOf(minutes_);
    const int seconds = ValueOf(seconds_);
    if (minutes == 0 && seconds == 0) {
        CurrentUi().Message(MsgKind::Information, "Please fill in the track time.");
        minutes_->setFocus();
        return;
    }
    const std::string text = TrackTimeText(minutes, seconds);
    TTableAccess& tracks = catalogue_.dm1.ArtAccess;
    SavedPosition saved(tracks);
    const ReportSelection found =
        SelectByPrefix(tracks, {6, {"MINUTEN", "SECONDEN"}, text, filterBytes()});
    HandOver(tracks, found, QString::fromStdString("Track time \"" + text + "\" is not found."),
             ReportKind::TrackTime, preview, "Track time");
    minutes_->setFocus();
}
