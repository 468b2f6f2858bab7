// HintFilter: lets a widget's hint appear only while hints are switched on in cd.ini
// ([Opstart] Hints), read when the hint is about to show so that a change counts at once.
#pragma once

#include <QObject>

class HintFilter : public QObject {
    Q_OBJECT
public:
    explicit HintFilter(QObject* parent) : QObject(parent) {}
    // Installs one on `widget` (owned by it).
    static void Install(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
