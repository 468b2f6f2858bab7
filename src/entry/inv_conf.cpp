#include "entry/inv_conf.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "entry/item_pick_list.h"
#include "entry/pick_list_combo.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

constexpr char kInvoer[] = "Invoer";
constexpr char kKapitaliseer[] = "Kapitaliseer";
constexpr char kDiversen[] = "Diversen";
constexpr int kQualityWidth = 3;  // OPNAME: a longer default could not be stored
constexpr int kYearWidth = 2;

struct KeyedBox {
    const char* name;
    const char* caption;
    const char* section;
    const char* key;
};

constexpr KeyedBox kFieldBoxes[] = {
    {"InvKwaliteit", "Quality", kInvoer, "Inv_Kwaliteit"},
    {"InvGenre1", "Style 1", kInvoer, "Inv_Genre1"},
    {"InvLabel", "Label", kInvoer, "Inv_Label"},
    {"InvHoofdArtiest", "Main artist", kInvoer, "Inv_HoofdArtiest"},
    {"InvComponist", "Composer", kInvoer, "Inv_Componist"},
    {"InvGenre2", "Style 2", kInvoer, "Inv_Genre2"},
    {"InvUitvoering", "Performance", kInvoer, "Inv_Uitvoering"},
    {"InvTijd", "Time", kInvoer, "Inv_Tijd"},
    {"InvJaar", "Year", kInvoer, "Inv_Jaar"},
    {"InvTrefwoord", "Keyword", kInvoer, "Inv_Trefwoord"},
};

constexpr KeyedBox kCapitalBoxes[] = {
    {"KHoofdtitel", "Main title", kKapitaliseer, "K_Hoofdtitel"},
    {"Kgenre1", "Style 1", kKapitaliseer, "K_Genre1"},
    {"klabel", "Label", kKapitaliseer, "K_Label"},
    {"khoofdartiest", "Main artist", kKapitaliseer, "K_Hoofdartiest"},
    {"kartiest", "Artist", kKapitaliseer, "K_Artiest"},
    {"Ktitel", "Title", kKapitaliseer, "K_titel"},
    {"kcomponist", "Composer", kKapitaliseer, "K_Componist"},
    {"Kgenre2", "Style", kKapitaliseer, "K_Genre2"},
    {"KUitvoering", "Performance", kKapitaliseer, "K_Uitvoering"},
    {"Ktrefwoord", "Keyword", kKapitaliseer, "K_Trefwoord"},
};

QGroupBox* Group(const char* name, const char* title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

PickListCombo* StartList(const char* name, int width, QWidget* parent) {
    auto* list = new PickListCombo(parent);
    list->setObjectName(name);
    list->lineEdit()->setMaxLength(width);
    list->setMinimumWidth(150);
    return list;
}

// The text of a start value as shown: the key's text without its padding; "FOUT" shows nothing.
QString StoredText(const char* key) {
    const std::string value = IniReadString(kInvoer, key, Spaces(kCarrierWidth));
    return value == kIniAbsent ? QString() : FromTable(TableText(Trim(value)));
}

}  // namespace

