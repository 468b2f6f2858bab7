// TMeldVervang: "Replace". Asks about one change of a search and replace: the present value
// behind "Replace:" (Label2), the value it would get behind "With:" (Label4), and a note when that
// value is cut to the width of its field. The answer is the button pressed; closing the window
// counts as Cancel.
#pragma once

#include <QDialog>

#include "store/field_replace.h"

class QLabel;

class TMeldVervang : public QDialog {
    Q_OBJECT
public:
    explicit TMeldVervang(QWidget* parent = nullptr);

    // Beeps, shows the change and waits for the answer.
    ReplaceState Ask(const ReplaceQuestion& question);

private:
    QLabel* label2_;
    QLabel* label4_;
    QLabel* cut_;
    ReplaceState answer_ = ReplaceState::Cancel;
};
