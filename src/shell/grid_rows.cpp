#include "shell/grid_rows.h"

#include <QTableWidget>

#include "base/ui.h"

void DeleteGridRow(QTableWidget* grid, int row) {
    if (grid == nullptr || row < 0 || row >= grid->rowCount()) {
        CurrentUi().Beep();
        return;
    }
    grid->removeRow(row);
}
