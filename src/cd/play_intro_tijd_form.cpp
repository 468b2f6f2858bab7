#include "cd/play_intro_tijd_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/ini.h"
#include "shell/range_spin_box.h"

TPlayIntroTijdForm::TPlayIntroTijdForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      spinEdit1_(new RangeSpinBox(this, "SpinEdit1", 2, 59, 2)) {
    setObjectName("PlayIntroTijdForm");
    setWindowTitle("Intro time");

    spinEdit1_->setValue(IniReadInteger("Diversen", "IntroSpeeltijd", 10));
    spinEdit1_->setFixedWidth(56);

    auto* caption = new QLabel("Intro playing time:", this);
    caption->setBuddy(spinEdit1_);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(spinEdit1_);
    row->addWidget(new QLabel("seconds", this));
    row->addStretch();

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setAutoDefault(false);
    auto* cancel = new QPushButton("&Cancel", this);
    cancel->setObjectName("CancelBtn");
    cancel->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(row);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void TPlayIntroTijdForm::OKBtnClick() {
    spinEdit1_->interpretText();
    if (RefusedOutOfRange(spinEdit1_, "Intro playing time"))
        return;
    if (IniWriteInteger("Diversen", "IntroSpeeltijd", spinEdit1_->value())) {
        accept();
    }
}
