#include "cd/black_panel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>

QHBoxLayout* MakeBlackPanel(QFrame* panel) {
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    // The toolbar's own roles would otherwise paint its children in button colours.
    panel->setBackgroundRole(QPalette::Window);
    panel->setAutoFillBackground(true);
    QPalette black = panel->palette();
    black.setColor(QPalette::Window, Qt::black);
    panel->setPalette(black);
    panel->setFixedHeight(30);
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(8, 3, 8, 3);
    return layout;
}

QLabel* PanelLabel(QWidget* panel, const char* name, const QString& text, const QColor& colour) {
    auto* label = new QLabel(text, panel);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setForegroundRole(QPalette::WindowText);
    return label;
}
