#include "overview/data2_tot_ovz.h"

#include <QAction>
#include <QPushButton>

#include "entry/edit_aankoop.h"
#include "entry/tekstblad.h"
#include "entry/wijzig_hoofdtitel_gegevens.h"
#include "loans/loan_commands.h"
#include "overview/hoofdtitel_info_form.h"
#include "overview/show_source.h"
#include "overview/sort_form_data.h"
#include "store/catalogue.h"

namespace {

constexpr int kData2Screen = 3;

const std::vector<TableOverview::GridColumn>& Data2Columns() {
    static const std::vector<TableOverview::GridColumn> columns = {
        {"QUALITY", "OPNAME", 10, false},
        {"MAIN TITLE", "HTITEL", 30, false},
        {"STYLE", "SOORT", 12, false},
        {"NUMBER", "CDNUMMER", 9, true},
        {"SOURCE", "DRAGER", 10, false},
        {"LABEL", "LABEL", 14, false},
        {"PURCHASE DATE", "AANKOOPDAT", 12, false},
        {"PURCHASE", "AANKOOP", 14, false},
        {"MAIN ARTIST", "HOOFDART", 22, false},
        {"PRICE", "AANKPPRS", 8, true}};
    return columns;
}

bool IsPurchaseColumn(int column) {
    const std::vector<TableOverview::GridColumn>& columns = Data2Columns();
    if (column < 0 || column >= int(columns.size())) {
        return false;
    }
    const std::string field = columns[size_t(column)].field;
    return field == "AANKOOP" || field == "AANKPPRS" || field == "AANKOOPDAT";
}

}  // namespace

TData2TotOvz::TData2TotOvz(Catalogue& catalogue, QWidget* parent)
    : TableOverview(catalogue, catalogue.dm2.HfAccess, MainTitleSortChoices(), kData2Screen,
                    Data2Columns(), parent) {
    setObjectName("Data2TotOvz");
    setWindowTitle("Summary main title");

    AddButton("MemoButton", "&Memo", [this] { MemoClick(); });
    AddButton("EditButton", "&Edit", [this] { EditClick(); });
    AddButton("PurchaseButton", "&Purchase", [this] { PurchaseClick(); });
    deleteButton_ = AddButton("DeleteButton", "&Delete", [this] { DeleteClick(); });
    AddButton("CloseButton", "&Close", [this] { CloseWindow(); });

    AddItem("Contents1", "&Contents", [this] { ContentsClick(); });
    AddItem("Information1", "In&formation", [this] { InformationClick(); });
    AddItem("Edit1", "&Edit", [this] { EditClick(); });
    AddItem("Purchase1", "&Purchase", [this] { PurchaseClick(); });
    AddItem("Memo1", "&Memo", [this] { MemoClick(); });
    AddItem("Loan1", "&Loan", [this] { LoanClick(); });
    AddSeparator();
    AddItem("Sort1", "&Sort", [this] { SortClick(); });
    deleteItem_ = AddItem("Delete1", "&Delete", [this] { DeleteClick(); });
    setSourceDeleter(nullptr);
}

void TData2TotOvz::GridDoubleClick(int column) {
    if (IsPurchaseColumn(column)) {
        PurchaseClick();
    } else {
        EditClick();
    }
}

void TData2TotOvz::ContentsClick() {
    WithSelected([this] {
        TTableAccess& hf = catalogue_.dm2.HfAccess;
        ShowSource(catalogue_, hf.GetString("DRAGER").bytes(), hf.GetString("CDNUMMER").bytes(), 0,
                   this);
    });
}

void TData2TotOvz::InformationClick() {
    WithSelected([this] {
        THoofdtitelInfoForm info(catalogue_, this);
        info.exec();
    });
}

void TData2TotOvz::EditClick() {
    WithSelected([this] {
        TWijzigHoofdtitelGegevens screen(catalogue_, this);
        screen.exec();
    });
}

void TData2TotOvz::PurchaseClick() {
    WithSelected([this] { TEditAankoop::Show(catalogue_, catalogue_.dm2.HfAccess.RecNo(), this); });
}

void TData2TotOvz::MemoClick() {
    WithSelected([this] { TTekstblad::Show(catalogue_, catalogue_.dm2.HfAccess.RecNo(), this); });
}

void TData2TotOvz::LoanClick() {
    WithSelected([this] { ShowLoanForSource(catalogue_, this); });
}

void TData2TotOvz::setSourceDeleter(std::function<bool(uint32_t)> deleter) {
    deleter_ = std::move(deleter);
    deleteButton_->setEnabled(bool(deleter_));
    deleteItem_->setEnabled(bool(deleter_));
}

void TData2TotOvz::DeleteClick() {
    WithSelected([this] {
        if (deleter_ && deleter_(catalogue_.dm2.HfAccess.RecNo())) {
            RemoveSelectedRow();
        }
    });
}
