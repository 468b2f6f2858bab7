#include "entry/invoeg_track_form.h"
#include "entry/track_time_field.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "entry/amend_records.h"
#include "entry/editor_parts.h"
#include "entry/pick_list_combo.h"
#include "shell/range_spin_box.h"
#include "shell/table_text.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

constexpr int kInsertTrackScreen = 16;

}  // namespace

TInvoegTrackForm::TInvoegTrackForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      form_(new QFormLayout),
      invDrager_(MakeListField(catalogue, this, "InvDrager", 'D', 10)),
      invNummer_(MakeNumberField(this, "InvNummer", 1, 999999999)),
      invTrack_(MakeNumberField(this, "InvTrack", 1, 999)),
      dbEdit7_(MakeTextField(this, "DBEdit7", 1)),
      dbEdit1_(MakeTextField(this, "DBEdit1", 50)),
      dbEdit2_(MakeTextField(this, "DBEdit2", 50)),
      dbEdit3_(MakeTextField(this, "DBEdit3", 50)),
      dbEdit4_(MakeListField(catalogue, this, "DBedit4", 'G', 30)),
      dbEdit5_(MakeListField(catalogue, this, "DBedit5", 'U', 30)),
      dbEdit6_(MakeListField(catalogue, this, "DBedit6", 'T', 30)),
      invMin_(new TrackTimeField(this, "InvMin", 999)),
      invSec_(new TrackTimeField(this, "InvSec", 59)),
      timeCaption_(new QLabel("Track time:", this)),
      invJaar_(MakeYearField(this, "InvJaar")) {
    setObjectName("InvoegTrackForm");
    setWindowTitle("Add some tracks");

    invDrager_->setMinimumWidth(140);
    invNummer_->setMinimumWidth(invNummer_->fontMetrics().horizontalAdvance("999999999") + 40);
    invTrack_->setMinimumWidth(invTrack_->fontMetrics().horizontalAdvance("9999") + 40);
    dbEdit7_->setFixedWidth(dbEdit7_->fontMetrics().horizontalAdvance("WW") + 16);
    for (QWidget* wide : {static_cast<QWidget*>(dbEdit1_), static_cast<QWidget*>(dbEdit2_),
                          static_cast<QWidget*>(dbEdit3_)})
        wide->setMinimumWidth(320);

    // Where the track goes.
    auto* source = new QHBoxLayout;
    source->setSpacing(8);
    auto* sourceCaption = new QLabel("&Source:", this);
    sourceCaption->setBuddy(invDrager_);
    source->addWidget(sourceCaption);
    source->addWidget(invDrager_, 1);
    source->addSpacing(12);
    auto* numberCaption = new QLabel("&Number:", this);
    numberCaption->setBuddy(invNummer_);
    source->addWidget(numberCaption);
    source->addWidget(invNummer_);
    source->addSpacing(12);
    auto* trackCaption = new QLabel("&Track:", this);
    trackCaption->setBuddy(invTrack_);
    source->addWidget(trackCaption);
    source->addWidget(invTrack_);
    source->addSpacing(12);
    auto* sideCaption = new QLabel("Si&de:", this);
    sideCaption->setBuddy(dbEdit7_);
    source->addWidget(sideCaption);
    source->addWidget(dbEdit7_);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    yearCaption_ = new QLabel("Y&ear:", this);
    QHBoxLayout* time = MakeTimeAndYearRow(this, invMin_, invSec_, yearCaption_, invJaar_);

    form_->setHorizontalSpacing(12);
    form_->setVerticalSpacing(8);
    form_->addRow("&Artist:", dbEdit1_);
    form_->addRow("T&itle:", dbEdit2_);
    form_->addRow("C&omposer:", dbEdit3_);
    form_->addRow("St&yle:", dbEdit4_);
    form_->addRow("&Performance:", dbEdit5_);
    form_->addRow("&Keyword:", dbEdit6_);
    form_->addRow(timeCaption_, time);

    const OkCancelRow buttons = AddOkCancel(this, "OkBut", "BitBtn2");
    okBut_ = buttons.ok;
    okBut_->setEnabled(false);
    bitBtn2_ = buttons.cancel;
    connect(okBut_, &QPushButton::clicked, this, &TInvoegTrackForm::OkButClick);
    connect(dbEdit1_, &QLineEdit::textChanged, this, &TInvoegTrackForm::DBEdit1Change);
    connect(dbEdit2_, &QLineEdit::textChanged, this, &TInvoegTrackForm::DBEdit1Change);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(12);
    layout->addLayout(source);
    layout->addWidget(line);
    layout->addLayout(form_);
    layout->addStretch();
    layout->addWidget(buttons.box);
}

void TInvoegTrackForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TInvoegTrackForm::FormShow() {
    RestoreWindowPlacement(this, kInsertTrackScreen);
    invJaar_->setText(FromTable(TableText(IniReadString("diversen", "VeldJaar", ""))).left(4));
    invDrager_->setEditText(
        FromTable(TableText(Trim(IniReadString("Invoer", "DefaultDrager", "")))));
    EnableTrackFieldsBySetting(form_, {.composer = dbEdit3_,
                                       .style = dbEdit4_,
                                       .performance = dbEdit5_,
                                       .keyword = dbEdit6_,
                                       .timeCaption = timeCaption_,
                                       .minutes = invMin_,
                                       .seconds = invSec_,
                                       .yearCaption = yearCaption_,
                                       .year = invJaar_});
    added_ = false;
    invDrager_->setFocus();
}

void TInvoegTrackForm::DBEdit1Change() {
    okBut_->setEnabled(!dbEdit1_->text().trimmed().isEmpty() &&
                       !dbEdit2_->text().trimmed().isEmpty());
}

void TInvoegTrackForm::OkButClick() {
    closingByOk_ = false;
    for (const auto& [field, caption] : {std::pair{invNummer_, "Number"},
                                         {invTrack_, "Track"},
                                         {invMin_, "Minutes"},
                                         {invSec_, "Seconds"}}) {
        if (RefusedOutOfRange(field, caption))
            return;
    }
    const std::optional<std::string> carrier = FieldBytes(invDrager_, "Source");
    if (!carrier)
        return;
    TrackTexts texts;
    texts.carrier = *carrier;
    texts.number = std::to_string(invNummer_->value());
    texts.track = std::to_string(invTrack_->value());
    texts.minutes = std::to_string(invMin_->value());
    texts.seconds = std::to_string(invSec_->value());
    texts.year = invJaar_->text().toStdString();
    if (!CollectFieldBytes({{dbEdit7_, "Side", &texts.side},
                            {dbEdit1_, "Artist", &texts.artist},
                            {dbEdit2_, "Title", &texts.title},
                            {dbEdit3_, "Composer", &texts.composer},
                            {dbEdit4_, "Style", &texts.style},
                            {dbEdit5_, "Performance", &texts.performance},
                            {dbEdit6_, "Keyword", &texts.keyword}}))
        return;
    AppendOutcome stored;
    try {
        if (IsBlank(texts.carrier) || !SourceExists(catalogue_, texts.carrier, texts.number)) {
            PlayWave("error.wav");
            CurrentUi().Message(MsgKind::Warning, "Source \"" +
                                                      Utf8(TableText(Trim(texts.carrier))) + " " +
                                                      texts.number + "\" does not exist.");
            invNummer_->setFocus();
            return;
        }
        stored = StoreNewTrack(catalogue_, texts);
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    // A save that failed after the track reached the table counts as stored: saving again
    // would store it twice.
    if (stored.failure)
        ShowTableError(*stored.failure);
    lastStored_ = stored.recno;
    added_ = true;
    lastTrack_ = invTrack_->value();
    storedCarrier_ = texts.carrier;
    storedNumber_ = texts.number;
    if (CurrentUi().Message(MsgKind::Confirmation, "Add another track?", MsgButtons::YesNo) !=
        MsgAnswer::Yes) {
        closingByOk_ = true;
        if (FormCloseQuery())
            QDialog::accept();
        return;
    }
    ClearTrackFields();
    dbEdit1_->setFocus();
}

void TInvoegTrackForm::ClearTrackFields() {
    for (QLineEdit* edit : {dbEdit7_, dbEdit1_, dbEdit2_, dbEdit3_})
        edit->clear();
    for (PickListCombo* combo : {dbEdit4_, dbEdit5_, dbEdit6_})
        combo->setEditText(QString());
}

void TInvoegTrackForm::reject() {
    if (FormCloseQuery())
        QDialog::reject();
}

bool TInvoegTrackForm::FormCloseQuery() {
    if (!closingByOk_ && CurrentUi().Message(MsgKind::Confirmation, "Do you want to abort?",
                                             MsgButtons::YesNo) != MsgAnswer::Yes) {
        return false;
    }
    // Nothing is appended before OK, so an abort has no half-typed record to delete.
    if (added_) {
        TableGuarded([&] {
            // One lower puts the last track ahead of the one that held its number.
            if (closingByOk_ && lastTrack_ > 1)
                SetTrackNumber(catalogue_, lastStored_, lastTrack_ - 1);
            catalogue_.dm1.HernummerTrackVeld(storedCarrier_, storedNumber_);
        });
        if (showSource_ &&
            CurrentUi().Message(MsgKind::Confirmation, "Do you want to see the contents?",
                                MsgButtons::YesNo) == MsgAnswer::Yes) {
            showSource_(SourceSeekKey(storedCarrier_, storedNumber_));
        }
    }
    SaveWindowPlacement(this, kInsertTrackScreen);
    return true;
}
