#include "entry/wijzig_artiest_gegevens.h"
#include "entry/track_time_field.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSpinBox>
#include <QVBoxLayout>
#include <optional>

#include "base/ini.h"
#include "base/text.h"
#include "entry/amend_form_parts.h"
#include "entry/amend_records.h"
#include "entry/editor_parts.h"
#include "entry/pick_list_combo.h"
#include "shell/password.h"
#include "shell/range_spin_box.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

int WholeNumber(const std::string& text) {
    bool ok = false;
    const int value = QString::fromStdString(Trim(text)).toInt(&ok);
    return ok ? value : 0;
}

}  // namespace

TWijzigArtiestGegevens::TWijzigArtiestGegevens(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      form_(new QFormLayout),
      dbEdit1_(MakeTextField(this, "DBEdit1", 50)),
      dbEdit2_(MakeTextField(this, "DBEdit2", 50)),
      dbEdit3_(MakeTextField(this, "DBEdit3", 50)),
      dbEdit4_(MakeListField(catalogue, this, "DBedit4", 'G', 30)),
      dbEdit5_(MakeListField(catalogue, this, "DBedit5", 'U', 30)),
      dbEdit9_(MakeListField(catalogue, this, "DBedit9", 'T', 30)),
      dbEdit11_(MakeTextField(this, "DBEdit11", 1)),
      dbText1_(new QLabel(this)),
      invMin_(new TrackTimeField(this, "InvMin", 999)),
      invSec_(new TrackTimeField(this, "InvSec", 59)),
      invJaar_(MakeYearField(this, "InvJaar")),
      invTrack_(MakeNumberField(this, "InvTrack", 1, 999)),
      timeCaption_(new QLabel("Track time:", this)),
      yearCaption_(new QLabel("&Year:", this)),
      genreCheckBox_(new QCheckBox("&Style", this)),
      uitvoeringCheckBox_(new QCheckBox("&Performance", this)),
      trefwoordCheckBox_(new QCheckBox("&Keyword", this)),
      bitBtn1_(nullptr) {
    setObjectName("WijzigArtiestGegevens");
    setWindowTitle("Edit artist");
    dbText1_->setObjectName("DBText1");
    genreCheckBox_->setObjectName("GenreCheckBox");
    uitvoeringCheckBox_->setObjectName("UitvoeringCheckBox");
    trefwoordCheckBox_->setObjectName("TrefwoordCheckBox");

    dbEdit1_->setMinimumWidth(320);
    dbEdit11_->setFixedWidth(dbEdit11_->fontMetrics().horizontalAdvance("WW") + 16);
    QHBoxLayout* time = MakeTimeAndYearRow(this, invMin_, invSec_, yearCaption_, invJaar_);
    invTrack_->setFixedWidth(invMin_->width());

    auto* sideTrack = new QHBoxLayout;
    sideTrack->setSpacing(8);
    sideTrack->addWidget(dbEdit11_);
    sideTrack->addSpacing(24);
    auto* trackCaption = new QLabel("T&rack:", this);
    trackCaption->setBuddy(invTrack_);
    sideTrack->addWidget(trackCaption);
    sideTrack->addWidget(invTrack_);
    sideTrack->addStretch();

    form_->setHorizontalSpacing(12);
    form_->setVerticalSpacing(8);
    form_->addRow("&Artist:", dbEdit1_);
    form_->addRow("T&itle:", dbEdit2_);
    form_->addRow("C&omposer:", dbEdit3_);
    form_->addRow("S&tyle:", dbEdit4_);
    form_->addRow("P&erformance:", dbEdit5_);
    form_->addRow("Key&word:", dbEdit9_);
    auto* sideCaption = new QLabel("Si&de:", this);
    sideCaption->setBuddy(dbEdit11_);
    form_->addRow(sideCaption, sideTrack);
    form_->addRow(timeCaption_, time);
    form_->addRow("Changed:", dbText1_);

    auto* all = new QGroupBox("Change in all records", this);
    auto* allLayout = new QHBoxLayout(all);
    allLayout->addWidget(genreCheckBox_);
    allLayout->addWidget(uitvoeringCheckBox_);
    allLayout->addWidget(trefwoordCheckBox_);
    allLayout->addStretch();

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    bitBtn1_ = buttons.ok;
    bitBtn1_->setEnabled(false);
    connect(bitBtn1_, &QPushButton::clicked, this, &TWijzigArtiestGegevens::BitBtn1Click);

    LayOutDialog(this, form_, buttons.box, 16, 12)->insertWidget(1, all);

    TTableAccess& tracks = catalogue_.dm1.ArtAccess;
    if (tracks.component().Active() && !tracks.Eof())
        recno_ = tracks.RecNo();
}

void TWijzigArtiestGegevens::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TWijzigArtiestGegevens::FormShow() {
    EnableTrackFieldsBySetting(form_, {.composer = dbEdit3_,
                                       .style = dbEdit4_,
                                       .performance = dbEdit5_,
                                       .keyword = dbEdit9_,
                                       .timeCaption = timeCaption_,
                                       .minutes = invMin_,
                                       .seconds = invSec_,
                                       .yearCaption = yearCaption_,
                                       .year = invJaar_});
    genreCheckBox_->setChecked(false);
    uitvoeringCheckBox_->setChecked(false);
    trefwoordCheckBox_->setChecked(false);
    dbEdit1_->setFocus();
    if (recno_ == 0)
        return;
    try {
        TTableAccess& t = catalogue_.dm1.ArtAccess;
        t.Go(recno_);
        dbEdit1_->setText(FromTable(Trim(t.GetString("ARTIEST"))));
        dbEdit2_->setText(FromTable(Trim(t.GetString("TITEL"))));
        dbEdit3_->setText(FromTable(Trim(t.GetString("COMPONIST"))));
        style_ = Trim(t.GetString("SOORT").bytes());
        performance_ = Trim(t.GetString("UITVOER").bytes());
        keyword_ = Trim(t.GetString("TREF").bytes());
        dbEdit4_->setEditText(FromTable(TableText(style_)));
        dbEdit5_->setEditText(FromTable(TableText(performance_)));
        dbEdit9_->setEditText(FromTable(TableText(keyword_)));
        dbEdit11_->setText(FromTable(Trim(t.GetString("AKANT"))));
        dbText1_->setText(QString::fromStdString(t.GetDateString("WIJZIGDAT")));
        const std::string jaar = t.GetString("JAAR").bytes();
        // An absent default year means none, not the word the INI reader returns for it.
        invJaar_->setText(
            FromTable(
                TableText(IsBlank(jaar) ? IniReadString("diversen", "VeldJaar", "") : Trim(jaar)))
                .left(4));
        const std::string minutes = t.GetString("MINUTEN").bytes();
        const std::string seconds = t.GetString("SECONDEN").bytes();
        if (!IsBlank(minutes))
            invMin_->setValue(WholeNumber(minutes));
        if (!IsBlank(seconds))
            invSec_->setValue(WholeNumber(seconds));
        invTrack_->setValue(int(t.GetInteger("TRACK")));
        bitBtn1_->setEnabled(NietBeveiligd());
    } catch (const TableError& error) {
        ShowTableError(error);
    }
}

void TWijzigArtiestGegevens::BitBtn1Click() {
    for (const auto& [field, caption] :
         {std::pair{invTrack_, "Track"}, {invMin_, "Minutes"}, {invSec_, "Seconds"}}) {
        if (RefusedOutOfRange(field, caption))
            return;
    }
    TrackTexts texts;
    if (!CollectFieldBytes({{dbEdit1_, "Artist", &texts.artist},
                            {dbEdit2_, "Title", &texts.title},
                            {dbEdit3_, "Composer", &texts.composer},
                            {dbEdit4_, "Style", &texts.style},
                            {dbEdit5_, "Performance", &texts.performance},
                            {dbEdit9_, "Keyword", &texts.keyword},
                            {dbEdit11_, "Side", &texts.side}}))
        return;
    texts.year = invJaar_->text().toStdString();
    texts.minutes = std::to_string(invMin_->value());
    texts.seconds = std::to_string(invSec_->value());
    texts.track = std::to_string(invTrack_->value());
    TrackTexts before;
    before.style = style_;
    before.performance = performance_;
    before.keyword = keyword_;
    ChangeInAll all;
    all.style = genreCheckBox_->isChecked();
    all.performance = uitvoeringCheckBox_->isChecked();
    all.keyword = trefwoordCheckBox_->isChecked();
    if (!TableGuarded([&] { StoreModifiedTrack(catalogue_, recno_, texts, before, all); }))
        return;
    accept();
}
