#include "loans/uitleen_form.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

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

constexpr int kBorrowerWidth = 50;  // AANWIE

QLabel* ValueLabel(QWidget* parent, const char* name, const TableText& text) {
    auto* label = new QLabel(FromTable(text), parent);
    label->setObjectName(name);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

TUitleenForm::TUitleenForm(Catalogue& catalogue, uint32_t hfRecno, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      mAanWie_(MakeListField(catalogue, this, "mAanWie", 'N', kBorrowerWidth)) {
    setObjectName("UitleenForm");
    setWindowTitle("Loan");
    mAanWie_->setMinimumWidth(320);

    TTableAccess& titles = catalogue_.dm2.HfAccess;
    titles.Go(hfRecno);
    carrier_ = TrimRight(titles.GetString("DRAGER"));
    number_ = titles.GetInteger("CDNUMMER");
    const TableText title = TrimRight(titles.GetString("HTITEL"));

    TTableAccess& loans = catalogue_.dm3.UitleenAccess;
    loanRecno_ = FindLoan(loans, SourceSeekKey(carrier_, number_));
    const LoanFields loan = loanRecno_ != 0 ? ReadLoan(loans, loanRecno_)
                                            : NewLoanFields(catalogue_.dm3.UitleenTable.env());
    mAanWie_->setEditText(FromTable(loan.name));

    auto* fields = new QFormLayout;
    fields->setHorizontalSpacing(12);
    fields->setVerticalSpacing(10);
    fields->addRow("Source:", ValueLabel(this, "DBText1", carrier_));
    fields->addRow("Number:", ValueLabel(this, "DBText2", TableText(std::to_string(number_))));
    fields->addRow("Main title:", ValueLabel(this, "DBText3", title));
    fields->addRow("&Loan to:", mAanWie_);
    AddLoanDateRows(fields, this, "Lo&an date", &eUitleenDat_, &eInleverdat_);
    eUitleenDat_->setText(QString::fromStdString(loan.loanDate));
    eInleverdat_->setText(QString::fromStdString(loan.dueDate));

    const OkCancelRow buttons = AddOkCancel(this, "BitBtn1", "BitBtn2");
    connect(buttons.ok, &QPushButton::clicked, this, &TUitleenForm::BitBtn1Click);
    bitBtn3_ = AddDialogButton(buttons.box, "BitBtn3", "&Delete", QDialogButtonBox::ActionRole);
    bitBtn3_->setEnabled(loanRecno_ != 0);
    connect(bitBtn3_, &QPushButton::clicked, this, &TUitleenForm::BitBtn3Click);
    LayOutDialog(this, fields, buttons.box);
}

void TUitleenForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        mAanWie_->setFocus();
}

void TUitleenForm::BitBtn1Click() {
    LoanFields loan;
    const std::optional<std::string> name = TakeLoanName(mAanWie_);
    if (!name ||
        !TakeLoanDates(eUitleenDat_, eInleverdat_, catalogue_.dm3.UitleenTable.env(), &loan))
        return;
    // The loan keeps the name as typed; the pick list offers it capitalised.
    loan.name = TableText(*name);
    loan.carrier = carrier_;
    loan.number = number_;
    if (PostLoan(catalogue_, KapitaliseerTekst(loan.name.bytes(), true), loan, &loanRecno_))
        accept();
}

void TUitleenForm::BitBtn3Click() {
    if (ChkBeveiliging())
        return;
    try {
        TTableAccess& loans = catalogue_.dm3.UitleenAccess;
        const LoanFields loan = ReadLoan(loans, loanRecno_);
        if (CurrentUi().Message(
                MsgKind::Warning,
                "Remove loan source to " + QuotedName(loan.name) + " from database?",
                MsgButtons::YesNo) != MsgAnswer::Yes)
            return;
        DeleteLoan(loans, loanRecno_);
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    loanRecno_ = 0;
    accept();
}
