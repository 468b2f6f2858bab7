// TData2TotOvz ("Summary main title"): every main title of hfdat.dat in the order chosen with its
// sort dialog, an MDI child. Its actions work on the selected main title.
#pragma once

#include <functional>

#include "overview/table_overview.h"

class TData2TotOvz : public TableOverview {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen. The main titles are listed when it is first shown.
    explicit TData2TotOvz(Catalogue& catalogue, QWidget* parent = nullptr);

    // "&Contents": the source screen on the selected source.
    void ContentsClick() override;
    void InformationClick();
    // "&Edit": the main-title modification screen, modal.
    void EditClick();
    void PurchaseClick();
    void MemoClick();
    // "&Loan": the loan register of the selected source.
    void LoanClick();
    // "&Delete": the whole selected source through `deleter` (main-title record number in, true
    // when deleted). Without one the command stays disabled.
    void setSourceDeleter(std::function<bool(uint32_t)> deleter);
    void DeleteClick();

protected:
    // The purchase columns open the purchase editor, the others the modification screen.
    void GridDoubleClick(int column) override;

private:
    std::function<bool(uint32_t)> deleter_;
    QPushButton* deleteButton_;
    QAction* deleteItem_;
};
