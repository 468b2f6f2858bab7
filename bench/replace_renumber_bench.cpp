// replace_renumber_bench: search and replace and renumbering on a big catalogue.
//   replace_renumber_bench FOLDER replace   every 100th track gets the keyword "Benchmark"
//                                           (once), then "Benchmark" is replaced everywhere
//   replace_renumber_bench FOLDER renumber  10,000 main titles of carrier CD are added (once),
//                                           then the carrier is renumbered from 100001
// The folder is changed: give it a copy.
#include <chrono>
#include <cstdio>
#include <string>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "store/catalogue.h"
#include "store/field_replace.h"
#include "store/record_edit.h"
#include "store/source_key.h"
#include "store/source_renumbering.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;
constexpr uint32_t kEvery = 100;
constexpr int64_t kSources = 10000;

double Seconds(Steady::time_point since) {
    return Ms(since) / 1e3;
}

double CpuSeconds() {
    return CpuMs() / 1e3;
}

void MarkTracks(Catalogue& catalogue) {
    TTable& art = catalogue.dm1.ArtTable;
    const xbase::FieldDef& keyword = art.Field("TREF");
    std::vector<uint32_t> recnos;
    for (uint32_t recno = kEvery; recno <= art.table().recordCount(); recno += kEvery)
        recnos.push_back(recno);
    RewriteRecords(art, recnos, [&](size_t, uint8_t* record) {
        return xbase::SetText(record, keyword, "Benchmark");
    });
    art.Sync();
}

void AddTitles(Catalogue& catalogue) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(4);
    TTable& hf = catalogue.dm2.HfTable;
    for (int64_t number = 1; number <= kSources; ++number) {
        if (titles.Seek(SourceSeekKey("CD", number)))
            continue;
        hf.Insert();
        hf.SetFieldAsString("DRAGER", "CD");
        hf.SetFieldAsInteger("CDNUMMER", number);
        hf.SetFieldAsString("HTITEL", "Bench " + std::to_string(number));
        hf.Post();
    }
    hf.Sync();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: replace_renumber_bench FOLDER replace|renumber\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::string what = argv[2];
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        if (what == "replace") {
            auto start = Steady::now();
            MarkTracks(catalogue);
            std::printf("marking every %uth track: %.2f s\n", kEvery, Seconds(start));
            ReplaceRequest request;
            request.search = "Benchmark";
            request.replacement = "Checked";
            uint64_t examined = 0;
            start = Steady::now();
            const double cpu = CpuSeconds();
            const ReplaceOutcome outcome =
                RunReplace(catalogue, request, ReadReplaceFlags(), nullptr,
                           [&examined](uint64_t count) { examined = count; });
            std::printf(
                "replace over All: %llu records examined, %llu fields replaced, %.2f s "
                "(processor %.2f s)\n",
                static_cast<unsigned long long>(examined),
                static_cast<unsigned long long>(outcome.replaced), Seconds(start),
                CpuSeconds() - cpu);
        } else if (what == "renumber") {
            auto start = Steady::now();
            AddTitles(catalogue);
            std::printf("adding %lld main titles: %.2f s\n", static_cast<long long>(kSources),
                        Seconds(start));
            start = Steady::now();
            double cpu = CpuSeconds();
            const RenumberPlan plan = PlanRenumber(catalogue, "CD", 100001, false);
            size_t tracks = 0;
            for (const SourceMove& move : plan.moves)
                tracks += move.tracks.size();
            std::printf("plan: %zu sources, %zu tracks, %.2f s (processor %.2f s) %s\n",
                        plan.moves.size(), tracks, Seconds(start), CpuSeconds() - cpu,
                        plan.refusal.c_str());
            start = Steady::now();
            cpu = CpuSeconds();
            RunRenumber(catalogue, plan, nullptr);
            std::printf("run: %.2f s (processor %.2f s)\n", Seconds(start), CpuSeconds() - cpu);
        }
    } catch (const TableError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
