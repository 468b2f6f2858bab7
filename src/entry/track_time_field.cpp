#include "entry/track_time_field.h"

TrackTimeField::TrackTimeField(QWidget* parent, const char* name, int high)
    : RangeSpinBox(parent, name, 0, high, high > 99 ? 3 : 2) {}

QString TrackTimeField::textFromValue(int value) const {
    return value == kEmpty ? QString() : QString("%1").arg(value, 2, 10, QChar('0'));
}
