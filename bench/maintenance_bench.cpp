// maintenance_bench: the safety copy and Optimize on a big catalogue.
//   maintenance_bench copy FOLDER      one safety copy of the catalogue in FOLDER (timed)
//   maintenance_bench optimize FOLDER DELETED
//                                      marks DELETED tracks deleted (not timed), then what
//                                      "Opimize databases" does after OK: the safety copy,
//                                      PackFiles, the check of the indexes the pack did not
//                                      build anew (each timed)
// Both change FOLDER (copies under backup/, packed tables): give them a copy.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "store/catalogue.h"
#include "store/catalogue_repair.h"
#include "store/safety_copy.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;

double Seconds(Steady::time_point since) {
    return Ms(since) / 1000;
}

// Wall and processor seconds of one step.
struct Step {
    Steady::time_point wall = Steady::now();
    double cpu = CpuMs();
    std::string Took() const {
        char text[64];
        std::snprintf(text, sizeof text, "%.2f s (cpu %.2f s)", Seconds(wall),
                      (CpuMs() - cpu) / 1000);
        return text;
    }
};

int Fail(const xbase::Status& status) {
    std::fprintf(stderr, "%s\n", status.ToString().c_str());
    return 1;
}

int Copy(const std::string& folder) {
    const Step step;
    const xbase::Status status = TakeSafetyCopyOf(folder, "bench", nullptr);
    if (!status.ok())
        return Fail(status);
    std::printf("safety copy: %s for %.1f MB\n", step.Took().c_str(),
                double(CatalogueBytes(folder)) / (1024.0 * 1024.0));
    return 0;
}

int Optimize(const std::string& folder, int deleted) {
    Catalogue catalogue(folder);
    catalogue.OpenIndexes();
    TTableAccess& tracks = catalogue.dm1.ArtAccess;
    tracks.SetOrder(0);
    tracks.GoTop();
    for (int k = 0; k < deleted && !tracks.Eof(); ++k) {
        tracks.Delete();  // the next record becomes current
        tracks.Skip(50);
    }
    const uint32_t before = catalogue.dm1.ArtTable.table().recordCount();
    const Step whole;
    Step step;
    xbase::Status status = TakeSafetyCopy(catalogue, "optimize", nullptr);
    if (!status.ok())
        return Fail(status);
    const std::string copied = step.Took();
    step = Step();
    std::vector<const TTable*> rebuilt;
    catalogue.dm1.PackFiles(catalogue.dm2, catalogue.dm3, nullptr, &rebuilt);
    const std::string packed = step.Took();
    step = Step();
    std::vector<std::string> report;
    status = CheckAndRepairTables(catalogue, nullptr, &report, rebuilt);
    if (!status.ok())
        return Fail(status);
    std::printf(
        "optimize: %u -> %u tracks in the file; safety copy %s, pack %s, check %s, "
        "total %s\n",
        before, catalogue.dm1.ArtTable.table().recordCount(), copied.c_str(), packed.c_str(),
        step.Took().c_str(), whole.Took().c_str());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: maintenance_bench copy|optimize FOLDER [DELETED]\n");
        return 2;
    }
    const std::string command = argv[1];
    const std::string folder = argv[2];
    SetWorkDir(folder);
    try {
        if (command == "copy")
            return Copy(folder);
        if (command == "optimize")
            return Optimize(folder, argc > 3 ? std::atoi(argv[3]) : 10000);
    } catch (const TableError& e) {
        return Fail(e.status());
    }
    return 2;
}
