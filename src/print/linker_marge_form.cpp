#include "print/linker_marge_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "base/ui.h"
#include "print/print_settings.h"
#include "print/report_layouts.h"
#include "shell/dialog_parts.h"

TLinkerMargeForm::TLinkerMargeForm(QWidget* parent) : QDialog(parent) {
    setObjectName("LinkerMargeForm");
    setWindowTitle("Left margin");
    spinEdit1_ = new QSpinBox(this);
    spinEdit1_->setObjectName("SpinEdit1");
    spinEdit1_->setRange(0, kLargestLeftMarginMm);
    spinEdit1_->setValue(ReadLinkerMarge());

    auto* row = new QHBoxLayout;
    auto* caption = new QLabel("Left margin", this);
    caption->setBuddy(spinEdit1_);
    row->addWidget(caption);
    row->addWidget(spinEdit1_);
    row->addWidget(new QLabel("mm", this));

    const OkCancelRow buttons = AddOkCancel(this, "OKBtn", "CancelBtn");
    // A stray Enter must not change the margin of every report.
    buttons.ok->setDefault(false);
    buttons.ok->setAutoDefault(false);
    buttons.cancel->setDefault(true);
    connect(buttons.ok, &QPushButton::clicked, this, &TLinkerMargeForm::OKBtnClick);
    LayOutDialog(this, row, buttons.box);
}

void TLinkerMargeForm::OKBtnClick() {
    // A margin that leaves a report no room for its values is refused here, not when it prints.
    const QStringList problems = LeftMarginProblems(spinEdit1_->value());
    if (!problems.isEmpty()) {
        CurrentUi().Message(MsgKind::Information, problems.join('\n').toStdString());
        spinEdit1_->setFocus();
        return;
    }
    if (WriteLinkerMarge(spinEdit1_->value()))
        accept();
}
