#include "shell/algemeen.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/cd_info_settings.h"
#include "base/ini.h"
#include "base/ui.h"
#include "shell/dialog_parts.h"

namespace {

constexpr char kDiversen[] = "Diversen";
constexpr char kOpstart[] = "Opstart";
// What the loan screens use while TelOpDatum holds no number.
constexpr int kDefaultLoanDays = 1;

QCheckBox* CheckBox(const char* name, const char* text, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

QGroupBox* Group(const char* name, const char* title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

}  // namespace

TAlgemeen::TAlgemeen(QWidget* parent)
    : QDialog(parent),
      afsluitbox_(
          CheckBox("cbAfsluitbox", "Confirmation", IniReadBool(kDiversen, "Afsluitbox"), this)),
      telOpDatum_(new QSpinBox(this)),
      chkUitleenOpstart_(CheckBox("cbChkUitleenOpstart", "Check at startup",
                                  IniReadBool(kDiversen, "ChkUitleenOpstart"), this)),
      chkUitleenAfsluit_(CheckBox("cbChkUitleenAfsluit", "Check at closing program",
                                  IniReadBool(kDiversen, "ChkUitleenAfsluit"), this)),
      geluid_(CheckBox("cbGeluid", "Sound effects active", IniReadBool(kDiversen, "Geluid"), this)),
      toonCdSpeler_(
          CheckBox("cbToonCdSpeler", "Show player", IniReadBool(kOpstart, "ToonCdSpeler"), this)) {
    setObjectName("Algemeen");
    setWindowTitle("General");

    telOpDatum_->setObjectName("seTelOpDatum");
    telOpDatum_->setRange(0, 999);
    bool isNumber = false;
    const int days =
        QString::fromUtf8(IniReadString(kDiversen, "TelOpDatum")).trimmed().toInt(&isNumber);
    telOpDatum_->setValue(isNumber ? days : kDefaultLoanDays);

    QGroupBox* closeGroup = Group("gbClose", "Close program", this);
    auto* closeLayout = new QVBoxLayout(closeGroup);
    closeLayout->addWidget(afsluitbox_);

    QGroupBox* loanGroup = Group("gbLoan", "Loan", this);
    auto* daysRow = new QHBoxLayout;
    auto* daysLabel = new QLabel("Increment loan date with:", loanGroup);
    daysLabel->setBuddy(telOpDatum_);
    daysRow->addWidget(daysLabel);
    daysRow->addWidget(telOpDatum_);
    daysRow->addWidget(new QLabel("days", loanGroup));
    daysRow->addStretch();
    auto* loanLayout = new QVBoxLayout(loanGroup);
    loanLayout->addLayout(daysRow);
    loanLayout->addWidget(chkUitleenOpstart_);
    loanLayout->addWidget(chkUitleenAfsluit_);
    loanLayout->addStretch();

    QGroupBox* soundGroup = Group("gbSound", "Sound", this);
    auto* soundLayout = new QVBoxLayout(soundGroup);
    soundLayout->addWidget(geluid_);

    QGroupBox* playerGroup = Group("gbCdPlayer", "CD player", this);
    auto* playerLayout = new QVBoxLayout(playerGroup);
    playerLayout->addWidget(toonCdSpeler_);

    const OkCancelRow buttons = AddOkCancel(this, "OKBtn", "CancelBtn", "Cancel");
    connect(buttons.ok, &QPushButton::clicked, this, &TAlgemeen::OKBtnClick);

    QWidget* discGroup = BuildDiscGroup();

    auto* groups = new QGridLayout;
    groups->setSpacing(10);
    groups->addWidget(closeGroup, 0, 0);
    groups->addWidget(soundGroup, 0, 1);
    groups->addWidget(loanGroup, 1, 0, 1, 2);
    groups->addWidget(playerGroup, 2, 0, 1, 2);
    groups->addWidget(discGroup, 3, 0, 1, 2);
    LayOutDialog(this, groups, buttons.box, 14, 12);

    setTabOrder(afsluitbox_, geluid_);
    setTabOrder(geluid_, telOpDatum_);
    setTabOrder(telOpDatum_, chkUitleenOpstart_);
    setTabOrder(chkUitleenOpstart_, chkUitleenAfsluit_);
    setTabOrder(chkUitleenAfsluit_, toonCdSpeler_);
    setTabOrder(toonCdSpeler_, discData_);
    setTabOrder(discData_, discGroup->findChild<QPushButton*>("btnDiscData"));
    setTabOrder(discGroup->findChild<QPushButton*>("btnDiscData"), online_);
    setTabOrder(online_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
}

QWidget* TAlgemeen::BuildDiscGroup() {
    const CdInfoSettings settings = ReadCdInfoSettings();
    QGroupBox* group = Group("gbDiscLookup", "Identifying discs", this);
    discData_ = new QLineEdit(QString::fromStdString(settings.discData), group);
    discData_->setObjectName("edDiscData");
    discData_->setMinimumWidth(260);
    auto* dataLabel = new QLabel("Disc data folder:", group);
    dataLabel->setBuddy(discData_);
    QPushButton* browse = NamedButton(group, "btnDiscData", "&Browse...");
    connect(browse, &QPushButton::clicked, this, &TAlgemeen::ChooseDiscData);
    online_ = CheckBox("cbOnline", "Look up discs on the internet",
                       settings.online == CdInfoSettings::Online::Yes, group);
    online_->setToolTip(
        "Sends the disc's ID and table of contents to MusicBrainz and gnudb, "
        "nothing else");
    onlineAsked_ = settings.online != CdInfoSettings::Online::NotAsked;
    // Until the box is touched, "never asked" stays so: the first look-up asks.
    connect(online_, &QCheckBox::toggled, this, [this] { onlineAsked_ = true; });

    auto* dataRow = new QHBoxLayout;
    dataRow->addWidget(dataLabel);
    dataRow->addWidget(discData_, 1);
    dataRow->addWidget(browse);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(dataRow);
    layout->addWidget(online_);
    return group;
}

void TAlgemeen::ChooseDiscData() {
    const std::optional<std::string> folder =
        CurrentUi().FolderName("Disc data folder", discData_->text().toStdString());
    if (folder)
        discData_->setText(QString::fromStdString(*folder));
}

bool TAlgemeen::WriteDiscSettings() {
    CdInfoSettings settings = ReadCdInfoSettings();
    settings.discData = discData_->text().trimmed().toStdString();
    if (onlineAsked_)
        settings.online =
            online_->isChecked() ? CdInfoSettings::Online::Yes : CdInfoSettings::Online::No;
    return WriteCdInfoSettings(settings);
}

void TAlgemeen::OKBtnClick() {
    // In this order; a write that fails has been reported and keeps the screen open, so that
    // the user is not told by a closed screen that the settings were kept.
    const bool written =
        IniWriteBool(kDiversen, "Afsluitbox", afsluitbox_->isChecked()) &&
        IniWriteBool(kDiversen, "ChkUitleenOpstart", chkUitleenOpstart_->isChecked()) &&
        IniWriteBool(kDiversen, "ChkUitleenAfsluit", chkUitleenAfsluit_->isChecked()) &&
        IniWriteBool(kDiversen, "Geluid", geluid_->isChecked()) &&
        IniWriteString(kDiversen, "TelOpDatum", std::to_string(telOpDatum_->value())) &&
        IniWriteBool(kOpstart, "ToonCdSpeler", toonCdSpeler_->isChecked()) && WriteDiscSettings();
    if (written) {
        accept();
    }
}
