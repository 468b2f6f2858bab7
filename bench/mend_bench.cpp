// mend_bench: planning each mending from a whole check's findings, as the check window's buttons
// do: a fresh check of the mending's kinds and the scans that find the records to change.
//   mend_bench FOLDER [RUNS]        only reads: the catalogue is opened read-only
//   mend_bench COPY renumber        every 100th track loses its number, then the renumbering of
//                                   every source concerned is planned and run (changes COPY)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/catalogue_mend.h"
#include "store/record_edit.h"
#include "store/table_error.h"

namespace {

std::vector<CheckFinding> AllFindings(Catalogue& catalogue) {
    std::vector<CheckFinding> findings;
    for (const CheckGroup& group : CheckCatalogue(catalogue).groups)
        findings.insert(findings.end(), group.findings.begin(), group.findings.end());
    return findings;
}

void BenchRenumber(const std::string& folder) {
    Catalogue catalogue(folder);
    catalogue.OpenIndexes();
    TTable& tracks = catalogue.dm1.ArtTable;
    std::vector<uint32_t> spoilt;
    for (uint32_t recno = 1; recno <= tracks.table().recordCount(); recno += 100)
        spoilt.push_back(recno);
    const xbase::FieldDef& track = tracks.Field("TRACK");
    RewriteRecords(tracks, spoilt,
                   [&](size_t, uint8_t* record) { return xbase::SetText(record, track, "0"); });
    const std::vector<CheckFinding> findings = AllFindings(catalogue);
    auto start = std::chrono::steady_clock::now();
    const MendPlan plan = PlanMend(catalogue, MendKind::RenumberTracks, findings);
    const double planned = Ms(start);
    start = std::chrono::steady_clock::now();
    const MendOutcome outcome = RunMend(catalogue, plan);
    const double ran = Ms(start);
    std::printf("tracks without number: %zu, changes: %zu (%llu written%s)\n", spoilt.size(),
                plan.changes.size(), static_cast<unsigned long long>(outcome.changed),
                outcome.refusal.empty() && !outcome.failure ? "" : ", FAILED");
    std::printf("plan: %.0f ms, run: %.0f ms\n", planned, ran);
    std::set<CheckKind> off(std::begin(kAllCheckKinds), std::end(kAllCheckKinds));
    off.erase(CheckKind::TrackNumbers);
    const CatalogueCheck after = CheckCatalogue(catalogue, off);
    std::printf("track-number findings left: %zu\n",
                after.empty() ? size_t(0) : after.groups[0].findings.size());
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: mend_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    SetWorkDir(folder);
    try {
        if (argc > 2 && std::string(argv[2]) == "renumber") {
            BenchRenumber(folder);
            return 0;
        }
        Catalogue catalogue(folder, Catalogue::Access::ReadOnly);
        catalogue.OpenIndexes();
        const std::vector<CheckFinding> findings = AllFindings(catalogue);
        std::printf("tracks: %llu, findings: %zu\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()),
                    findings.size());
        for (const MendKind kind : kAllMendKinds) {
            std::vector<double> wall;
            MendPlan plan;
            for (int run = 0; run < runs; ++run) {
                const auto start = std::chrono::steady_clock::now();
                plan = PlanMend(catalogue, kind, findings);
                wall.push_back(Ms(start));
            }
            std::printf("%s: %zu change(s)\n", MendTitle(kind).c_str(), plan.changes.size());
            ReportRuns(("plan: " + MendTitle(kind)).c_str(), wall);
        }
    } catch (const TableError& error) {
        std::fprintf(stderr, "mend_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
