// TUitLeenDrg: every loan, by borrower ("Summary loan sources"), a child window of the main
// window. Loans are lent, changed and deleted from here; the list reads its rows as they are
// shown, so that thousands of loans open at once.
#pragma once

#include <QWidget>
#include <cstdint>

class Catalogue;
class QTableView;
class TableGridModel;

class TUitLeenDrg : public QWidget {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen.
    explicit TUitLeenDrg(Catalogue& catalogue, QWidget* parent = nullptr);

    // The screen became the active one: the loan table goes to its order by borrower and the
    // list is read again, on the loan selected before (the first one at the start).
    void FormActivate();
    TableGridModel* model() const { return model_; }
    QSize sizeHint() const override;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* PlacementWindow();
    uint32_t SelectedRecno() const;
    void SelectRow(int row);
    // Reads the list again and selects loan `recno` (the row at `fallbackRow` when it is not
    // listed).
    void Relist(uint32_t recno, int fallbackRow = 0);
    void EditClick();
    void LoanClick();
    void DeleteLoanAsking(const std::string& question);

    Catalogue& catalogue_;
    TableGridModel* model_;
    QTableView* dbGrid1_;
    bool shown_ = false;
};
