// source_bench: how fast the source screen opens on a big catalogue. Adds one source of 999 tracks
// (carrier BENCH, number 999999) to the catalogue folder given, unless it is there, then measures
// ShowSource from its call to the filled grid, and to the window shown and painted, offscreen.
//   source_bench FOLDER [RUNS]
// The folder is changed (the source is added): give it a copy.
#include <QApplication>
#include <QTableWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "overview/show_art_hf_form.h"
#include "store/catalogue.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr int kTracks = 999;

void AddSource(Catalogue& catalogue) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(4);
    if (titles.Seek(SourceSeekKey("BENCH", 999999))) {
        return;
    }
    TTable& hf = catalogue.dm2.HfTable;
    hf.Insert();
    hf.SetFieldAsString("DRAGER", "BENCH");
    hf.SetFieldAsInteger("CDNUMMER", 999999);
    hf.SetFieldAsString("HTITEL", "The Long Box");
    hf.Post();
    hf.Sync();
    TTable& art = catalogue.dm1.ArtTable;
    for (int i = 0; i < kTracks; ++i) {
        art.Insert();
        art.SetFieldAsString("DRAGER", "BENCH");
        art.SetFieldAsInteger("CDNUMMER", 999999);
        art.SetFieldAsString("AKANT", i % 2 == 0 ? "A" : "B");
        art.SetFieldAsInteger("TRACK", kTracks - i);
        art.SetFieldAsString("ARTIEST", "Artist " + std::to_string(i % 37));
        art.SetFieldAsString("TITEL", "Title " + std::to_string(i));
        art.SetFieldAsString("MINUTEN", std::to_string(2 + i % 5));
        art.SetFieldAsString("SECONDEN", std::to_string(10 + i % 50));
        art.Post();
    }
    art.Sync();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: source_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        AddSource(catalogue);
        std::printf("tracks: %llu\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()));
        std::vector<double> filled, shown;
        for (int run = 0; run < runs; ++run) {
            TShowArtHfForm screen(catalogue);
            const Steady::time_point start = Steady::now();
            if (!screen.ShowSource("BENCH", "999999", 0, false)) {
                return 1;
            }
            filled.push_back(Ms(start));
            const int rows = screen.findChild<QTableWidget*>("StringGrid2")->rowCount();
            if (rows != kTracks) {
                std::fprintf(stderr, "source_bench: %d rows instead of %d\n", rows, kTracks);
                return 1;
            }
            screen.show();
            QApplication::processEvents();
            shown.push_back(Ms(start));
            screen.close();
        }
        ReportRuns("ShowSource of 999 tracks to the filled grid", filled);
        ReportRuns("ShowSource of 999 tracks to the window shown and painted", shown);
    } catch (const TableError& error) {
        std::fprintf(stderr, "source_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
