// A spin box for a whole number with an allowed range that keeps what the user types: digits up
// to the field's width stay as typed even outside the range, and an emptied field stays empty.
// The screen refuses such a value when it is used, with a message naming the range, instead of
// the silent correction of a plain spin box ("75" seconds turning into "07", an emptied number
// taking back the last one).
#pragma once

#include <QSpinBox>
#include <string_view>

class RangeSpinBox : public QSpinBox {
    Q_OBJECT
public:
    // What value() gives for an empty field.
    static constexpr int kEmpty = -1;

    // `digits`: how many digits may be typed; `low`..`high`: the values the screen accepts.
    RangeSpinBox(QWidget* parent, const char* name, int low, int high, int digits);

    int low() const { return low_; }
    int high() const { return high_; }
    // The value is not empty and lies in low..high.
    bool InRange() const { return InRange(value()); }
    bool InRange(int value) const { return value >= low_ && value <= high_; }

protected:
    QValidator::State validate(QString& text, int& pos) const override;
    int valueFromText(const QString& text) const override;
    QString textFromValue(int value) const override;

private:
    int low_;
    int high_;
    int digits_;
};

// When `field` holds an empty or out-of-range value: sounds "error.wav", says what `caption`
// allows, puts the focus on the field and returns true. False when the value can be used.
bool RefusedOutOfRange(RangeSpinBox* field, std::string_view caption);
