// TEditUitleen: a loan of any source, chosen by carrier and number ("Loan to"). NewLoan starts a
// loan of today; EditLoan changes the loan the loan table stands on, and only while adding and
// modifying is not locked. "OK" stores the loan when the source exists, the name with each word
// capitalised; a source that is lent already is lent again only when the user says so.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class Catalogue;
class PickListCombo;
class QLineEdit;
class QPushButton;
class RangeSpinBox;
struct LoanFields;

class TEditUitleen : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen.
    explicit TEditUitleen(Catalogue& catalogue, QWidget* parent = nullptr);

    // Shows the screen modally for a new loan; true when one was stored.
    bool NewLoan();
    // Shows the screen modally for the loan the loan table stands on; true when it was changed.
    bool EditLoan();
    // The record of the loan shown, 0 while a new one is not stored.
    uint32_t loanRecno() const { return loanRecno_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool ShowLoan(const LoanFields& loan);
    void BitBtn1Click();
    // Whether the source of `seekKey` may be lent: not lent already, or the user wants a second
    // loan.
    bool MayLend(const std::string& seekKey, const std::string& source);

    Catalogue& catalogue_;
    uint32_t loanRecno_ = 0;
    std::string loanSeekKey_;  // the source of the loan shown when the screen opened
    PickListCombo* eAanWie_;
    PickListCombo* eDrager_;
    RangeSpinBox* spinEdit1_;
    QLineEdit* eUitleenDat_ = nullptr;
    QLineEdit* eInleverdat_ = nullptr;
    QPushButton* bitBtn1_ = nullptr;
};
