#include "cd/intro_panel.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>

#include "cd/black_panel.h"

TIntroPanel::TIntroPanel(QWidget* parent) : QFrame(parent), popup_(new QMenu(this)) {
    setObjectName("Panel1");
    MakeBlackPanel(this)->addWidget(PanelLabel(this, "Label3", "Playing intros", Qt::yellow));

    popup_->setObjectName("StopIntroPopupMenu");
    stop_ = popup_->addAction("&Stop intros");
    stop_->setObjectName("Stop2");
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup_->popup(mapToGlobal(at)); });
}
