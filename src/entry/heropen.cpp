#include "entry/heropen.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>

#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/item_pick_list.h"
#include "entry/pick_list_combo.h"
#include "entry/reopen_source.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/source_key.h"
#include "store/table_error.h"

THeropen::THeropen(Catalogue& catalogue, int mode, QWidget* parent, ShowSourceFn showSource)
    : QDialog(parent),
      catalogue_(catalogue),
      mode_(mode),
      showSource_(std::move(showSource)),
      comboBox1_(new PickListCombo(this)),
      nummer_(new QSpinBox(this)) {
    setObjectName("Heropen");
    setWindowTitle(mode == kShow ? "Show source" : "Reopen source");

    comboBox1_->setObjectName("ComboBox1");
    comboBox1_->lineEdit()->setMaxLength(10);
    comboBox1_->setMinimumWidth(160);
    OfferItems(comboBox1_, catalogue_, 'D');

    nummer_->setObjectName("nummer");
    nummer_->setRange(1, 999999999);
    nummer_->setMinimumWidth(160);

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    connect(buttons.ok, &QPushButton::clicked, this, &THeropen::BitBtn1Click);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addRow("&Source:", comboBox1_);
    fields->addRow("&Number:", nummer_);

    LayOutDialog(this, fields, buttons.box);
}

void THeropen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormActivate();
}

void THeropen::FormActivate() {
    // Only when the screen opens: after a "not found" the number typed stays.
    if (comboBox1_->currentText().trimmed().isEmpty()) {
        const std::string carrier = IniReadString("Invoer", "DefaultDrager");
        if (carrier != kIniAbsent)
            comboBox1_->setEditText(FromTable(TableText(Trim(carrier))));
    }
    nummer_->setValue(nummer_->minimum());
    comboBox1_->setFocus();
    comboBox1_->lineEdit()->selectAll();
}

void THeropen::BitBtn1Click() {
    const std::optional<std::string> carrier = TextForTable(comboBox1_->currentText(), "Source");
    if (!carrier)
        return;
    // A number being typed counts as it stands.
    nummer_->interpretText();
    const int64_t number = nummer_->value();
    try {
        if (mode_ == kReopen) {
            if (!ReopenSource(catalogue_, *carrier, number)) {
                nummer_->setFocus();
                return;
            }
            sourceSeekKey_ = SourceSeekKey(*carrier, number);
            accept();
            return;
        }
        if (!SourceExists(catalogue_, *carrier, number)) {
            nummer_->setFocus();
            return;
        }
        sourceSeekKey_ = SourceSeekKey(*carrier, number);
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    // The source information screen takes over from here; the choice is made.
    accept();
    if (showSource_) {
        showSource_(sourceSeekKey_);
    } else {
        CurrentUi().Message(MsgKind::Information,
                            "Source \"" + comboBox1_->currentText().trimmed().toStdString() + " " +
                                std::to_string(number) + "\" is found.");
    }
}
