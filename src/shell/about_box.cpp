#include "shell/about_box.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "shell/dialog_parts.h"
#include "shell/product_logo.h"

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    setWindowTitle("About");

    auto* logo = new QLabel(this);
    logo->setObjectName("ProgramIcon");
    logo->setPixmap(ProductLogoPixmap(64, devicePixelRatioF()));
    logo->setAlignment(Qt::AlignTop);

    auto* product = new QLabel("TUNELO", this);
    product->setObjectName("ProductName");
    QFont big = product->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    product->setFont(big);

    auto* version = new QLabel(kProductVersion, this);
    version->setObjectName("Version");
    auto* purpose = new QLabel("A catalogue of your music collection.", this);
    purpose->setObjectName("Comments");

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    auto* notice = new QLabel(
        "Copyright \u00A9 The Tunelo authors. All rights reserved.\n"
        "This program is protected by copyright law. Copying or distributing it,\n"
        "or any part of it, without permission is not allowed.",
        this);
    notice->setObjectName("Copyright");
    notice->setWordWrap(false);

    auto* text = new QVBoxLayout;
    text->setSpacing(4);
    text->addWidget(product);
    text->addWidget(version);
    text->addSpacing(6);
    text->addWidget(purpose);
    text->addSpacing(10);
    text->addWidget(line);
    text->addSpacing(6);
    text->addWidget(notice);
    auto* top = new QHBoxLayout;
    top->setSpacing(18);
    top->addWidget(logo);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    buttons->setCenterButtons(true);

    LayOutDialog(this, top, buttons, 18);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    PlayWave("Info.wav");
}
