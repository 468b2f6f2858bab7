#include "entry/geluid_kant.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/lookup_item_edit.h"
#include "entry/table_text.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

constexpr int kOmsWidth = 50;

// Keeps the line upper case as it is typed, the cursor where it was.
void KeepUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString upper = text.toUpper();
        if (upper == text)
            return;
        const int cursor = edit->cursorPosition();
        edit->setText(upper.left(edit->maxLength()));
        edit->setCursorPosition(cursor);
    });
}

}  // namespace

TGeluidKant::TGeluidKant(Catalogue& catalogue, const QString& carrier, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      wijzigDrager_(new QLineEdit(this)),
      checkBox1_(new QCheckBox("Devide in side A and B", this)) {
    setObjectName("GeluidKant");
    wijzigDrager_->setObjectName("WijzigDrager");
    wijzigDrager_->setMaxLength(kOmsWidth);
    wijzigDrager_->setMinimumWidth(260);
    KeepUpperCase(wijzigDrager_);
    checkBox1_->setObjectName("CheckBox1");

    result_ = carrier.trimmed();
    const std::optional<std::string> bytes = ToTable(carrier.trimmed());
    if (bytes) {
        const std::optional<uint32_t> recno = FindItem(catalogue_.dm3, *bytes, 'D');
        if (recno) {
            isNew_ = false;
            recno_ = *recno;
            result_ = FromTable(Trim(catalogue_.dm3.ItemsAccess.GetString("OMS")));
            checkBox1_->setChecked(catalogue_.dm3.ItemsAccess.GetString("KANT") == "A");
        }
    }
    setWindowTitle(isNew_ ? "New source" : "Change source");
    wijzigDrager_->setText(isNew_ ? result_.toUpper().left(kOmsWidth) : result_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = AddDialogButton(buttons, "BitBtn1", "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel =
        AddDialogButton(buttons, "BitBtn2", "&Cancel", QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &TGeluidKant::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addRow("&Source:", wijzigDrager_);
    fields->addRow(QString(), checkBox1_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    wijzigDrager_->setFocus();
}

QString TGeluidKant::Show(Catalogue& catalogue, const QString& carrier, QWidget* parent) {
    try {
        TGeluidKant screen(catalogue, carrier, parent);
        screen.exec();
        return screen.result();
    } catch (const TableError& error) {
        ShowTableError(error);
        return carrier;
    }
}

void TGeluidKant::BitBtn1Click() {
    const std::optional<std::string> text = TextForTable(wijzigDrager_->text().trimmed(), "Source");
    if (!text)
        return;
    if (text->empty()) {
        CurrentUi().Beep();
        wijzigDrager_->setFocus();
        return;
    }
    const char kant = checkBox1_->isChecked() ? 'A' : ' ';
    try {
        if (ItemTextTaken(catalogue_.dm3, *text, 'D', recno_)) {
            CurrentUi().Message(
                MsgKind::Information,
                "Information \"" + FromTable(*text).toStdString() + "\" does already exist.");
            wijzigDrager_->setFocus();
            return;
        }
        if (isNew_)
            recno_ = AddItem(catalogue_.dm3, *text, 'D', kant);
        else
            StoreItem(catalogue_.dm3, recno_, *text, kant);
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    result_ = FromTable(*text);
    accept();
}
