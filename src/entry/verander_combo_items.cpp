#include "entry/verander_combo_items.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/item_editor_parts.h"
#include "entry/lookup_item_edit.h"
#include "shell/password.h"
#include "shell/table_text.h"
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

    // A blank text or no code has no item to look for.
    const std::optional<std::string> bytes = ToTable(text.trimmed());
    if (bytes && !IsBlank(*bytes) && code != ' ') {
        if (const auto recno = FindItemText(catalogue_.dm3, text, code, result_)) {
            found_ = true;
            recno_ = *recno;
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
    LayOutDialog(this, fields, buttons);
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
    return ShowGuarded(text, [&] {
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
    });
}

void TVeranderComboItems::BitBtn1Click() {
    if (!found_) {  // nothing to change
        reject();
        return;
    }
    try {
        // An empty text is refused: removing an item is what "&Delete" is for.
        const std::optional<std::string> text =
            ItemTextToStore(catalogue_.dm3, dbEdit1_, "Information", code_, recno_);
        if (!text)
            return;
        StoreItem(catalogue_.dm3, recno_, *text);
        result_ = FromTable(TableText(*text));
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    accept();
}

void TVeranderComboItems::VerwButClick() {
    if (!found_) {  // nothing to change
        reject();
        return;
    }
    if (ChkBeveiliging())
        return;
    if (!TableGuarded([&] { DeleteItem(catalogue_.dm3, recno_); }))
        return;
    deleted_ = true;
    dbEdit1_->clear();
    result_.clear();
    accept();
}
