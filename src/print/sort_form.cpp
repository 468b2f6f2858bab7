#include "print/sort_form.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/dialog_parts.h"

TSortForm::TSortForm(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Sort");
    auto* choices = new QVBoxLayout;
    auto* alphabetic = new QRadioButton("Alphabetic", this);
    alphabetic->setObjectName("RadioButton1");
    alphabetic->setChecked(true);
    numerical_ = new QRadioButton("Numerical", this);
    numerical_->setObjectName("RadioButton2");
    choices->addWidget(alphabetic);
    choices->addWidget(numerical_);
    auto* box = new QDialogButtonBox(this);
    QPushButton* ok = AddDialogButton(box, "OKBtn", "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    LayOutDialog(this, choices, box);
    alphabetic->setFocus();
}

bool TSortForm::Numerical(QWidget* parent) {
    TSortForm form(parent);
    form.exec();
    return form.numerical_->isChecked();
}
