// TMediaPlayer: the player buttons on the toolbar (MediaPlayer1): play, pause, stop, next,
// previous and eject, with the pop-up menu PopupCdSpeler on the right mouse button.
#pragma once

#include <QWidget>
#include <functional>

#include "cd/cd_speler.h"

class QMenu;
class QToolButton;

class TMediaPlayer : public QWidget {
    Q_OBJECT
public:
    explicit TMediaPlayer(QWidget* parent = nullptr);

    // Runs when a button is pressed.
    void setOnClick(std::function<void(TCdSpeler::PlayerButton)> onClick) {
        onClick_ = std::move(onClick);
    }
    QToolButton* button(TCdSpeler::PlayerButton which) const;
    // PopupCdSpeler: Speelintros1, Stop1, Instelling1, test1, CDspelerverbergen1.
    QMenu* popup() const { return popup_; }

private:
    std::function<void(TCdSpeler::PlayerButton)> onClick_;
    QToolButton* buttons_[6] = {};
    QMenu* popup_;
};
