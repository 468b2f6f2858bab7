#include "entry/geluid_kant.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "entry/editor_parts.h"
#include "entry/item_editor_parts.h"
#include "entry/lookup_item_edit.h"
#include "shell/table_text.h"
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
      checkBox1_(new QCheckBox("Divide in side A and B", this)) {
    setObjectName("GeluidKant");
    wijzigDrager_->setObjectName("WijzigDrager");
    wijzigDrager_->setMaxLength(kOmsWidth);
    wijzigDrager_->setMinimumWidth(260);
    KeepUpperCase(wijzigDrager_);
    checkBox1_->setObjectName("CheckBox1");

    result_ = carrier.trimmed();
    if (const auto recno = FindItemText(catalogue_.dm3, carrier, 'D', result_)) {
        isNew_ = false;
        recno_ = *recno;
        checkBox1_->setChecked(catalogue_.dm3.ItemsAccess.GetString("KANT").bytes() == "A");
    }
    setWindowTitle(isNew_ ? "New source" : "Change source");
    wijzigDrager_->setText(isNew_ ? result_.toUpper().left(kOmsWidth) : result_);

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    connect(buttons.ok, &QPushButton::clicked, this, &TGeluidKant::BitBtn1Click);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addRow("&Source:", wijzigDrager_);
    fields->addRow(QString(), checkBox1_);
    LayOutDialog(this, fields, buttons.box);
    wijzigDrager_->setFocus();
}

QString TGeluidKant::Show(Catalogue& catalogue, const QString& carrier, QWidget* parent) {
    return ShowGuarded(carrier, [&] {
        TGeluidKant screen(catalogue, carrier, parent);
        screen.exec();
        return screen.result();
    });
}

void TGeluidKant::BitBtn1Click() {
    const char kant = checkBox1_->isChecked() ? 'A' : ' ';
    try {
        const std::optional<std::string> text =
            ItemTextToStore(catalogue_.dm3, wijzigDrager_, "Source", 'D', recno_);
        if (!text)
            return;
        if (isNew_)
            recno_ = AddItem(catalogue_.dm3, *text, 'D', kant);
        else
            StoreItem(catalogue_.dm3, recno_, *text, kant);
        result_ = FromTable(TableText(*text));
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    accept();
}
