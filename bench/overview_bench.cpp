// overview_bench: the artist overview on a big catalogue, offscreen. Measures opening it (listing
// every track in the stored order and painting the first page), paging down, jumping to the last
// row, and re-sorting (storing another order and listing again).
//   overview_bench FOLDER [RUNS]
// The folder's cd.ini is changed (the sort key): give it a copy.
#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/ini.h"
#include "base/work_dir.h"
#include "bench_clock.h"
#include "overview/data1_tot_ovz.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;

// Moves the selection to `row`, shows it and paints the page.
void ShowRow(QTableView* grid, int row) {
    grid->selectRow(row);
    grid->scrollTo(grid->currentIndex());
    grid->viewport()->repaint();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: overview_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        std::printf("tracks: %llu\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()));
        std::vector<double> opened, paged, jumped, sorted;
        for (int run = 0; run < runs; ++run) {
            IniWriteInteger("Sortering", "ArtiestenOverzicht", 1);
            TData1TotOvz screen(catalogue);
            screen.resize(1000, 700);
            Steady::time_point start = Steady::now();
            screen.show();
            QApplication::processEvents();
            screen.grid()->viewport()->repaint();
            opened.push_back(Ms(start));
            QTableView* grid = screen.grid();
            const int page = std::max(1, grid->viewport()->height() / grid->rowHeight(0));
            for (int i = 1; i <= 20; ++i) {
                start = Steady::now();
                ShowRow(grid, i * page);
                paged.push_back(Ms(start));
            }
            start = Steady::now();
            ShowRow(grid, screen.model().rowCount() - 1);
            jumped.push_back(Ms(start));
            IniWriteInteger("Sortering", "ArtiestenOverzicht", 8);
            start = Steady::now();
            screen.ApplyStoredOrder();
            grid->viewport()->repaint();
            sorted.push_back(Ms(start));
            screen.close();
        }
        ReportRuns("open the artist overview (list all, paint the first page)", opened);
        ReportRuns("page down (select a row a page further, paint)", paged);
        ReportRuns("jump to the last row (select, paint)", jumped);
        ReportRuns("re-sort by source and number (list all again, paint)", sorted);
    } catch (const TableError& error) {
        std::fprintf(stderr, "overview_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
