// TPlayIntroTijdForm: "Intro time", the number of seconds each intro plays (cd.ini [Diversen]
// IntroSpeeltijd, 2 to 59). Shown modally; OK writes the value, Cancel leaves it.
#pragma once

#include <QDialog>

class RangeSpinBox;

class TPlayIntroTijdForm : public QDialog {
    Q_OBJECT
public:
    explicit TPlayIntroTijdForm(QWidget* parent = nullptr);

private:
    void OKBtnClick();

    RangeSpinBox* spinEdit1_;
};
