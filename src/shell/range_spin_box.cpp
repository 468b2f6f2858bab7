#include "shell/range_spin_box.h"

#include <QLineEdit>

#include "base/feedback.h"
#include "base/range_refusal.h"
#include "base/ui.h"

RangeSpinBox::RangeSpinBox(QWidget* parent, const char* name, int low, int high, int digits)
    : QSpinBox(parent), low_(low), high_(high), digits_(digits) {
    setObjectName(name);
    int widest = 9;
    for (int i = 1; i < digits; ++i)
        widest = widest * 10 + 9;
    // The box itself holds anything of the field's width; only the screen judges the range.
    setRange(kEmpty, widest);
    setAlignment(Qt::AlignRight);
    lineEdit()->setMaxLength(digits);
}

QValidator::State RangeSpinBox::validate(QString& text, int& /*pos*/) const {
    const QString typed = text.trimmed();
    if (typed.size() > digits_)
        return QValidator::Invalid;
    for (const QChar ch : typed) {
        if (ch < QChar(u'0') || ch > QChar(u'9'))
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

int RangeSpinBox::valueFromText(const QString& text) const {
    const QString typed = text.trimmed();
    return typed.isEmpty() ? kEmpty : typed.toInt();
}

QString RangeSpinBox::textFromValue(int value) const {
    return value == kEmpty ? QString() : QString::number(value);
}

bool RefusedOutOfRange(RangeSpinBox* field, std::string_view caption) {
    if (field->InRange())
        return false;
    PlayWave("error.wav");
    CurrentUi().Message(
        MsgKind::Warning,
        RangeRefusal(caption, field->text().trimmed().toStdString(), field->low(), field->high()));
    field->setFocus();
    field->selectAll();
    return true;
}
