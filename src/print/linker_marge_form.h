// TLinkerMargeForm ("Left margin"): the left margin of every report in millimetres, kept in
// print.ini. OK writes it; Cancel, the default button, leaves it.
#pragma once

#include <QDialog>

class QSpinBox;

class TLinkerMargeForm : public QDialog {
    Q_OBJECT
public:
    explicit TLinkerMargeForm(QWidget* parent = nullptr);

    QSpinBox* spinEdit() const { return spinEdit1_; }
    void OKBtnClick();

private:
    QSpinBox* spinEdit1_;
};
