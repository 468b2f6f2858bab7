#include "loans/edit_uitleen.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include "base/feedback.h"
#include "base/protection.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "entry/editor_parts.h"
#include "entry/pick_list_combo.h"
#include "loans/loan_form_parts.h"
#include "loans/loan_records.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/source_key.h"

namespace {

constexpr int kNameWidth = 50;  // AANWIE
constexpr int kMainTitleOrderBySource = 4;

}  // namespace

TEditUitleen::TEditUitleen(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      eAanWie_(MakeListField(catalogue, this, "eAanWie", 'N', kNameWidth)),
      eDrager_(MakeListField(catalogue, this, "eDrager", 'D', kCarrierWidth)),
      spinEdit1_(MakeNumberField(this, "SpinEdit1", 1, 999999999)) {
    setObjectName("EditUitleen");
    setWindowTitle("Loan to");
    eAanWie_->setMinimumWidth(320);
    eDrager_->setMinimumWidth(160);
    spinEdit1_->setMinimumWidth(160);

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    // Carrier and number come first: the screen starts on them.
    fields->addRow("&Source:", eDrager_);
    fields->addRow("&Number:", spinEdit1_);
    fields->addRow("&Loan to:", eAanWie_);
    AddLoanDateRows(fields, this, "Lo&an date:", &eUitleenDat_, &eInleverdat_);

    // Tab follows the rows as they are shown.
    QWidget* const chain[] = {eDrager_,
                              spinEdit1_,
                              eAanWie_,
                              eUitleenDat_,
                              findChild<QWidget*>("SpeedButton1"),
                              eInleverdat_,
                              findChild<QWidget*>("SpeedButton2")};
    for (size_t i = 1; i < std::size(chain); ++i)
        setTabOrder(chain[i - 1], chain[i]);

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    bitBtn1_ = buttons.ok;
    connect(bitBtn1_, &QPushButton::clicked, this, &TEditUitleen::BitBtn1Click);
    LayOutDialog(this, fields, buttons.box);
}

bool TEditUitleen::NewLoan() {
    loanRecno_ = 0;
    loanSeekKey_.clear();
    bitBtn1_->setEnabled(true);
    return ShowLoan(NewLoanFields(catalogue_.dm3.UitleenTable.env()));
}

bool TEditUitleen::EditLoan() {
    TTableAccess& loans = catalogue_.dm3.UitleenAccess;
    return ShowGuarded(false, [&] {
        loanRecno_ = loans.RecNo();
        const LoanFields loan = ReadLoan(loans, loanRecno_);
        loanSeekKey_ = SourceSeekKey(loan.carrier, loan.number);
        bitBtn1_->setEnabled(NietBeveiligd());
        return ShowLoan(loan);
    });
}

bool TEditUitleen::ShowLoan(const LoanFields& loan) {
    eAanWie_->setEditText(FromTable(loan.name));
    eDrager_->setEditText(FromTable(loan.carrier));
    spinEdit1_->setValue(int(loan.number));
    eUitleenDat_->setText(QString::fromStdString(loan.loanDate));
    eInleverdat_->setText(QString::fromStdString(loan.dueDate));
    return exec() == QDialog::Accepted;
}

void TEditUitleen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        eDrager_->setFocus();
}

bool TEditUitleen::MayLend(const std::string& seekKey, const std::string& source) {
    if (seekKey == loanSeekKey_)
        return true;  // the loan keeps its source
    TTableAccess& loans = catalogue_.dm3.UitleenAccess;
    const uint32_t other = FindLoan(loans, seekKey, loanRecno_);
    if (other == 0)
        return true;
    const LoanFields lent = ReadLoan(loans, other);
    const std::string until = lent.dueDate.empty() ? "" : " until " + lent.dueDate;
    return CurrentUi().Message(MsgKind::Confirmation,
                               "Source \"" + source + "\" is already lent to " +
                                   Utf8(Trim(lent.name)) + until + ". Add a second loan?",
                               MsgButtons::YesNo) == MsgAnswer::Yes;
}

void TEditUitleen::BitBtn1Click() {
    LoanFields loan;
    const std::optional<std::string> carrier = FieldBytes(eDrager_, "Source");
    if (!carrier || RefusedOutOfRange(spinEdit1_, "Number"))
        return;
    const std::optional<std::string> name = TakeLoanName(eAanWie_);
    if (!name ||
        !TakeLoanDates(eUitleenDat_, eInleverdat_, catalogue_.dm3.UitleenTable.env(), &loan))
        return;
    loan.number = spinEdit1_->value();
    const std::string seekKey = SourceSeekKey(*carrier, loan.number);
    const std::string source =
        eDrager_->currentText().trimmed().toStdString() + " " + std::to_string(loan.number);
    try {
        TTableAccess& titles = catalogue_.dm2.HfAccess;
        titles.SetOrder(kMainTitleOrderBySource);
        if (!titles.Seek(seekKey)) {
            PlayWave("ngev.wav");
            CurrentUi().Message(MsgKind::Information, "Source \"" + source + "\" does not exist!");
            eDrager_->setFocus();
            return;
        }
        // The carrier as the catalogue writes it, whatever case was typed.
        loan.carrier = TrimRight(titles.GetString("DRAGER"));
        if (!MayLend(seekKey, source)) {
            eDrager_->setFocus();
            return;
        }
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    loan.name = TableText(KapitaliseerTekst(*name, true));
    if (PostLoan(catalogue_, loan.name.bytes(), loan, &loanRecno_))
        accept();
}
