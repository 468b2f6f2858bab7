// check_form_bench: the "Check the catalogue" window on a whole catalogue, offscreen, every kind
// ticked: from Check pressed (the check behind its progress window) to the list filled and
// painted.
//   check_form_bench FOLDER [RUNS]
// Only reads: the catalogue is opened read-only.
#include <sys/resource.h>

#include <QApplication>
#include <QTreeView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "overview/check_catalogue_form.h"
#include "store/catalogue.h"
#include "store/table_error.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: check_form_bench FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder, Catalogue::Access::ReadOnly);
        catalogue.OpenIndexes();
        TCheckCatalogueForm form(catalogue);
        form.resize(1000, 700);
        form.show();
        QApplication::processEvents();
        std::vector<double> wall, cpu;
        int findings = 0;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const double cpuStart = CpuMs();
            form.CheckClick();
            form.repaint();
            QApplication::processEvents();
            wall.push_back(Ms(start));
            cpu.push_back(CpuMs() - cpuStart);
            findings = 0;
            const QAbstractItemModel* model = form.findings()->model();
            for (int i = 0; i < model->rowCount(); ++i)
                findings += model->rowCount(model->index(i, 0));
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("tracks: %llu, main titles: %llu, findings listed: %d\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()),
                    static_cast<unsigned long long>(catalogue.dm2.HfAccess.Count()), findings);
        ReportRuns("Check pressed to list shown (wall)", wall);
        ReportRuns("Check pressed to list shown (processor)", cpu);
        std::printf("peak memory: %ld MB\n", usage.ru_maxrss / 1024);
    } catch (const TableError& error) {
        std::fprintf(stderr, "check_form_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
