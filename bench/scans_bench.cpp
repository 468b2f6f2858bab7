// scans_bench: the two screens that read the whole catalogue, offscreen. Measures "S&tart" of the
// double entries (one walk over the title order's keys, then the rows painted), the same with
// "Similar spelling" ticked and its artist list of the first row, and "&Update" of the database
// information (one pass over the main titles and one over the tracks, the carrier
// counts and the kept figures written).
//   scans_bench FOLDER [RUNS]
// The folder's cd.ini and items.dat are changed: give it a copy.
#include <QApplication>
#include <QCheckBox>
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
#include "overview/dubbele_artiesten_form.h"
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
        std::vector<double> doubles, similar, artists, update;
        QString found, foundSimilar, counted;
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

            TDubbelForm spelled(catalogue);
            spelled.resize(700, 500);
            spelled.findChild<QCheckBox*>("SimilarSpelling")->setChecked(true);
            spelled.show();
            QApplication::processEvents();
            start = Steady::now();
            spelled.BitBtn3Click();
            spelled.rows().grid()->viewport()->repaint();
            similar.push_back(Ms(start));
            foundSimilar = spelled.findChild<QLabel*>("cAantal")->text();
            catalogue.dm1.ArtAccess.Go(spelled.rows().Selected());
            const std::string title = catalogue.dm1.ArtAccess.GetString("TITEL").bytes();
            TDubbeleArtiestenForm list(catalogue);
            start = Steady::now();
            list.Fill(title, TitleMatch::SimilarSpelling);
            artists.push_back(Ms(start));

            TInfoDatabaseForm info(catalogue);
            info.show();
            QApplication::processEvents();
            start = Steady::now();
            info.UpdateClick();
            info.repaint();
            update.push_back(Ms(start));
            counted = info.Shown("TotTracks") + " tracks, " + info.Shown("Uren") + " hours";
        }
        std::printf("double entries: %s, with similar spelling %s; database information: %s\n",
                    qPrintable(found), qPrintable(foundSimilar), qPrintable(counted));
        ReportRuns("double entries: Start (walk the title order, list, paint)", doubles);
        ReportRuns("double entries, similar spelling: Start", similar);
        ReportRuns("double entries, similar spelling: artist list of the first row", artists);
        ReportRuns("database information: Update (count both tables, write, paint)", update);
    } catch (const TableError& error) {
        std::fprintf(stderr, "scans_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
