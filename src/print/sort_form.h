// TSortForm: the order of a list of everything: alphabetic by the screen's field, or numerical
// by carrier and number. It has no Cancel: closing it keeps the choice shown.
#pragma once

#include <QDialog>

class QRadioButton;

class TSortForm : public QDialog {
    Q_OBJECT
public:
    explicit TSortForm(QWidget* parent = nullptr);

    // Asks; true for "Numerical".
    static bool Numerical(QWidget* parent = nullptr);

private:
    QRadioButton* numerical_;
};
