#include "shell/table_grid_model.h"

#include "store/catalogue_fixture.h"

namespace {

class TableGridModelTest : public CatalogueTest {};

QString Cell(const TableGridModel& model, int row, int column) {
    return model.data(model.index(row, column), Qt::DisplayRole).toString();
}

TEST_F(TableGridModelTest, ListsTheSharedOrderWithoutMovingTheSharedRecord) {
    auto catalogue = OpenBuilt();
    TTable& loans = catalogue->dm3.UitleenTable;
    TTableAccess& access = catalogue->dm3.UitleenAccess;
    for (const char* name : {"Carla", "anna", "Bert", "Dirk"}) {
        Add(loans,
            {{"AANWIE", name}, {"DRAGER", "CD"}, {"CDNUMMER", "7"}, {"TERDATUM", "05-01-2027"}});
    }
    access.Go(4);
    access.Delete();  // Dirk: hidden like the shared cursor hides it
    access.SetOrder(2);
    access.Go(1);

    TableGridModel model(loans, {{"NAME", "AANWIE"},
                                 {"NUMBER", "CDNUMMER", Qt::AlignRight | Qt::AlignVCenter},
                                 {"EXPIRATION DATE", "TERDATUM"},
                                 {"MISSING", "NOSUCHFIELD"}});
    model.Reload();

    EXPECT_EQ(access.RecNo(), 1u);
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "EXPIRATION DATE");
    const std::vector<std::pair<int, QString>> names = {{0, "anna"}, {1, "Bert"}, {2, "Carla"}};
    for (const auto& [row, name] : names)
        EXPECT_EQ(Cell(model, row, 0), name) << row;
    EXPECT_EQ(Cell(model, 0, 1), "7");
    EXPECT_EQ(Cell(model, 0, 2), "05-01-2027");
    EXPECT_EQ(Cell(model, 0, 3), "");
    EXPECT_EQ(model.data(model.index(0, 1), Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_EQ(model.RecNoAt(0), 2u);
    EXPECT_EQ(model.RowOf(1), 2);
    EXPECT_EQ(model.RowOf(4), -1);

    access.Go(3);
    loans.Edit();
    loans.SetFieldAsString("AANWIE", "Bertha");
    loans.Post();
    model.RecordChanged(3);
    EXPECT_EQ(Cell(model, 1, 0), "Bertha");

    model.RecordRemoved(2);
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(Cell(model, 0, 0), "Bertha");
    EXPECT_EQ(model.RecNoAt(5), 0u);
}

}  // namespace
