#include "cd/cd_panel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

#include "cd/black_panel.h"
#include "cd/hint_filter.h"

namespace {

const QColor kCaption(0, 255, 255);  // aqua
const QColor kValue(0, 255, 0);      // green

}  // namespace

TCdPanel::TCdPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("CDPanel");
    const QString hint = "Double click for tracks and times";
    setToolTip(hint);
    setStatusTip(hint);
    HintFilter::Install(this);
    QHBoxLayout* layout = MakeBlackPanel(this);
    layout->setSpacing(5);
    layout->addWidget(label("Label5", "Track:", kCaption));
    trackLab_ = label("TrackLab", "00", kValue);
    layout->addWidget(trackLab_);
    layout->addSpacing(6);
    layout->addWidget(label("Label4", "Time:", kCaption));
    tijdLab_ = label("TijdLab", "00:00", kValue);
    layout->addWidget(tijdLab_);
    // Room for the widest digits, so that the panel does not jitter as the time runs.
    trackLab_->setMinimumWidth(trackLab_->fontMetrics().horizontalAdvance("00"));
    tijdLab_->setMinimumWidth(tijdLab_->fontMetrics().horizontalAdvance("00:00"));
}

QLabel* TCdPanel::label(const char* name, const QString& text, const QColor& colour) {
    QLabel* label = PanelLabel(this, name, text, colour);
    label->installEventFilter(this);
    return label;
}

void TCdPanel::showPosition(const QString& track, const QString& time) {
    trackLab_->setText(track);
    tijdLab_->setText(time);
}

void TCdPanel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onDoubleClick_) {
        onDoubleClick_();
    }
    event->accept();
}

bool TCdPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (onDoubleClick_) {
            onDoubleClick_();
        }
        return true;
    }
    return QFrame::eventFilter(watched, event);
}
