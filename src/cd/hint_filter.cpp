#include "cd/hint_filter.h"

#include <QEvent>
#include <QWidget>

#include "base/ini.h"

namespace {

constexpr int kHintPause = 5000;

}  // namespace

void HintFilter::Install(QWidget* widget) {
    widget->setToolTipDuration(kHintPause);
    widget->installEventFilter(new HintFilter(widget));
}

bool HintFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && !IniReadBool("Opstart", "Hints")) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}
