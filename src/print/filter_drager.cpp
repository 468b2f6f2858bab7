#include "print/filter_drager.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "entry/amend_form_parts.h"
#include "entry/pick_list_combo.h"
#include "shell/dialog_parts.h"

TFilterDrager::TFilterDrager(Catalogue& catalogue, const QString& current, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Filter");
    box_ = MakeListField(catalogue, this, "pFilter", 'D', 10);
    box_->setEditText(current);
    box_->setMinimumWidth(box_->fontMetrics().horizontalAdvance("MMMMMMMMMM") + 40);
    auto* fields = new QFormLayout;
    fields->addRow("Filter source:", box_);
    const OkCancelRow row = AddOkCancel(this, "OKBtn", "CancelBtn");
    // A carrier is table text: a character the tables cannot hold is refused here, not later.
    connect(row.ok, &QPushButton::clicked, this, [this] {
        if (FieldBytes(box_, "Filter source"))
            accept();
    });
    LayOutDialog(this, fields, row.box);
    box_->setFocus();
    box_->lineEdit()->selectAll();
}

QString TFilterDrager::text() const {
    return box_->currentText().trimmed().toUpper();
}

QString TFilterDrager::Ask(Catalogue& catalogue, const QString& current, QWidget* parent) {
    TFilterDrager window(catalogue, current, parent);
    return window.exec() == QDialog::Accepted ? window.text() : QString();
}
