#include "loans/uit_leen_drg.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QShowEvent>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/protection.h"
#include "base/ui.h"
#include "entry/editor_parts.h"
#include "loans/edit_uitleen.h"
#include "loans/loan_form_parts.h"
#include "loans/loan_records.h"
#include "shell/table_grid_model.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"

namespace {

constexpr int kScreenNumber = 4;
constexpr int kLoanOrderByName = 2;

}  // namespace

TUitLeenDrg::TUitLeenDrg(Catalogue& catalogue, QWidget* parent)
    : QWidget(parent),
      catalogue_(catalogue),
      model_(new TableGridModel(catalogue.dm3.UitleenTable,
                                {{"NUMBER", "CDNUMMER", Qt::AlignRight | Qt::AlignVCenter},
                                 {"NAME", "AANWIE"},
                                 {"LOAN DATE", "UITDATUM"},
                                 {"EXPIRATION DATE", "TERDATUM"},
                                 {"SOURCE", "DRAGER"}},
                                this)),
      dbGrid1_(new QTableView(this)) {
    setObjectName("UitLeenDrg");
    setWindowTitle("Summary loan sources");

    dbGrid1_->setObjectName("DBGrid1");
    dbGrid1_->setModel(model_);
    ShapeLoanGrid(dbGrid1_);
    const char* const widest[] = {"999999999", "Wilhelmina van Amstel-Berg", "00-00-0000",
                                  "00-00-0000", "CASSETTE"};
    for (int column = 0; column < 5; ++column)
        FitColumn(dbGrid1_, column, widest[column]);
    dbGrid1_->horizontalHeader()->setStretchLastSection(true);
    connect(dbGrid1_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const uint32_t recno = model_->RecNoAt(current.row());
                if (recno != 0)
                    ShowGuarded(0, [&] {
                        catalogue_.dm3.UitleenAccess.Go(recno);
                        return 0;
                    });
            });
    connect(dbGrid1_, &QTableView::doubleClicked, this, &TUitLeenDrg::EditClick);

    // The navigator: first, previous, next and last loan.
    auto* navigator = new QWidget(this);
    navigator->setObjectName("DBNavigator1");
    auto* navigatorRow = new QHBoxLayout(navigator);
    navigatorRow->setContentsMargins(0, 0, 0, 0);
    navigatorRow->setSpacing(2);
    const struct {
        const char* name;
        QStyle::StandardPixmap icon;
        const char* hint;
        std::function<int()> row;
    } moves[] = {
        {"First", QStyle::SP_MediaSkipBackward, "First record", [] { return 0; }},
        {"Prior", QStyle::SP_MediaSeekBackward, "Previous record",
         [this] { return std::max(0, dbGrid1_->currentIndex().row() - 1); }},
        {"Next", QStyle::SP_MediaSeekForward, "Next record",
         [this] { return dbGrid1_->currentIndex().row() + 1; }},
        {"Last", QStyle::SP_MediaSkipForward, "Last record",
         [this] { return model_->rowCount() - 1; }},
    };
    for (const auto& move : moves) {
        auto* button = new QToolButton(navigator);
        button->setObjectName(move.name);
        button->setIcon(style()->standardIcon(move.icon));
        button->setToolTip(move.hint);
        connect(button, &QToolButton::clicked, this,
                [this, row = move.row] { SelectRow(std::min(row(), model_->rowCount() - 1)); });
        navigatorRow->addWidget(button);
    }

    QPushButton* close = PlainButton(this, "BitBtn1", "&Close");
    QPushButton* edit = PlainButton(this, "BitBtn2", "&Edit");
    QPushButton* remove = PlainButton(this, "BitBtn3", "&Delete");
    QPushButton* loan = PlainButton(this, "BitBtn4", "&Loan");
    connect(close, &QPushButton::clicked, this, [this] { PlacementWindow()->close(); });
    connect(edit, &QPushButton::clicked, this, &TUitLeenDrg::EditClick);
    connect(loan, &QPushButton::clicked, this, &TUitLeenDrg::LoanClick);
    connect(remove, &QPushButton::clicked, this,
            [this] { DeleteLoanAsking("Remove loan source "); });
    connect(PopupItem(dbGrid1_, "Loan1", "&Loan"), &QAction::triggered, this,
            &TUitLeenDrg::LoanClick);
    connect(PopupItem(dbGrid1_, "Edit1", "&Edit"), &QAction::triggered, this,
            &TUitLeenDrg::EditClick);
    connect(PopupItem(dbGrid1_, "Delete1", "&Delete"), &QAction::triggered, this,
            [this] { DeleteLoanAsking("Remove loan source to "); });
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), dbGrid1_);
    escape->setContext(Qt::WidgetShortcut);
    connect(escape, &QShortcut::activated, close, &QPushButton::click);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(navigator);
    buttons->addStretch();
    for (QPushButton* button : {loan, edit, remove, close})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(dbGrid1_, 1);
    layout->addLayout(buttons);
}

