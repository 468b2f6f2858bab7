#include "transfer/paged_refusals.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "shell/dialog_parts.h"
#include "transfer/text_table_model.h"

QString GroupedNumber(uint64_t number) {
    return QLocale(QLocale::English).toString(qulonglong(number));
}

TPagedRefusals::TPagedRefusals(const QStringList& headers, QWidget* parent) : QWidget(parent) {
    setObjectName("PagedRefusals");
    title_ = new QLabel(this);
    title_->setObjectName("RefusedLabel");
    rowsLabel_ = new QLabel(this);
    rowsLabel_->setObjectName("RowsLabel");
    previous_ = NamedButton(this, "PreviousPageBtn", "&Previous page");
    next_ = NamedButton(this, "NextPageBtn", "&Next page");
    connect(previous_, &QPushButton::clicked, this, [this] {
        if (page_ > 0)
            ShowPage(page_ - 1);
    });
    connect(next_, &QPushButton::clicked, this, [this] { ShowPage(page_ + 1); });

    model_ = new TextTableModel(headers, 0, nullptr);
    grid_ = TextGrid(this, "RefusedGrid", model_);
    // The rows need no numbers of their own: each names its place in the file, and the line
    // above says which are shown.
    grid_->verticalHeader()->hide();
    title_->setBuddy(grid_);

    auto* pager = new QHBoxLayout;
    pager->addWidget(title_);
    rowsLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pager->addWidget(rowsLabel_, 1);
    pager->addWidget(previous_);
    pager->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(pager);
    layout->addWidget(grid_, 1);
    setTabOrder(grid_, previous_);
    setTabOrder(previous_, next_);
}

size_t TPagedRefusals::pages() const {
    return std::max<size_t>(1, (kept_ + kPageRows - 1) / kPageRows);
}

void TPagedRefusals::SetRows(size_t kept, uint64_t refused, CellFn cell) {
    kept_ = kept;
    refused_ = std::max<uint64_t>(refused, kept);
    cell_ = std::move(cell);
    title_->setText("&Refused rows: " + GroupedNumber(refused_));
    ShowPage(0);
}

void TPagedRefusals::ShowPage(size_t page) {
    page_ = std::min(page, pages() - 1);
    const size_t first = page_ * kPageRows;
    const size_t count = std::min(kPageRows, kept_ - std::min(kept_, first));
    model_->Reset(
        int(count),
        [this, first](int row, int column) { return cell_(first + size_t(row), column); },
        int(first) + 1);
    grid_->scrollToTop();
    QString rows;
    if (count > 0)
        rows = "Rows " + GroupedNumber(first + 1) + "-" + GroupedNumber(first + count) + " of " +
               GroupedNumber(refused_);
    if (kept_ < refused_)
        rows += (rows.isEmpty() ? QString("None") : "; only the first " + GroupedNumber(kept_)) +
                " are listed";
    rowsLabel_->setText(rows);
    const bool paged = pages() > 1;
    previous_->setVisible(paged);
    next_->setVisible(paged);
    previous_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < pages());
}
