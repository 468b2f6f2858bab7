// scans_bench: the two screens that read the whole catalogue, offscreen. Measures "S&tart" of the
// double entries (one walk over the title order's keys, then the rows painted) and "&Update" of
// the database information (one pass over the main titles and one over the tracks, the carrier
// counts and the kept figures written).
//   scans_bench FOLDER [RUNS]
// The folder's cd.ini and items.dat are changed: give it a copy.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "overview/dubbel_form.h"
#include "overview/info_database_form.h"
#include "overview/track_rows.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scans_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        std::printf("tracks: %llu, main titles: %llu\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()),
                    static_cast<unsigned long long>(catalogue.dm2.HfAccess.Count()));
        std::vector<double> doubles, update;
        QString found, counted;
        for (int run = 0; run < runs; ++run) {
            TDubbelForm screen(catalogue);
            screen.resize(700, 500);
            screen.show();
            QApplication::processEvents();
            Steady::time_point start = Steady::now();
            screen.BitBtn3Click();
            screen.rows().grid()->viewport()->repaint();
            doubles.push_back(Ms(start));
            found = screen.findChild<QLabel*>("cAantal")->text();

            TInfoDatabaseForm info(catalogue);
            info.show();
            QApplication::processEvents();
            start = Steady::now();
            info.UpdateClick();
            info.repaint();
            update.push_back(Ms(start));
            counted = info.Shown("TotTracks") + " tracks, " + info.Shown("Uren") + " hours";
        }
        std::printf("double entries: %s; database information: %s\n", qPrintable(found),
                    qPrintable(counted));
        ReportRuns("double entries: Start (walk the title order, list, paint)", doubles);
        ReportRuns("database information: Update (count both tables, write, paint)", update);
    } catch (const TableError& error) {
        std::fprintf(stderr, "scans_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
