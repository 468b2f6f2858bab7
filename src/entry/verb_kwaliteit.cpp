#include "entry/verb_kwaliteit.h"

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
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

// A quality is stored in OPNAME (3 characters); a longer item could not be put back there.
constexpr int kQualityWidth = 3;

}  // namespace

TVerbKwaliteit::TVerbKwaliteit(Catalogue& catalogue, const QString& quality, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), result_(quality), dbEdit1_(new QLineEdit(this)) {
    setObjectName("VerbKwaliteit");
    setWindowTitle("Change quality");
    dbEdit1_->setObjectName("DBEdit1");
    dbEdit1_->setMaxLength(kQualityWidth);
    dbEdit1_->setMinimumWidth(200);

    const std::optional<std::string> bytes = ToTable(quality.trimmed());
    if (bytes) {
        const std::optional<uint32_t> recno = FindItem(catalogue_.dm3, *bytes, 'O');
        if (recno) {
            found_ = true;
            recno_ = *recno;
            result_ = FromTable(Trim(catalogue_.dm3.ItemsAccess.GetString("OMS")));
        }
    }
    dbEdit1_->setText(result_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = AddDialogButton(buttons, "BitBtn1", "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel =
        AddDialogButton(buttons, "BitBtn2", "&Cancel", QDialogButtonBox::RejectRole);
    connect(ok, &QPushButton::clicked, this, &TVerbKwaliteit::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->addRow("&Quality:", dbEdit1_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(16);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    dbEdit1_->setFocus();
}

QString TVerbKwaliteit::Show(Catalogue& catalogue, const QString& quality, QWidget* parent) {
    try {
        TVerbKwaliteit screen(catalogue, quality, parent);
        if (!screen.found()) {
            PlayWave("ngev.wav");
            CurrentUi().Message(
                MsgKind::Information,
                "Quality \"" + quality.trimmed().toStdString() + "\" is not found.");
            return quality;
        }
        screen.exec();
        return screen.result();
    } catch (const TableError& error) {
        ShowTableError(error);
        return quality;
    }
}

void TVerbKwaliteit::BitBtn1Click() {
    if (!found_) {  // nothing to change
        reject();
        return;
    }
    const std::optional<std::string> text = TextForTable(dbEdit1_->text().trimmed(), "Quality");
    if (!text)
        return;
    if (text->empty()) {
        CurrentUi().Beep();
        dbEdit1_->setFocus();
        return;
    }
    try {
        if (ItemTextTaken(catalogue_.dm3, *text, 'O', recno_)) {
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
