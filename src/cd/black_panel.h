// The black panels of the CD player on the toolbar (track and time, "Playing intros"): a sunken
// frame painted black whatever the toolbar's colours, with bold coloured labels on it.
#pragma once

class QColor;
class QFrame;
class QHBoxLayout;
class QLabel;
class QString;
class QWidget;

// Makes `panel` a sunken black panel 30 pixels high; returns the row its labels go in.
QHBoxLayout* MakeBlackPanel(QFrame* panel);

// A bold label `name` showing `text` in `colour` on the black panel `panel`.
QLabel* PanelLabel(QWidget* panel, const char* name, const QString& text, const QColor& colour);