QSize TUitLeenDrg::sizeHint() const {
    // Every column in view, and about twenty loans.
    int width = 2 * dbGrid1_->frameWidth() + dbGrid1_->verticalScrollBar()->sizeHint().width() +
                layout()->contentsMargins().left() + layout()->contentsMargins().right();
    for (int column = 0; column < model_->columnCount(); ++column)
        width += dbGrid1_->columnWidth(column);
    return {width, 20 * dbGrid1_->verticalHeader()->defaultSectionSize() + 90};
}

QWidget* TUitLeenDrg::PlacementWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return window();
}

void TUitLeenDrg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    RestoreWindowPlacement(PlacementWindow(), kScreenNumber);
    FormActivate();
    dbGrid1_->setFocus();
}

void TUitLeenDrg::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement(PlacementWindow(), kScreenNumber);
    event->accept();
}

void TUitLeenDrg::FormActivate() {
    const uint32_t selected = SelectedRecno();
    ShowGuarded(0, [&] {
        catalogue_.dm3.UitleenAccess.SetOrder(kLoanOrderByName);
        catalogue_.dm3.UitleenAccess.GoTop();
        return 0;
    });
    Relist(selected);
}

uint32_t TUitLeenDrg::SelectedRecno() const {
    return model_->RecNoAt(dbGrid1_->currentIndex().row());
}

void TUitLeenDrg::SelectRow(int row) {
    if (row < 0 || row >= model_->rowCount())
        return;
    dbGrid1_->setCurrentIndex(model_->index(row, 0));
    dbGrid1_->scrollTo(model_->index(row, 0));
}

void TUitLeenDrg::Relist(uint32_t recno, int fallbackRow) {
    ShowGuarded(0, [&] {
        // The list follows the order of the shared table, which other screens may have changed.
        catalogue_.dm3.UitleenAccess.SetOrder(kLoanOrderByName);
        model_->Reload();
        return 0;
    });
    const int row = model_->RowOf(recno);
    SelectRow(row >= 0 ? row : std::min(fallbackRow, model_->rowCount() - 1));
}

void TUitLeenDrg::EditClick() {
    const uint32_t recno = SelectedRecno();
    if (recno == 0) {
        CurrentUi().Beep();
        return;
    }
    const bool changed = ShowGuarded(false, [&] {
        catalogue_.dm3.UitleenAccess.Go(recno);
        TEditUitleen editor(catalogue_, this);
        return editor.EditLoan();
    });
    if (changed)
        Relist(recno);  // a new name moves the loan in the list
    dbGrid1_->setFocus();
}

void TUitLeenDrg::LoanClick() {
    TEditUitleen editor(catalogue_, this);
    if (editor.NewLoan())
        Relist(editor.loanRecno());
    dbGrid1_->setFocus();
}

void TUitLeenDrg::DeleteLoanAsking(const std::string& question) {
    if (ChkBeveiliging())
        return;
    const uint32_t recno = SelectedRecno();
    if (recno == 0) {
        CurrentUi().Beep();
        return;
    }
    const int row = dbGrid1_->currentIndex().row();
    ShowGuarded(0, [&] {
        TTableAccess& loans = catalogue_.dm3.UitleenAccess;
        const LoanFields loan = ReadLoan(loans, recno);
        if (CurrentUi().Message(MsgKind::Warning,
                                question + QuotedName(loan.name) + " from database?",
                                MsgButtons::YesNo) != MsgAnswer::Yes)
            return 0;
        DeleteLoan(loans, recno);
        model_->RecordRemoved(recno);
        SelectRow(std::min(row, model_->rowCount() - 1));
        return 0;
    });
    dbGrid1_->setFocus();
}
