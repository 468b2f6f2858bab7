// The minutes and seconds fields of a track time: whole numbers shown with at least two digits,
// as the times are stored ("04", "07"). Seconds of 60 and more are kept as typed, for the screen
// to refuse.
#pragma once

#include "shell/range_spin_box.h"

class TrackTimeField : public RangeSpinBox {
    Q_OBJECT
public:
    // `high`: 999 for minutes, 59 for seconds.
    TrackTimeField(QWidget* parent, const char* name, int high);

protected:
    QString textFromValue(int value) const override;
};
