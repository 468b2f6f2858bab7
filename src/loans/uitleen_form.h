// TUitleenForm: the loan of one source, the one the main-title table stands on ("Loan"). A source
// that is lent already shows its loan to change, with "&Delete" to end it; otherwise a new loan
// of today is offered. "OK" stores the name as typed (the pick list of borrowers gets it with
// each word capitalised) and the two dates.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "base/table_text.h"

class Catalogue;
class PickListCombo;
class QLineEdit;
class QPushButton;

class TUitleenForm : public QDialog {
    Q_OBJECT
public:
    // Reads main-title record `hfRecno` and seeks its loan. `catalogue` must outlive the screen.
    // Throws TableError when a table cannot be read.
    TUitleenForm(Catalogue& catalogue, uint32_t hfRecno, QWidget* parent = nullptr);

    // The record of the loan shown, 0 for a new one.
    uint32_t loanRecno() const { return loanRecno_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BitBtn1Click();
    void BitBtn3Click();

    Catalogue& catalogue_;
    TableText carrier_;
    int64_t number_ = 0;
    uint32_t loanRecno_ = 0;
    PickListCombo* mAanWie_;
    QLineEdit* eUitleenDat_ = nullptr;
    QLineEdit* eInleverdat_ = nullptr;
    QPushButton* bitBtn3_ = nullptr;
};