TInvConf::TInvConf(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      comboBox1_(StartList("ComboBox1", kCarrierWidth, this)),
      comboBox2_(StartList("ComboBox2", kQualityWidth, this)),
      iJaar_(new QLineEdit(this)),
      iBut1_(new QRadioButton("Activate accept button", this)),
      iBut2_(new QRadioButton("Activate next track button", this)),
      iBut3_(new QRadioButton("None", this)),
      signCheck_(new QCheckBox("Signal when nothing found", this)),
      checkBox1_(new QCheckBox("Report that tracks are read", this)) {
    setObjectName("InvConf");
    setWindowTitle("Preferences adding source");

    QGroupBox* fieldsGroup = Group("GroupBox1", "Fields on/off", this);
    auto* fieldsLayout = new QVBoxLayout(fieldsGroup);
    for (const KeyedBox& keyed : kFieldBoxes) {
        auto* box = new QCheckBox(keyed.caption, fieldsGroup);
        box->setObjectName(keyed.name);
        fieldsLayout->addWidget(box);
        keyBoxes_.push_back({box, keyed.section, keyed.key});
    }
    fieldsLayout->addStretch();

    QGroupBox* capitalGroup = Group("GroupBox2", "Capitalize", this);
    auto* capitalLayout = new QVBoxLayout(capitalGroup);
    for (const KeyedBox& keyed : kCapitalBoxes) {
        auto* box = new QCheckBox(keyed.caption, capitalGroup);
        box->setObjectName(keyed.name);
        capitalLayout->addWidget(box);
        keyBoxes_.push_back({box, keyed.section, keyed.key});
    }
    capitalLayout->addStretch();

    QGroupBox* carrierGroup = Group("GroupBox3", "Start with source", this);
    (new QVBoxLayout(carrierGroup))->addWidget(comboBox1_);
    OfferItems(comboBox1_, catalogue_, 'D');
    QGroupBox* qualityGroup = Group("GroupBox4", "Start with quality", this);
    (new QVBoxLayout(qualityGroup))->addWidget(comboBox2_);
    OfferItems(comboBox2_, catalogue_, 'O');

    QGroupBox* variousGroup = Group("GroupBox5", "Various", this);
    iJaar_->setObjectName("iJaar");
    iJaar_->setMaxLength(kYearWidth);
    iJaar_->setFixedWidth(iJaar_->fontMetrics().horizontalAdvance("0000") + 14);
    iBut1_->setObjectName("iBut1");
    iBut2_->setObjectName("iBut2");
    iBut3_->setObjectName("iBut3");
    signCheck_->setObjectName("SignCheck");
    checkBox1_->setObjectName("CheckBox1");
    auto* yearRow = new QHBoxLayout;
    auto* yearLabel = new QLabel("Fill field year with:", variousGroup);
    yearLabel->setBuddy(iJaar_);
    yearRow->addWidget(yearLabel);
    yearRow->addWidget(iJaar_);
    yearRow->addStretch();
    auto* variousLayout = new QVBoxLayout(variousGroup);
    variousLayout->addLayout(yearRow);
    variousLayout->addWidget(iBut1_);
    variousLayout->addWidget(iBut2_);
    variousLayout->addWidget(iBut3_);
    variousLayout->addSpacing(6);
    variousLayout->addWidget(signCheck_);
    variousLayout->addWidget(checkBox1_);
    variousLayout->addStretch();

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    connect(buttons.ok, &QPushButton::clicked, this, &TInvConf::BitBtn1Click);

    auto* right = new QVBoxLayout;
    right->setSpacing(10);
    right->addWidget(carrierGroup);
    right->addWidget(qualityGroup);
    right->addWidget(variousGroup, 1);
    auto* groups = new QHBoxLayout;
    groups->setSpacing(10);
    groups->addWidget(fieldsGroup);
    groups->addWidget(capitalGroup);
    groups->addLayout(right);
    LayOutDialog(this, groups, buttons.box, 14, 12);

    FormShow();
}

void TInvConf::FormShow() {
    for (const KeyBox& keyBox : keyBoxes_)
        keyBox.box->setChecked(IniReadBool(keyBox.section, keyBox.key));
    comboBox1_->setEditText(StoredText("DefaultDrager"));
    comboBox2_->setEditText(StoredText("DefaultKwaliteit"));
    iJaar_->setText(
        FromTable(TableText(IniReadString("diversen", "VeldJaar", ""))).left(kYearWidth));
    const bool accept = IniReadBool(kDiversen, "AccepteerButton");
    const bool nextTrack = IniReadBool(kDiversen, "VolgendeTrackButton");
    // At most one default button: should both be on, Accept wins, as it does on the entry screen.
    iBut1_->setChecked(accept);
    iBut2_->setChecked(!accept && nextTrack);
    iBut3_->setChecked(!accept && !nextTrack);
    // Shown on when missing; the first OK stores what is shown.
    signCheck_->setChecked(IniReadBool(kDiversen, "ZoekBeep", true));
    checkBox1_->setChecked(IniReadBool(kInvoer, "MeldIngelezenTracks", true));
}

void TInvConf::BitBtn1Click() {
    const std::optional<std::string> carrier =
        TextForTable(comboBox1_->currentText().trimmed(), "Start with source");
    const std::optional<std::string> quality =
        carrier ? TextForTable(comboBox2_->currentText().trimmed(), "Start with quality")
                : std::nullopt;
    const std::optional<std::string> year =
        quality ? TextForTable(iJaar_->text().trimmed(), "Fill field year with") : std::nullopt;
    if (!year)
        return;
    if (year->find_first_not_of("0123456789") != std::string::npos) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Warning,
                            "\"" + iJaar_->text().trimmed().toStdString() +
                                "\" cannot be used in Fill field year with: type up to 2 digits, "
                                "the start of a year such as 19.");
        iJaar_->setFocus();
        return;
    }
    // A write that fails has been reported; the screen stays open, so that a closed screen
    // never suggests the settings were kept.
    bool written = true;
    for (const KeyBox& keyBox : keyBoxes_)
        written = written && IniWriteBool(keyBox.section, keyBox.key, keyBox.box->isChecked());
    written = written && IniWriteString(kInvoer, "DefaultDrager", *carrier) &&
              IniWriteString(kInvoer, "DefaultKwaliteit", *quality) &&
              IniWriteString("diversen", "VeldJaar", *year) &&
              IniWriteBool(kDiversen, "AccepteerButton", iBut1_->isChecked()) &&
              IniWriteBool(kDiversen, "VolgendeTrackButton", iBut2_->isChecked()) &&
              IniWriteBool(kDiversen, "ZoekBeep", signCheck_->isChecked()) &&
              IniWriteBool(kInvoer, "MeldIngelezenTracks", checkBox1_->isChecked());
    if (written)
        accept();
}
