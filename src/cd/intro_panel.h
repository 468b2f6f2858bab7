// TIntroPanel: the black "Playing intros" panel (Panel1) shown while the intros play; its
// right-click menu StopIntroPopupMenu stops them.
#pragma once

#include <QFrame>

class QAction;
class QMenu;

class TIntroPanel : public QFrame {
    Q_OBJECT
public:
    explicit TIntroPanel(QWidget* parent = nullptr);

    QMenu* popup() const { return popup_; }
    // "&Stop intros" (Stop2).
    QAction* stopAction() const { return stop_; }

private:
    QMenu* popup_;
    QAction* stop_;
};
