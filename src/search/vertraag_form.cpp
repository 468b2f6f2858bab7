#include "search/vertraag_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

#include "base/ini.h"
#include "shell/dialog_parts.h"

namespace {
// The factor and the scroll step add up to this: factor 10 is step 0, which scrolls as step 1.
constexpr int kFactorPlusStep = 10;
}  // namespace

TVertraagForm::TVertraagForm(QWidget* parent)
    : QDialog(parent),
      checkBox1_(new QCheckBox("Delay automatically scrolling", this)),
      spinEdit1_(new QSpinBox(this)) {
    setObjectName("VertraagForm");
    setWindowTitle("Delay");
    checkBox1_->setObjectName("CheckBox1");
    spinEdit1_->setObjectName("SpinEdit1");
    spinEdit1_->setRange(1, 10);
    auto* content = new QFormLayout;
    content->addRow(checkBox1_);
    content->addRow("Delay scrolling with factor:", spinEdit1_);
    const OkCancelRow row = AddOkCancel(this, "OKBtn", "CancelBtn");
    connect(row.ok, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    LayOutDialog(this, content, row.box);
}

void TVertraagForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TVertraagForm::FormActivate() {
    checkBox1_->setChecked(IniReadBool("Diversen", "VertraagScrollBalk"));
    spinEdit1_->setValue(kFactorPlusStep - IniReadInteger("Diversen", "ScrollIncrement"));
}

void TVertraagForm::OKBtnClick() {
    IniWriteInteger("Diversen", "ScrollIncrement", kFactorPlusStep - spinEdit1_->value());
    IniWriteBool("Diversen", "VertraagScrollBalk", checkBox1_->isChecked());
    accept();
}
