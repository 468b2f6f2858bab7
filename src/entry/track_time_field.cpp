#include "entry/track_time_field.h"

TrackTimeField::TrackTimeField(QWidget* parent, const char* name, int high) : QSpinBox(parent) {
    setObjectName(name);
    setRange(0, high);
    setAlignment(Qt::AlignRight);
}

QString TrackTimeField::textFromValue(int value) const {
    return QString("%1").arg(value, 2, 10, QChar('0'));
}
