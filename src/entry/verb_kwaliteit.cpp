#include "entry/verb_kwaliteit.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "base/feedback.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/item_editor_parts.h"
#include "entry/lookup_item_edit.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

// A quality is stored in OPNAME (3 characters); a longer item could not be put back there.
constexpr int kQualityFieldWidth = 3;

}  // namespace

TVerbKwaliteit::TVerbKwaliteit(Catalogue& catalogue, const QString& quality, QWidget* parent)
    : QDialog(parent), catalogue_(catalogue), result_(quality), dbEdit1_(new QLineEdit(this)) {
    setObjectName("VerbKwaliteit");
    setWindowTitle("Change quality");
    dbEdit1_->setObjectName("DBEdit1");
    dbEdit1_->setMaxLength(kQualityFieldWidth);
    dbEdit1_->setMinimumWidth(200);

    if (const auto recno = FindItemText(catalogue_.dm3, quality, 'O', result_)) {
        found_ = true;
        recno_ = *recno;
    }
    dbEdit1_->setText(result_);

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    connect(buttons.ok, &QPushButton::clicked, this, &TVerbKwaliteit::BitBtn1Click);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->addRow("&Quality:", dbEdit1_);
    LayOutDialog(this, fields, buttons.box);
    dbEdit1_->setFocus();
}

QString TVerbKwaliteit::Show(Catalogue& catalogue, const QString& quality, QWidget* parent) {
    return ShowGuarded(quality, [&] {
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
    });
}

void TVerbKwaliteit::BitBtn1Click() {
    if (!found_) {  // nothing to change
        reject();
        return;
    }
    try {
        const std::optional<std::string> text =
            ItemTextToStore(catalogue_.dm3, dbEdit1_, "Quality", 'O', recno_);
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
