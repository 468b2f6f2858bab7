// similar_bench: the entry screen's "Already in the catalogue" notice on a big catalogue. Reads
// the main titles into SimilarSources as the screen does once it is shown, then types the main
// artists of sample sources keystroke by keystroke after their titles, one look-up per keystroke.
//   similar_bench FOLDER [RUNS] [SAMPLES]
// Only reads: the catalogue is opened read-only.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "store/catalogue.h"
#include "store/record_field.h"
#include "store/similar_sources.h"
#include "store/table_error.h"

namespace {

struct TypedSource {
    uint32_t recno;
    std::string title, artist;
};

// SAMPLES main titles spread evenly over the table, as stored.
std::vector<TypedSource> Samples(const xbase::Table& table, int samples) {
    const RecordField title(table, "HTITEL"), artist(table, "HOOFDART");
    const uint32_t count = table.recordCount();
    const uint32_t step = std::max<uint32_t>(1, count / uint32_t(std::max(samples, 1)));
    std::vector<uint8_t> record(table.recordLength());
    std::vector<TypedSource> picked;
    for (uint32_t recno = 1; recno <= count && int(picked.size()) < samples; recno += step) {
        ThrowIfError(table.ReadRecord(recno, record.data()));
        picked.push_back({recno, std::string(title.Trimmed(record.data())),
                          std::string(artist.Trimmed(record.data()))});
    }
    return picked;
}

void ReportKeystrokes(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%s: %zu keystrokes, median %.4f ms, p99 %.4f ms, max %.4f ms\n", what, ms.size(),
                ms[ms.size() / 2], ms[ms.size() * 99 / 100], ms.back());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: similar_bench FOLDER [RUNS] [SAMPLES]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const int samples = argc > 3 ? std::atoi(argv[3]) : 2000;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder, Catalogue::Access::ReadOnly);
        catalogue.OpenIndexes();
        TTable& titles = catalogue.dm2.HfTable;
        std::printf("tracks: %llu, main titles: %u\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()),
                    titles.table().recordCount());

        std::vector<double> wall, cpu;
        size_t known = 0;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = CpuMs();
            SimilarSources sources(titles);
            wall.push_back(Ms(start));
            cpu.push_back(CpuMs() - cpuStart);
            known = sources.size();
        }
        std::printf("main titles read: %zu (%.1f MB of hashes)\n", known, double(known) * 16 / 1e6);
        ReportRuns("reading the main titles (wall)", wall);
        ReportRuns("reading the main titles (processor)", cpu);

        SimilarSources sources(titles);
        std::vector<double> keystrokes, misses, processor;
        size_t named = 0;
        for (const TypedSource& typed : Samples(titles.table(), samples)) {
            for (size_t n = 1; n <= typed.artist.size(); ++n) {
                const auto start = std::chrono::steady_clock::now();
                const double cpuStart = CpuMs();
                const size_t found = sources.Find(typed.title, typed.artist.substr(0, n), 0).size();
                processor.push_back(CpuMs() - cpuStart);
                (n == typed.artist.size() ? keystrokes : misses).push_back(Ms(start));
                if (n == typed.artist.size())
                    named += found > 0;
            }
        }
        ReportKeystrokes("keystroke that names a source (wall)", keystrokes);
        ReportKeystrokes("keystroke that names none (wall)", misses);
        // A shared machine stops the process now and then for a scheduler tick (4 ms); the
        // processor time is what the look-up itself costs.
        ReportKeystrokes("every keystroke (processor)", processor);
        std::printf("sources named: %zu of %zu\n", named, keystrokes.size());
    } catch (const TableError& error) {
        std::fprintf(stderr, "similar_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
