#include "shell/ask_paswoord.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/padlock_picture.h"
#include "shell/password.h"
#include "shell/password_store.h"

TAskPaswoord::TAskPaswoord(QWidget* parent) : QDialog(parent), password_(new QLineEdit(this)) {
    setObjectName("AskPaswoord");
    setWindowTitle("Password");

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(PadlockPixmap(48, devicePixelRatioF()));
    picture->setAlignment(Qt::AlignTop);

    auto* caption = new QLabel("Password:", this);
    caption->setObjectName("Label1");
    caption->setBuddy(password_);
    password_->setObjectName("Password");
    password_->setEchoMode(QLineEdit::Password);
    password_->setMaxLength(static_cast<int>(kMaxPasswordLength));
    password_->setMinimumWidth(220);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("&Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("CancelBtn");
    connect(ok, &QPushButton::clicked, this, &TAskPaswoord::OKBtnClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* field = new QVBoxLayout;
    field->addWidget(caption);
    field->addWidget(password_);
    field->addStretch();
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture);
    top->addLayout(field, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrder(password_, ok);
    setTabOrder(ok, cancel);
}

bool TAskPaswoord::PasswordGiven() const {
    return result() == Accepted && TypedMatches();
}

void TAskPaswoord::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    expected_ = PlainPassword();
    RaisePasswordAttempts();
    password_->clear();
    password_->setFocus();
}

bool TAskPaswoord::TypedMatches() const {
    return PasswordMatches(expected_, password_->text().toUtf8().toStdString());
}

void TAskPaswoord::OKBtnClick() {
    if (!TypedMatches() && PasswordAttempts() < 3) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Information, "Password is incorrect.");
        password_->clear();
        password_->setFocus();
        RaisePasswordAttempts();
        return;
    }
    accept();
}
