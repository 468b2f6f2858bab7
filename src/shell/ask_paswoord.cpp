#include "shell/ask_paswoord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/dialog_parts.h"
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

    const OkCancelRow buttons = AddOkCancel(this, "OKBtn", "CancelBtn");
    connect(buttons.ok, &QPushButton::clicked, this, &TAskPaswoord::OKBtnClick);

    auto* field = new QVBoxLayout;
    field->addWidget(caption);
    field->addWidget(password_);
    field->addStretch();
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture);
    top->addLayout(field, 1);
    LayOutDialog(this, top, buttons.box, 16, 14);
    setTabOrder(password_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
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
