// Removing a row from a result grid.
#include "shell/grid_rows.h"

#include <gtest/gtest.h>

#include <QTableWidget>

#include "support/scripted_ui.h"

namespace {

QTableWidget* Grid(QTableWidget& grid) {
    grid.setColumnCount(2);
    grid.setRowCount(3);
    for (int row = 0; row < 3; ++row) {
        grid.setItem(row, 0, new QTableWidgetItem(QString("row %1").arg(row)));
        grid.setItem(row, 1, new QTableWidgetItem(QString::number(100 + row)));  // record number
    }
    return &grid;
}

TEST(DeleteGridRowTest, TheRowsBelowMoveUpAndARowOutsideTheGridOnlyBeeps) {
    ScriptedUi ui;
    QTableWidget grid;
    for (const int outside : {3, -1})
        DeleteGridRow(Grid(grid), outside);
    DeleteGridRow(nullptr, 0);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(ui.beeps, 3);
    DeleteGridRow(&grid, 1);
    ASSERT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.item(0, 0)->text(), "row 0");
    EXPECT_EQ(grid.item(1, 0)->text(), "row 2");
    EXPECT_EQ(grid.item(1, 1)->text(), "102");
    DeleteGridRow(&grid, 1);
    DeleteGridRow(&grid, 0);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(ui.beeps, 3);
}

}  // namespace
