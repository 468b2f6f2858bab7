// TPagedRefusals: the refused rows of an import preview, a page at a time, so that the grid stays
// quick however many rows were refused. "&Previous page" and "&Next page" move through the pages;
// the line above them says which rows are shown ("Rows 501-1,000 of 10,000"). An import may count
// more refused rows than it keeps: those past the kept ones are counted but not listed.
#pragma once

#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <functional>

class QLabel;
class QPushButton;
class QTableView;
class TextTableModel;

class TPagedRefusals : public QWidget {
    Q_OBJECT
public:
    static constexpr size_t kPageRows = 500;
    // The cell of a kept refused row, counted from 0.
    using CellFn = std::function<QString(size_t row, int column)>;

    explicit TPagedRefusals(const QStringList& headers, QWidget* parent = nullptr);

    // Lists `kept` rows of `refused` in all, from the first page on.
    void SetRows(size_t kept, uint64_t refused, CellFn cell);
    // Shows page `page` (from 0; a page past the last shows the last).
    void ShowPage(size_t page);
    size_t page() const { return page_; }
    size_t pages() const;
    QTableView* grid() const { return grid_; }

private:
    QLabel* title_;
    QLabel* rowsLabel_;
    QPushButton* previous_;
    QPushButton* next_;
    QTableView* grid_;
    TextTableModel* model_;
    size_t kept_ = 0;
    uint64_t refused_ = 0;
    size_t page_ = 0;
    CellFn cell_;
};

// "10,000".
QString GroupedNumber(uint64_t number);
