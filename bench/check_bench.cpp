// check_bench: the catalogue's check of its own data over a whole catalogue, every kind on, and
// every kind but the doubles by similar spelling.
//   check_bench FOLDER [RUNS]
// Only reads: the catalogue is opened read-only.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "store/catalogue.h"
#include "store/catalogue_check.h"
#include "store/table_error.h"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: check_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder, Catalogue::Access::ReadOnly);
        catalogue.OpenIndexes();
        std::printf("tracks: %llu, main titles: %llu\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()),
                    static_cast<unsigned long long>(catalogue.dm2.HfAccess.Count()));
        // Runs with every kind and without the similar-spelling doubles take turns, so that a
        // shared machine's load weighs on both alike and their difference is that kind's price.
        std::vector<double> wall, cpu, wallWithout, cpuWithout;
        CatalogueCheck check;
        for (int run = 0; run < runs; ++run) {
            for (const bool every : {true, false}) {
                const std::set<CheckKind> off =
                    every ? std::set<CheckKind>{} : std::set<CheckKind>{CheckKind::SimilarSpelling};
                const auto start = std::chrono::steady_clock::now();
                const double cpuStart = CpuMs();
                uint64_t calls = 0;
                CatalogueCheck found =
                    CheckCatalogue(catalogue, off, [&](uint64_t, uint64_t) { return ++calls > 0; });
                (every ? wall : wallWithout).push_back(Ms(start));
                (every ? cpu : cpuWithout).push_back(CpuMs() - cpuStart);
                if (every)
                    check = std::move(found);
            }
        }
        for (const CheckGroup& group : check.groups)
            std::printf("%s: %zu\n", CheckKindTitle(group.kind).c_str(), group.findings.size());
        ReportRuns("check of the catalogue, every kind (wall)", wall);
        ReportRuns("check of the catalogue, every kind (processor)", cpu);
        ReportRuns("the same without similar spelling (wall)", wallWithout);
        ReportRuns("the same without similar spelling (processor)", cpuWithout);
    } catch (const TableError& error) {
        std::fprintf(stderr, "check_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
