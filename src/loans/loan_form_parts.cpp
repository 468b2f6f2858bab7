#include "loans/loan_form_parts.h"

#include <QAction>
#include <QFontMetrics>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <algorithm>
#include <tuple>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "entry/amend_form_parts.h"
#include "entry/editor_parts.h"
#include "entry/show_kalender.h"
#include "loans/loan_records.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/table_env.h"

namespace {

constexpr int kDateWidth = 10;  // "24-12-1997"

// The date typed in `field`, nothing when it is not one (refused); a blank field gives a blank
// date.
std::optional<xbase::Date> TypedDate(QLineEdit* field, const TTableEnv& env) {
    const std::string text = field->text().trimmed().toStdString();
    xbase::Date date;
    if (!env.ParseDate(text, &date)) {
        RefuseField(field, "\"" + text + "\" is not a valid date. Type it as dd-mm-yyyy.");
        return std::nullopt;
    }
    return date;
}

}  // namespace

void AddLoanDateRows(QFormLayout* form, QWidget* parent, const QString& outCaption, QLineEdit** out,
                     QLineEdit** due) {
    const struct {
        QString caption;
        const char* name;
        const char* buttonName;
        QLineEdit** field;
    } rows[] = {{outCaption, "eUitleenDat", "SpeedButton1", out},
                {"&Expiration date:", "eInleverdat", "SpeedButton2", due}};
    for (const auto& r : rows) {
        auto* edit = new QLineEdit(parent);
        edit->setObjectName(r.name);
        edit->setMaxLength(kDateWidth);
        edit->setPlaceholderText("dd-mm-yyyy");
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("00-00-00000") + 16);
        auto* calendar = new QToolButton(parent);
        calendar->setObjectName(r.buttonName);
        calendar->setText("...");
        calendar->setToolTip("Calendar");
        QObject::connect(calendar, &QToolButton::clicked, edit, [edit] {
            const std::optional<QDate> picked =
                TShowKalender::Pick(edit->window(), TShowKalender::ParseDate(edit->text()));
            if (picked)
                edit->setText(TShowKalender::FormatDate(*picked));
        });
        auto* row = new QHBoxLayout;
        row->setSpacing(4);
        row->addWidget(edit);
        row->addWidget(calendar);
        row->addStretch();
        // Rows holding a layout get no buddy of their own.
        auto* caption = new QLabel(r.caption, parent);
        caption->setBuddy(edit);
        form->addRow(caption, row);
        *r.field = edit;
    }
}

void RefuseField(QWidget* field, const std::string& text) {
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Warning, text);
    field->setFocus();
}

bool TakeLoanDates(QLineEdit* loanDate, QLineEdit* dueDate, const TTableEnv& env,
                   LoanFields* loan) {
    const std::optional<xbase::Date> out = TypedDate(loanDate, env);
    if (!out)
        return false;
    if (out->blank()) {
        RefuseField(loanDate, "The loan date is missing. Type it as dd-mm-yyyy.");
        return false;
    }
    const std::optional<xbase::Date> due = TypedDate(dueDate, env);
    if (!due)
        return false;
    if (!due->blank() &&
        std::tie(due->year, due->month, due->day) < std::tie(out->year, out->month, out->day)) {
        RefuseField(dueDate, "The expiration date " + env.FormatDate(*due) +
                                 " lies before the loan date " + env.FormatDate(*out) + ".");
        return false;
    }
    loan->loanDate = env.FormatDate(*out);
    loan->dueDate = env.FormatDate(*due);
    return true;
}

std::optional<std::string> TakeLoanName(QWidget* field) {
    std::optional<std::string> name = FieldBytes(field, "Loan to");
    if (!name)
        return std::nullopt;
    if (IsBlank(*name)) {
        RefuseField(field, "Type the name of the person you lend the source to.");
        return std::nullopt;
    }
    return Trim(*name);
}

bool PostLoan(Catalogue& catalogue, const std::string& item, const LoanFields& loan,
              uint32_t* recno) {
    try {
        catalogue.dm3.WriteItems(item, 'N');
        const AppendOutcome stored = StoreLoan(catalogue.dm3.UitleenAccess, *recno, loan);
        *recno = stored.recno;
        if (stored.failure)
            ShowTableError(*stored.failure);  // stored all the same: never store it twice
    } catch (const TableError& error) {
        ShowTableError(error);
        return false;
    }
    return true;
}

std::string QuotedName(const TableText& name) {
    return "\"" + Utf8(Trim(name)) + "\"";
}

QPushButton* PlainButton(QWidget* parent, const char* name, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}

QAction* PopupItem(QWidget* owner, const char* name, const QString& text) {
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    owner->addAction(action);
    owner->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

void ShapeLoanGrid(QTableView* grid) {
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
}

void FitColumn(QTableView* grid, int column, const QString& widest) {
    QFont headingFont = grid->horizontalHeader()->font();
    headingFont.setBold(true);  // as the style draws headings
    const QString heading = grid->model()->headerData(column, Qt::Horizontal).toString();
    const int width = std::max(QFontMetrics(headingFont).horizontalAdvance(heading),
                               grid->fontMetrics().horizontalAdvance(widest));
    grid->setColumnWidth(column, width + 24);
}
