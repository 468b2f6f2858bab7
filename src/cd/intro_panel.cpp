#include "cd/intro_panel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

TIntroPanel::TIntroPanel(QWidget* parent) : QFrame(parent), popup_(new QMenu(this)) {
    setObjectName("Panel1");
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The toolbar's own roles would otherwise paint its children in button colours.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    auto* label = new QLabel("Playing intros", this);
    label->setObjectName("Label3");
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette yellow = label->palette();
    yellow.setColor(QPalette::WindowText, Qt::yellow);
    label->setPalette(yellow);
    label->setForegroundRole(QPalette::WindowText);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
    layout->addWidget(label);
    setFixedHeight(30);

    popup_->setObjectName("StopIntroPopupMenu");
    stop_ = popup_->addAction("&Stop intros");
    stop_->setObjectName("Stop2");
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(mapToGlobal(at)); });
}
