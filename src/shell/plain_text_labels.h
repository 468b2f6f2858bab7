// Labels show text as it is. Titles, names and memos come from the catalogue, from CSV files and
// from cd.ini, and any of them may hold "<b>" or "<img src=...>"; Qt would guess such a text to
// be rich text and render it (an image tag even makes it read the named file). One filter on the
// application turns every label to plain text before it is first laid out, so that no screen,
// now or later, can forget it.
#pragma once

#include <QObject>
#include <QString>

class QApplication;

class PlainTextLabels : public QObject {
    Q_OBJECT

public:
    // Filters `app`'s events for as long as it lives (a destroyed filter removes itself).
    explicit PlainTextLabels(QApplication& app);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A tool tip that quotes catalogue text: tool tips guess their format like labels did, so the
// text goes in escaped.
QString PlainToolTip(const QString& text);
