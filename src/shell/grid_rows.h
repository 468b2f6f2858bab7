// Removing one row from a result grid.
#pragma once

class QTableWidget;

// Removes `row` (0-based) from `grid`; the rows below move up and the row count shrinks by one.
// A row outside the grid (or no grid) only sounds the system beep.
void DeleteGridRow(QTableWidget* grid, int row);
