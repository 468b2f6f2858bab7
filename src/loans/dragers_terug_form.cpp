#include "loans/dragers_terug_form.h"

#include <QAction>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/protection.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "loans/edit_uitleen.h"
#include "loans/loan_form_parts.h"
#include "loans/loan_records.h"
#include "shell/grid_rows.h"
#include "shell/table_text.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"
#include "store/record_edit.h"

namespace {

constexpr int kReturnScreen = 15;
constexpr int kRecnoColumn = 3;  // not shown: finds the loan record again

}  // namespace

TDragersTerugForm::TDragersTerugForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      grid_(new QTableWidget(0, 4, this)),
      dragerCap_(new QLabel(this)),
      nummerCap_(new QLabel(this)) {
    setObjectName("DragersTerugForm");
    setWindowTitle("Loan date is reached");

    grid_->setObjectName("StringGrid1");
    grid_->setHorizontalHeaderLabels({"Expiration date", "Loan out date", "Loan to", ""});
    grid_->setColumnHidden(kRecnoColumn, true);
    ShapeLoanGrid(grid_);
    FitColumn(grid_, 0, "00-00-0000");
    FitColumn(grid_, 1, "00-00-0000");
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    connect(grid_, &QTableWidget::currentCellChanged, this, [this](int row) { GetDrager(row); });

    dragerCap_->setObjectName("DragerCap");
    nummerCap_->setObjectName("NummerCap");
    auto* source = new QFormLayout;
    source->addRow("Source:", dragerCap_);
    source->addRow("Number:", nummerCap_);

    QPushButton* edit = PlainButton(this, "BitBtn3", "&Edit");
    QPushButton* remove = PlainButton(this, "BitBtn1", "&Delete");
    QPushButton* close = PlainButton(this, "BitBtn2", "&Close");
    edit->setDefault(true);  // Enter on a row edits its loan
    connect(edit, &QPushButton::clicked, this, &TDragersTerugForm::EditClick);
    connect(remove, &QPushButton::clicked, this, &TDragersTerugForm::FormVerwijder);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(PopupItem(grid_, "Edit1", "&Edit"), &QAction::triggered, this,
            &TDragersTerugForm::EditClick);
    connect(PopupItem(grid_, "Delete1", "&Delete"), &QAction::triggered, this,
            &TDragersTerugForm::FormVerwijder);

    auto* side = new QVBoxLayout;
    side->addLayout(source);
    side->addSpacing(12);
    for (QPushButton* button : {edit, remove, close})
        side->addWidget(button);
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(side);
    resize(626, 385);
}

bool TDragersTerugForm::Controle(bool ShowNone) {
    std::vector<DueLoan> due;
    {
        const BusyCursor busy;
        const StatusShown status("Checking sources...");
        filled_ = false;
        grid_->setRowCount(0);
        try {
            due = CollectDueLoans(catalogue_.dm3.UitleenAccess, Today());
        } catch (const TableError& error) {
            ShowTableError(error);
            return false;
        }
        grid_->setUpdatesEnabled(false);
        grid_->setRowCount(int(due.size()));
        for (size_t row = 0; row < due.size(); ++row)
            PutRow(int(row), due[row]);
        grid_->setUpdatesEnabled(true);
    }
    if (due.empty()) {
        if (ShowNone)
            CurrentUi().Message(MsgKind::Information,
                                "No sources found that match the hand in date.");
        return false;
    }
    filled_ = true;
    grid_->setCurrentCell(0, 0);
    GetDrager(0);
    exec();
    return true;
}

void TDragersTerugForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    RestoreWindowPlacement(this, kReturnScreen);
    PlayWave("Opti.wav");
    grid_->setFocus();
}

void TDragersTerugForm::done(int result) {
    if (isVisible())
        SaveWindowPlacement(this, kReturnScreen);
    QDialog::done(result);
}

void TDragersTerugForm::PutRow(int row, const DueLoan& loan) {
    const QString texts[] = {QString::fromStdString(loan.dueDate),
                             QString::fromStdString(loan.loanDate), FromTable(loan.name),
                             QString::number(loan.recno)};
    for (int column = 0; column < 4; ++column) {
        if (QTableWidgetItem* cell = grid_->item(row, column))
            cell->setText(texts[column]);
        else
            grid_->setItem(row, column, new QTableWidgetItem(texts[column]));
    }
}

uint32_t TDragersTerugForm::RecnoOf(int row) const {
    const QTableWidgetItem* cell = grid_->item(row, kRecnoColumn);
    return cell != nullptr ? cell->text().toUInt() : 0;
}

void TDragersTerugForm::GetDrager(int row) {
    const uint32_t recno = RecnoOf(row);
    if (!filled_ || recno == 0) {
        dragerCap_->clear();
        nummerCap_->clear();
        return;
    }
    try {
        const LoanFields loan = ReadLoan(catalogue_.dm3.UitleenAccess, recno);
        dragerCap_->setText(FromTable(loan.carrier));
        nummerCap_->setText(QString::number(loan.number));
    } catch (const TableError& error) {
        ShowTableError(error);
    }
}

void TDragersTerugForm::EditClick() {
    const int row = grid_->currentRow();
    const uint32_t recno = RecnoOf(row);
    if (recno == 0) {
        CurrentUi().Beep();
        return;
    }
    TableGuarded([&] {
        catalogue_.dm3.UitleenAccess.Go(recno);
        TEditUitleen editor(catalogue_, this);
        if (editor.EditLoan())
            PutRow(row, ReadDueLoan(catalogue_.dm3.UitleenAccess, recno));
    });
    GetDrager(row);
    grid_->setFocus();
}

void TDragersTerugForm::FormVerwijder() {
    if (ChkBeveiliging())
        return;
    const int row = grid_->currentRow();
    const uint32_t recno = RecnoOf(row);
    if (recno == 0) {
        DeleteGridRow(grid_, row);  // no loan there: only the beep
        return;
    }
    try {
        const LoanFields loan = ReadLoan(catalogue_.dm3.UitleenAccess, recno);
        if (CurrentUi().Message(MsgKind::Warning,
                                "Loan source to " + QuotedName(loan.name) + " delete?",
                                MsgButtons::YesNo) != MsgAnswer::Yes)
            return;
        DeleteLoan(catalogue_.dm3.UitleenAccess, recno);
    } catch (const TableError& error) {
        ShowTableError(error);
        return;
    }
    DeleteGridRow(grid_, row);
    GetDrager(grid_->currentRow());
}
