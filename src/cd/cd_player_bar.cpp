#include "cd/cd_player_bar.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <algorithm>
#include <initializer_list>

#include "base/ui.h"
#include "cd/cd_panel.h"
#include "cd/intro_panel.h"
#include "cd/media_player.h"
#include "cd/play_intro_tijd_form.h"
#include "cd/show_cd_tr_form.h"
#include "shell/main_form.h"
#include "shell/table_guard.h"

TCdPlayerBar::TCdPlayerBar(TMainForm* form, Catalogue& catalogue,
                           std::unique_ptr<cdaudio::CdDevice> device, QWidget* parent)
    : QWidget(parent),
      form_(form),
      speler_(std::make_unique<TCdSpeler>(catalogue, std::move(device))),
      mediaPlayer1_(new TMediaPlayer(this)),
      cdPanel_(new TCdPanel(this)),
      panel1_(new TIntroPanel(this)),
      readingLab_(new QLabel("Reading disc...", this)) {
    setObjectName("CdPlayerBar");
    readingLab_->setObjectName("DiscReadingLab");
    readingLab_->setToolTip("The disc in the drive is being read");
    // The panels lie in one column of a fixed size, the reading text or the intro panel above the
    // CD panel, each keeping its room while hidden: the player has one size whatever it shows, so
    // a disc that starts neither wraps the toolbar nor moves the buttons under the mouse.
    panels_ = new QWidget(this);
    panels_->setObjectName("PlayerPanels");
    auto* column = new QGridLayout(panels_);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(readingLab_, 0, 0);
    column->addWidget(panel1_, 0, 0);
    column->addWidget(cdPanel_, 1, 0);
    const int width = std::max(cdPanel_->sizeHint().width(), panel1_->sizeHint().width());
    for (QWidget* panel : std::initializer_list<QWidget*>{readingLab_, panel1_, cdPanel_}) {
        QSizePolicy policy = panel->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        panel->setSizePolicy(policy);
        panel->setFixedWidth(width);
        panel->hide();
    }
    panels_->setFixedSize(panels_->sizeHint());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(6);
    layout->addWidget(panels_);
    layout->addWidget(mediaPlayer1_);
    mediaPlayer1_->hide();
    panels_->hide();
    speler_->setView(this);

    mediaPlayer1_->setOnClick([this](TCdSpeler::PlayerButton button) {
        Guarded([this, button] { speler_->ClickPlayerButton(button); });
    });
    cdPanel_->setOnDoubleClick([this] { Tracksentijden1Click(); });
    ConnectPopup("Speelintros1", [this] { speler_->StartIntro(); });
    ConnectPopup("Stop1", [this] { speler_->QuitIntro(); });
    ConnectPopup("Instelling1", [this] { Instelling1Click(); });
    ConnectPopup("test1", [this] {
        if (!speler_->ReopenDevice())
            return;
        // A disc being read is reported once it has been read.
        if (readingLab_->isVisibleTo(this))
            reportWhenRead_ = true;
        else
            speler_->ReportInitialized();
    });
    ConnectPopup("CDspelerverbergen1", [this] { speler_->HideCdPlayer(); });
    connect(panel1_->stopAction(), &QAction::triggered, this,
            [this] { Guarded([this] { speler_->QuitIntro(); }); });
}

TCdPlayerBar::~TCdPlayerBar() {
    // The player goes first: it may still tell its view that the panels are gone.
    speler_->setView(nullptr);
}

void TCdPlayerBar::ConnectPopup(const char* name, std::function<void()> handler) {
    QAction* action = mediaPlayer1_->popup()->findChild<QAction*>(name);
    connect(action, &QAction::triggered, this,
            [this, handler = std::move(handler)] { Guarded(handler); });
}

void TCdPlayerBar::Guarded(const std::function<void()>& handler) {
    TableGuarded(handler);
}

void TCdPlayerBar::Tracksentijden1Click() {
    Guarded([this] {
        TShowCdTrForm form(*speler_, window());
        form.ShowTracks();
    });
}

void TCdPlayerBar::DirectnaarCD1Click() {
    Guarded([this] { speler_->DirectNaarCDInhoud(); });
}

void TCdPlayerBar::Instelling1Click() {
    TPlayIntroTijdForm form(window());
    form.exec();
}

bool TCdPlayerBar::Timer1Timer() {
    bool clock = true;
    Guarded([this, &clock] { clock = speler_->Timer1Timer(); });
    return clock;
}

void TCdPlayerBar::SetPlayerVisible(bool visible) {
    mediaPlayer1_->setVisible(visible);
    panels_->setVisible(visible);
}

void TCdPlayerBar::SetCdPanelVisible(bool visible) {
    cdPanel_->setVisible(visible);
    if (form_ != nullptr) {
        form_->setCdPanelActive(visible);
    }
}

void TCdPlayerBar::SetIntroPanelVisible(bool visible) {
    panel1_->setVisible(visible);
}

void TCdPlayerBar::DiscReading(bool reading, const tunelo::Status& result) {
    readingLab_->setVisible(reading);
    if (!reading) {
        Guarded([this, &result] { speler_->DiscRead(result); });
        if (reportWhenRead_) {
            reportWhenRead_ = false;
            Guarded([this] { speler_->ReportInitialized(); });
        }
    }
}

void TCdPlayerBar::ShowPosition(const std::string& track, const std::string& time) {
    cdPanel_->showPosition(QString::fromStdString(track), QString::fromStdString(time));
}
