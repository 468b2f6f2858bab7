#include "cd/cd_panel.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>

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
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    // The toolbar's own roles would otherwise paint its children in button colours.
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 3, 8, 3);
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
    setFixedHeight(30);
}

QLabel* TCdPanel::label(const char* name, const QString& text, const QColor& colour) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setForegroundRole(QPalette::WindowText);
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
