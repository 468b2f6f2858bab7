#include "print/print_jaar.h"

#include <QFormLayout>
#include <charconv>
#include <utility>

#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "print/report_selection.h"
#include "store/catalogue.h"
#include "store/saved_position.h"

namespace {

// The year a cd.ini text holds; 0 for anything else (a missing key reads "FOUT").
int YearOf(const std::string& text) {
    int year = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), year);
    if (error != std::errc() || end != text.data() + text.size() || year < 0 || year > 9999)
        return 0;
    return year;
}

}  // namespace

TPrintJaar::TPrintJaar(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent)
    : PrintSelectionForm(catalogue, std::move(hooks), true, parent) {
    setWindowTitle("Year");
    year_ = MakeNumberField(this, "pJaar", 0, 9999);
    year_->setFixedWidth(year_->fontMetrics().horizontalAdvance("99999") + 40);
    const int year = YearOf(Trim(IniReadString("diversen", "VeldJaar")));
    year_->setValue(year == 0 ? RangeSpinBox::kEmpty : year);
    auto* fields = new QFormLayout;
    fields->addRow("Year:", year_);
    SetFields(fields);
    year_->setFocus();
}

void TPrintJaar::PrintData(bool preview) {
    const int year = year_->value();
    if (year <= 0) {
        CurrentUi().Message(MsgKind::Information, "Please fill in a year.");
        year_->setFocus();
        return;
    }
    const std::string text = std::to_string(year);
    TTableAccess& tracks = catalogue_.dm1.ArtAccess;
    SavedPosition saved(tracks);
    // The whole year, so that the year 199 does not take in the nineties.
    const ReportSelection found =
        SelectByPrefix(tracks, {12, {"JAAR"}, PadRight(text, 4), filterBytes()});
    HandOver(tracks, found, QString::fromStdString("Year \"" + text + "\" not found."),
             ReportKind::Year, preview, "Year");
    year_->setFocus();
}
