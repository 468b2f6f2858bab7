// playlist_bench: the playlist on a big catalogue. Fills the playlist with tracks of the
// catalogue, then measures adding one track followed by the list read again in another order (as
// the playlist window does after a sort), and the totals window's count.
//   playlist_bench FOLDER [ENTRIES] [RUNS]
// The folder is changed (tracks are added to its playlist): give it a copy.
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "shell/table_grid_model.h"
#include "store/catalogue.h"
#include "store/playlist_totals.h"
#include "store/table_error.h"

namespace {

using Clock = std::chrono::steady_clock;

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const auto at = [&times](double q) { return times[size_t(q * double(times.size() - 1))]; };
    std::printf("%s: %zu runs, median %.3f ms, p99 %.3f ms, max %.3f ms\n", what, times.size(),
                at(0.5), at(0.99), times.back());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: playlist_bench FOLDER [ENTRIES] [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int entries = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 200;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        TDataModule3& dm3 = catalogue.dm3;
        const uint32_t tracks = catalogue.dm1.ArtTable.table().recordCount();
        std::printf("tracks in the catalogue: %u\n", tracks);
        // Seeded by the list's size, so that a second run on the same copy adds other tracks.
        std::mt19937 random(11 + uint32_t(dm3.PlaylistAccess.Count()));
        const auto randomTrack = [&] { return std::to_string(1 + random() % tracks); };

        const auto filling = Clock::now();
        while (dm3.PlaylistAccess.Count() < uint64_t(entries))
            dm3.AddToPlayList(catalogue.dm1, randomTrack());
        std::printf("playlist filled with %d entries: %.0f ms\n", entries, Ms(filling));

        TableGridModel grid(dm3.PlaylistTable, {{"TITLE", "TITEL"}, {"ARTIST", "ARTIEST"}});
        const int orders[] = {1, 2, 3, 4, 8, 0};
        std::vector<double> adds, sorts, both, totals, bothCpu, totalsCpu;
        for (int i = 0; i < runs; ++i) {
            double cpu = CpuMs();
            auto start = Clock::now();
            dm3.AddToPlayList(catalogue.dm1, randomTrack());
            adds.push_back(Ms(start));
            const auto sorting = Clock::now();
            dm3.PlaylistAccess.SetOrder(orders[i % std::size(orders)]);
            grid.Reload();
            sorts.push_back(Ms(sorting));
            both.push_back(Ms(start));
            bothCpu.push_back(CpuMs() - cpu);
            cpu = CpuMs();
            start = Clock::now();
            const PlaylistTotals counted = CountPlaylist(dm3.PlaylistAccess);
            totals.push_back(Ms(start));
            totalsCpu.push_back(CpuMs() - cpu);
            if (counted.count != grid.rowCount()) {
                std::fprintf(stderr, "playlist_bench: totals count %d, grid %d\n", counted.count,
                             grid.rowCount());
                return 1;
            }
        }
        std::printf("playlist entries at the end: %d\n", grid.rowCount());
        Report("add one track (synced)", adds);
        Report("list again in another order", sorts);
        Report("add one track and list again", both);
        Report("totals", totals);
        Report("add one track and list again, processor time", bothCpu);
        Report("totals, processor time", totalsCpu);
    } catch (const TableError& error) {
        std::fprintf(stderr, "playlist_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
