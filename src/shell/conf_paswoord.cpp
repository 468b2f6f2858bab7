#include "shell/conf_paswoord.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/dialog_parts.h"
#include "shell/padlock_picture.h"
#include "shell/password_store.h"

namespace {

QLineEdit* MaskedEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(static_cast<int>(kMaxPasswordLength));
    edit->setMinimumWidth(200);
    return edit;
}

}  // namespace

TConfPaswoord::TConfPaswoord(QWidget* parent)
    : QDialog(parent),
      present_(MaskedEdit("PresentPassword", this)),
      new_(MaskedEdit("NewPassword", this)),
      repeat_(MaskedEdit("RepeatPassword", this)),
      ok_(nullptr),
      plain_(PlainPassword()) {
    setObjectName("ConfPaswoord");
    setWindowTitle("Password");

    auto* picture = new QLabel(this);
    picture->setObjectName("Image1");
    picture->setPixmap(PadlockPixmap(48, devicePixelRatioF()));
    picture->setAlignment(Qt::AlignTop);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(8);
    form->addRow("Present password:", present_);
    form->addRow("New password:", new_);
    form->addRow("Repeat password:", repeat_);

    const OkCancelRow buttons = AddOkCancel(this, "OKBtn", "CancelBtn");
    ok_ = buttons.ok;
    connect(ok_, &QPushButton::clicked, this, &TConfPaswoord::OKBtnClick);
    connect(present_, &QLineEdit::textChanged, this, &TConfPaswoord::PresentChanged);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture);
    top->addLayout(form, 1);
    LayOutDialog(this, top, buttons.box, 16, 14);
    setTabOrder(present_, new_);
    setTabOrder(new_, repeat_);
    setTabOrder(repeat_, ok_);
    setTabOrder(ok_, buttons.cancel);

    // Without a password there is nothing to confirm first. Lost password information counts the
    // same, so that a new password can be set at all.
    const bool noPassword = plain_ == kNoPasswordMarker || !PasswordInformationFound();
    present_->setEnabled(!noPassword);
    EnableNewFields(noPassword);
    (noPassword ? new_ : present_)->setFocus();
}

void TConfPaswoord::EnableNewFields(bool enabled) {
    new_->setEnabled(enabled);
    repeat_->setEnabled(enabled);
    ok_->setEnabled(enabled);
}

void TConfPaswoord::PresentChanged(const QString& text) {
    if (PasswordMatches(plain_, text.toUtf8().toStdString())) {
        EnableNewFields(true);
        new_->setFocus();
    }
}

void TConfPaswoord::OKBtnClick() {
    if (new_->text() != repeat_->text()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Information, "Passwords do not match!");
        new_->setFocus();
        return;
    }
    switch (StorePassword(new_->text().toUtf8().toStdString())) {
        case PasswordStoreResult::Disabled:
            CurrentUi().Message(MsgKind::Information, "The password is disabled.");
            accept();
            return;
        case PasswordStoreResult::Stored:
            CurrentUi().Message(MsgKind::Information, "The password is successfully changed.");
            accept();
            return;
        case PasswordStoreResult::Unusable:
            PlayWave("error.wav");
            CurrentUi().Message(MsgKind::Information,
                                "This password cannot be used. Please choose another one.");
            new_->setFocus();
            return;
        case PasswordStoreResult::Failed:
            // The settings helper has told the user; the old password still holds.
            new_->setFocus();
            return;
    }
}
