#include "entry/verander_combo_items.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/lookup_item_edit.h"
#include "entry/table_text.h"
#include "shell/password.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

// An item is put back into the field it came from, so it may be no longer than that field.
int ItemWidth(char code) {
    switch (code) {
        case 'D':
            return 10;
        case 'O':
            return 3;
        case 'G':
        case 'L':
        case 'U':
        case 'T':
            return 30;
        case 'K':
            return 45;
        default:
            return 50;  // H, A, N: the whole item
    }
}

}  // namespace

TVeranderComboItems::TVeranderComboItems(Catalogue& catalogue, const QString& text, char code,
                                         QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      code_(code),
      result_(text),
      dbEdit1_(new QLineEdit(this)) {
    setObjectName("VeranderComboItems");
    setWindowTitle("Change information from listbox");
    dbEdit1_->setObjectName("DBEdit1");
    dbEdit1_->setMaxLength(ItemWidth(code));
    dbEdit1_->setMinimumWidth(320);

    const std::optional<std::string> bytes = ToTable(text.trimmed());
    if (bytes && !IsBlank(*bytes) && code != ' ') {
        const std::optional<uint32_t> recno = FindItem(catalogue_.dm3, *bytes, code);
        if (recno) {
            found_ = true;
            recno_ = *recno;
            result_ = FromTable(Trim(catalogue_.dm3.ItemsAccess.GetString("OMS")));
        }
    }
    dbEdit1_->setText(result_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = AddDialogButton(buttons, "BitBtn1", "OK", QDialogButtonBox::AcceptRole);
    QPushButton* remove =
        AddDialogButton(buttons, "VerwBut", "&Delete", QDialogButtonBox::DestructiveRole);
    QPushButton* cancel =
        AddDialogButton(buttons, "BitBtn2", "&Cancel", QDialogButtonBox::RejectRole);
    // Enter does not change the pick list by accident.
    ok->setAutoDefault(false);
    remove->setAutoDefault(false);
    cancel->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TVeranderComboItems::BitBtn1Click);
    connect(remove, &QPushButton::clicked, this, &TVeranderComboItems::VerwButClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->addRow("&Information:", dbEdit1_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    dbEdit1_->setFocus();
}

QString TVeranderComboItems::Show(Catalogue& catalogue, const QString& text, char code,
                                  QWidget* parent) {
    if (ChkBeveiliging())
        return text;
    if (text.trimmed().isEmpty() || code == ' ' || code == '\0') {
        CurrentUi().Beep();
        return QString();
    }
    try {
        TVeranderComboItems screen(catalogue, text, code, parent);
        if (!screen.found()) {
            PlayWave("ngev.wav");
            CurrentUi().Message(
                MsgKind::Information,
                "Information \"" + text.trimmed().toStdString() + "\" is not found.");
            return text;
        }
        screen.exec();
        return screen.result();
    } catch (const TableError& error) {
        ShowTableError(error);
        return text;
    }
}

void TVeranderComboItems::BitBtn1Click() {
    if (!found_) {  // nothing to change
        reject();
        return;
    }
    const std::optional<std::string> text = TextForTable(dbEdit1_->text().trimmed(), "Information");
    if (!text)
        return;
    if (text->empty()) {
        // Removing an item is what "&Delete" is for.
        CurrentUi().Beep();
        dbEdit1_->setFocus();
        return;
    }
    try {
        if (ItemTextTaken(catalogue_.dm3, *text, code_, recno_)) {
            CurrentUi().Message(
                MsgKind::Information,
                "Information \"" + FromTable(*text).toStdString() + "\" does already exist.");
            dbEdit1_->setFocus();
            return;
        }
        StoreItem(catalogue_.dm3, recno_, *text);
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    result_ = FromTable(*text);
    accept();
}

void TVeranderComboItems::VerwButClick() {
    if (!found_) {  // nothing to change
        reject();
        return;
    }
    if (ChkBeveiliging())
        return;
    try {
        DeleteItem(catalogue_.dm3, recno_);
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    deleted_ = true;
    dbEdit1_->clear();
    result_.clear();
    accept();
}
