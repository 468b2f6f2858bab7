#include "maintenance/safety_copy_step.h"

#include <QProgressBar>

#include "base/feedback.h"
#include "base/ui.h"
#include "store/percent_progress.h"
#include "store/record_edit.h"
#include "store/safety_copy.h"

QProgressBar* NewGauge(QWidget* parent) {
    auto* gauge = new QProgressBar(parent);
    gauge->setObjectName("Gauge1");
    gauge->setRange(0, 100);
    gauge->setValue(0);
    gauge->setAlignment(Qt::AlignCenter);
    gauge->setStyleSheet(
        "QProgressBar { border: 1px solid gray; background: white; }"
        "QProgressBar::chunk { background-color: #00FF00; }");
    // Nothing runs yet: no "0%" bar, but its room kept so that the screen does not jump.
    QSizePolicy policy = gauge->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    gauge->setSizePolicy(policy);
    gauge->hide();
    return gauge;
}

std::function<void(int percent)> GaugeShows(QProgressBar* gauge) {
    return [gauge](int percent) {
        if (gauge) {
            gauge->show();
            gauge->setValue(percent);
            gauge->repaint();
        }
    };
}

bool TakeSafetyCopyShown(const Catalogue& catalogue, const std::string& what, QProgressBar* gauge) {
    xbase::Status status;
    {
        BusyCursor busy;
        StatusShown shown("Making a safety copy...");
        status = TakeSafetyCopy(catalogue, what, PercentProgress(GaugeShows(gauge)));
    }
    if (gauge)
        gauge->setValue(0);
    if (status.ok())
        return true;
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Error, SafetyCopyFailure(status));
    return false;
}
