#include "print/print_selection_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/protection.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "print/filter_drager.h"
#include "print/report_selection.h"
#include "shell/table_text.h"
#include "store/table_access.h"

namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

PrintSelectionForm::PrintSelectionForm(Catalogue& catalogue, PrintSelectionHooks hooks,
                                       bool withFilter, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), hooks_(std::move(hooks)), withFilter_(withFilter) {
    setModal(true);
}

void PrintSelectionForm::SetFields(QLayout* fields) {
    // Made after the fields, so that Tab goes through the fields first and then through the
    // buttons as they stand from left to right.
    auto* buttons = new QHBoxLayout;
    QPushButton* setup = MakeButton(this, "SetupBtn", "&Setup");
    setup->setEnabled(NietBeveiligd() && hooks_.printerSetup != nullptr);
    connect(setup, &QPushButton::clicked, this, [this] { hooks_.printerSetup(); });
    buttons->addWidget(setup);
    if (withFilter_) {
        QPushButton* filter = MakeButton(this, "FilterBtn", "&Filter");
        connect(filter, &QPushButton::clicked, this, &PrintSelectionForm::FilterClick);
        buttons->addWidget(filter);
        // The filter is easily forgotten; it stays in sight while it is set.
        filterCap_ = new QLabel(this);
        filterCap_->setObjectName("FilterCap");
        buttons->addWidget(filterCap_);
    }
    buttons->addStretch(1);
    buttons->addSpacing(24);
    QPushButton* print = MakeButton(this, "PrintBtn", "P&rint");
    connect(print, &QPushButton::clicked, this, [this] { Print(false); });
    buttons->addWidget(print);
    QPushButton* preview = MakeButton(this, "PreviewBtn", "&Preview");
    preview->setDefault(true);
    connect(preview, &QPushButton::clicked, this, [this] { Print(true); });
    buttons->addWidget(preview);
    QPushButton* close = MakeButton(this, "CloseBtn", "&Close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PrintSelectionForm::Print(bool preview) {
    try {
        PrintData(preview);
    } catch (const TableError& error) {
        ShowTableError(error);
    }
}

std::string PrintSelectionForm::filterBytes() const {
    // The filter window took only what the tables can hold.
    return ToTable(filter_).value_or(std::string());
}

void PrintSelectionForm::HandOver(TTableAccess& access, const ReportSelection& found,
                                  const QString& notFound, ReportKind kind, bool preview,
                                  const QString& name) {
    const bool filtered = withFilter_ && !filter_.isEmpty();
    if (!found.found || (found.count == 0 && !filtered)) {
        PlayWave("ngev.wav");
        CurrentUi().Message(MsgKind::Information, notFound.toStdString());
        return;
    }
    if (found.count == 0) {
        PlayWave("ngev.wav");
        CurrentUi().Message(
            MsgKind::Information,
            ("Nothing found with the filter setting \"" + filter_ + "\"").toStdString());
        FilterClick();
        return;
    }
    access.Go(found.first);
    ReportRequest request;
    request.kind = kind;
    request.count = found.count;
    request.preview = preview;
    request.name = name;
    request.filter = withFilter_ ? filter_ : QString();
    if (hooks_.runner)
        hooks_.runner(catalogue_, request, this);
}

void PrintSelectionForm::FilterClick() {
    filter_ = TFilterDrager::Ask(catalogue_, filter_, this);
    if (filterCap_ != nullptr)
        filterCap_->setText(filter_.isEmpty() ? QString() : "Filter source: " + filter_);
}
