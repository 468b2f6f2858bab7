// search_bench: a field search on a big catalogue, as the artist search screen runs it. Picks the
// artist prefix whose hits come nearest to the number asked for (default 50,000), then measures
// from the start of the search to the first rows painted in an offscreen grid, and to every hit
// listed. Then the word-part search ("Context") as its screen runs it: every track's title read
// for a text, the hits put in the table's current order and listed, in record order and in title
// order. Reads the catalogue only.
//   search_bench FOLDER [HITS] [RUNS]
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "search/field_search.h"
#include "search/hit_list_model.h"
#include "search/zoek_woord_form.h"
#include "store/catalogue.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;

// The prefix of the artists (order 1) whose count is nearest to `wanted`: of 1 to 4 characters.
std::string PickPrefix(TTableAccess& tracks, size_t wanted, size_t* hits) {
    std::map<std::string, size_t> counts;
    tracks.SetOrder(1);
    for (tracks.GoTop(); !tracks.Eof(); tracks.Skip()) {
        const std::string artist = TableUpper(tracks.GetString("ARTIEST").bytes());
        for (size_t length = 1; length <= 4; ++length)
            ++counts[artist.substr(0, length)];
    }
    std::string best;
    size_t bestCount = 0;
    for (const auto& [prefix, count] : counts) {
        const auto distance = [wanted](size_t n) { return n > wanted ? n - wanted : wanted - n; };
        if (prefix.find(' ') == std::string::npos &&
            (best.empty() || distance(count) < distance(bestCount))) {
            best = prefix;
            bestCount = count;
        }
    }
    *hits = bestCount;
    return best;
}

// The word-part search screen with its stored choice (without one: Title, narrowed by Artist).
void WordSearches(Catalogue& catalogue, int runs) {
    TZoekWoordForm screen(catalogue);
    screen.resize(1000, 700);
    screen.show();
    QApplication::processEvents();
    auto* box = screen.findChild<QLineEdit*>("Zoekstr");
    auto* grid = screen.findChild<QTableView*>("StringGrid1");
    // The table's current order: 0 record order, 2 by title.
    for (const auto& [text, order] : {std::pair{"ove", 0}, {"ove", 2}, {"e", 2}}) {
        catalogue.dm1.ArtAccess.SetOrder(order);
        box->setText(text);
        std::vector<double> times, cpu;
        for (int run = 0; run < runs; ++run) {
            const auto start = Steady::now();
            const double cpuStart = CpuMs();
            screen.Zoek();
            grid->viewport()->repaint();
            times.push_back(Ms(start));
            cpu.push_back(CpuMs() - cpuStart);
        }
        std::printf("word part \"%s\" in Title, order %d: %d hits\n", text, order,
                    screen.model().rowCount());
        ReportRuns("  all hits listed", times);
        ReportRuns("  processor time", cpu);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench FOLDER [HITS] [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const size_t wanted = argc > 2 ? size_t(std::atol(argv[2])) : 50000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        TTableAccess& tracks = catalogue.dm1.ArtAccess;
        size_t expected = 0;
        const std::string prefix = PickPrefix(tracks, wanted, &expected);
        std::printf("tracks: %u, prefix \"%s\" with %zu hits\n",
                    catalogue.dm1.ArtTable.table().recordCount(), prefix.c_str(), expected);

        HitListModel model(catalogue.dm1.ArtTable, {{"Artist", {"ARTIEST"}}, {"Title", {"TITEL"}}});
        QTableView grid;
        grid.setModel(&model);
        grid.verticalHeader()->setDefaultSectionSize(18);
        grid.resize(900, 600);
        grid.show();
        QApplication::processEvents();

        const FieldSearch search{1, {"ARTIEST"}, prefix, "TITEL", ""};
        std::vector<double> first, all;
        for (int run = 0; run < runs; ++run) {
            model.Clear();
            const auto start = Steady::now();
            double firstMs = -1;
            const SearchResult result =
                RunFieldSearch(tracks, search, [&](const std::vector<uint32_t>& rows, size_t from) {
                    model.Append(rows, from);
                    if (firstMs < 0) {
                        grid.viewport()->repaint();  // as the screen does with its first batch
                        firstMs = Ms(start);
                    }
                    return true;
                });
            grid.viewport()->repaint();
            all.push_back(Ms(start));
            first.push_back(firstMs);
            if (result.rows.size() != expected || size_t(model.rowCount()) != expected) {
                std::fprintf(stderr, "run %d listed %zu hits, expected %zu\n", run,
                             result.rows.size(), expected);
                return 1;
            }
        }
        ReportRuns("first rows painted", first);
        ReportRuns("all hits listed", all);
        WordSearches(catalogue, runs);
    } catch (const TableError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
