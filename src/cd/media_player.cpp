#include "cd/media_player.h"

#include <QAction>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>

#include "cd/hint_filter.h"
#include "cd/player_icons.h"

namespace {

using Button = TCdSpeler::PlayerButton;

struct ButtonInfo {
    Button button;
    const char* name;
    const char* spoken;  // what a screen reader says for the icon
};

constexpr ButtonInfo kButtons[] = {
    {Button::Play, "btPlay", "Play"},           {Button::Pause, "btPause", "Pause"},
    {Button::Stop, "btStop", "Stop"},           {Button::Next, "btNext", "Next track"},
    {Button::Prev, "btPrev", "Previous track"}, {Button::Eject, "btEject", "Eject"},
};

}  // namespace

TMediaPlayer::TMediaPlayer(QWidget* parent) : QWidget(parent), popup_(new QMenu(this)) {
    setObjectName("MediaPlayer1");
    const QString hint = "Click on the right mouse button to play intros";
    setToolTip(hint);
    setStatusTip(hint);
    HintFilter::Install(this);

    // Two rows of three, as high as the toolbar's buttons: the player fits beside the commands.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(1);
    for (int i = 0; i < 6; ++i) {
        auto* button = new QToolButton(this);
        button->setObjectName(kButtons[i].name);
        button->setIcon(PlayerButtonIcon(kButtons[i].button));
        button->setAccessibleName(kButtons[i].spoken);
        button->setIconSize(QSize(20, 20));
        button->setAutoRaise(false);
        button->setFixedSize(30, 28);
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QToolButton::clicked, this, [this, which = kButtons[i].button] {
            if (onClick_) {
                onClick_(which);
            }
        });
        layout->addWidget(button, i / 3, i % 3);
        buttons_[i] = button;
    }

    popup_->setObjectName("PopupCdSpeler");
    auto item = [this](const char* name, const char* caption) {
        QAction* action = popup_->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    item("Speelintros1", "&Play intros");
    item("Stop1", "&Stop intros");
    item("Instelling1", "Pre&ferences");
    popup_->addSeparator();
    item("test1", "Initialize CD Player");
    popup_->addSeparator();
    item("CDspelerverbergen1", "&Hide CD Player");

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(mapToGlobal(at)); });
}

QToolButton* TMediaPlayer::button(TCdSpeler::PlayerButton which) const {
    for (int i = 0; i < 6; ++i) {
        if (kButtons[i].button == which) {
            return buttons_[i];
        }
    }
    return nullptr;
}
