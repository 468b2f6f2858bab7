#include "entry/wijzig_hoofdtitel_gegevens.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <optional>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "entry/amend_records.h"
#include "entry/editor_parts.h"
#include "entry/pick_list_combo.h"
#include "shell/password.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/table_error.h"

TWijzigHoofdtitelGegevens::TWijzigHoofdtitelGegevens(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      form_(new QFormLayout),
      dbComboBox1_(MakeListField(catalogue, this, "DBComboBox1", 'D', 10)),
      spinEdit1_(MakeNumberField(this, "SpinEdit1", 1, 999999999)),
      dbComboBox2_(MakeListField(catalogue, this, "DBComboBox2", 'O', 3)),
      dbEdit2_(MakeListField(catalogue, this, "DBedit2", 'H', 50)),
      dbEdit3_(MakeListField(catalogue, this, "DBedit3", 'G', 30)),
      dbEdit4_(MakeListField(catalogue, this, "DBEdit4", 'L', 30)),
      dbEdit5_(MakeListField(catalogue, this, "DBedit5", 'A', 50)),
      dbText1_(new QLabel(this)),
      bitBtn1_(nullptr) {
    setObjectName("WijzigHoofdtitelGegevens");
    setWindowTitle("Edit main title");
    dbText1_->setObjectName("DBText1");

    const int shortWidth = spinEdit1_->fontMetrics().horizontalAdvance("999999999") + 48;
    dbComboBox1_->setFixedWidth(shortWidth);
    spinEdit1_->setFixedWidth(shortWidth);
    dbComboBox2_->setFixedWidth(shortWidth);
    dbEdit2_->setMinimumWidth(340);

    form_->setHorizontalSpacing(12);
    form_->setVerticalSpacing(8);
    form_->addRow("&Source:", dbComboBox1_);
    form_->addRow("&Number:", spinEdit1_);
    form_->addRow("&Quality:", dbComboBox2_);
    form_->addRow("&Main title:", dbEdit2_);
    form_->addRow("St&yle:", dbEdit3_);
    form_->addRow("&Label:", dbEdit4_);
    form_->addRow("Main &artist:", dbEdit5_);
    form_->addRow("Changed on:", dbText1_);

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    bitBtn1_ = buttons.ok;
    bitBtn1_->setEnabled(false);
    connect(bitBtn1_, &QPushButton::clicked, this, &TWijzigHoofdtitelGegevens::BitBtn1Click);

    LayOutDialog(this, form_, buttons.box);

    TTableAccess& titles = catalogue_.dm2.HfAccess;
    if (!titles.Eof())
        recno_ = titles.RecNo();
}

void TWijzigHoofdtitelGegevens::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TWijzigHoofdtitelGegevens::FormShow() {
    dbComboBox1_->setFocus();
    EnableWithCaption(form_, dbComboBox2_, IniReadBool("Invoer", "Inv_Kwaliteit"));
    EnableWithCaption(form_, dbEdit3_, IniReadBool("Invoer", "Inv_Genre1"));
    EnableWithCaption(form_, dbEdit4_, IniReadBool("Invoer", "Inv_Label"));
    EnableWithCaption(form_, dbEdit5_, IniReadBool("Invoer", "Inv_HoofdArtiest"));
    if (recno_ == 0)
        return;
    TableGuarded([&] {
        TTableAccess& t = catalogue_.dm2.HfAccess;
        t.Go(recno_);
        oldCarrier_ = Trim(t.GetString("DRAGER").bytes());
        oldNumber_ = std::to_string(t.GetInteger("CDNUMMER"));
        dbComboBox1_->setEditText(FromTable(TableText(oldCarrier_)));
        spinEdit1_->setValue(int(t.GetInteger("CDNUMMER")));
        dbComboBox2_->setEditText(FromTable(Trim(t.GetString("OPNAME"))));
        dbEdit2_->setEditText(FromTable(Trim(t.GetString("HTITEL"))));
        dbEdit3_->setEditText(FromTable(Trim(t.GetString("SOORT"))));
        dbEdit4_->setEditText(FromTable(Trim(t.GetString("LABEL"))));
        dbEdit5_->setEditText(FromTable(Trim(t.GetString("HOOFDART"))));
        dbText1_->setText(QString::fromStdString(t.GetDateString("WIJZIGDAT")));
        bitBtn1_->setEnabled(NietBeveiligd());
    });
}

void TWijzigHoofdtitelGegevens::BitBtn1Click() {
    MainTitleTexts texts;
    if (!CollectFieldBytes({{dbComboBox1_, "Source", &texts.carrier},
                            {dbComboBox2_, "Quality", &texts.quality},
                            {dbEdit2_, "Main title", &texts.title},
                            {dbEdit3_, "Style", &texts.style},
                            {dbEdit4_, "Label", &texts.label},
                            {dbEdit5_, "Main artist", &texts.mainArtist}}))
        return;
    if (IsBlank(texts.carrier)) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Warning, "There is no source!");
        dbComboBox1_->setFocus();
        return;
    }
    texts.number = std::to_string(spinEdit1_->value());
    try {
        moved_ = StoreModifiedMainTitle(catalogue_, recno_, texts, oldCarrier_, oldNumber_);
    } catch (const TableError& error) {
        ShowTableError(error);
        // The key as stored now is the one to move from when the user saves again.
        try {
            TTableAccess& t = catalogue_.dm2.HfAccess;
            t.Go(recno_);
            oldCarrier_ = Trim(t.GetString("DRAGER").bytes());
            oldNumber_ = std::to_string(t.GetInteger("CDNUMMER"));
        } catch (const TableError&) {
            // Unreadable now: the user has just been shown why; the old key stays.
        }
        return;
    }
    accept();
}
