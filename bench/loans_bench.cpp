// loans_bench: how the loan register feels with many loans. Adds loans to the catalogue folder
// given on the command line until it holds LOANS (half of them due), then measures the due check
// from its call to its list shown, and the loan list from its creation to its first paint, both
// offscreen through the screens themselves.
//   loans_bench FOLDER [LOANS] [RUNS]
// The folder is changed (loans are added): give it a copy.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "loans/loan_commands.h"
#include "loans/loan_records.h"
#include "loans/uit_leen_drg.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;

// Processor time of the process, so that a busy machine's waiting can be told from the work.
double CpuMs(std::clock_t since) {
    return 1000.0 * double(std::clock() - since) / CLOCKS_PER_SEC;
}

// Loans of many borrowers; every other one was due a while ago, the rest fall due in the future.
void AddLoans(Catalogue& catalogue, int wanted) {
    static const char* const names[] = {"Anna Jansen", "Bert de Vries", "Carla Smit",
                                        "Dirk Bakker", "Eva Visser",    "Frank Mulder",
                                        "Greta Bos",   "Henk Peters",   "Ilse Dekker"};
    TTableAccess& loans = catalogue.dm3.UitleenAccess;
    TTable& table = catalogue.dm3.UitleenTable;
    const TTableEnv& env = table.env();
    const xbase::Date today = Today();
    for (int i = int(loans.Count()); i < wanted; ++i) {
        const xbase::Date out = AddDays(today, -(i % 90));
        LoanFields loan;
        loan.carrier = TableText(i % 3 == 0 ? "LP" : "CD");
        loan.number = 1 + i % 80000;
        loan.name = TableText(std::string(names[size_t(i) % std::size(names)]) + " " +
                              std::to_string(i % 700));
        loan.loanDate = env.FormatDate(out);
        loan.dueDate = env.FormatDate(AddDays(out, i % 2 == 0 ? 0 : 30 + i % 60));
        table.Insert();
        table.SetFieldAsString("DRAGER", loan.carrier.bytes());
        table.SetFieldAsInteger("CDNUMMER", loan.number);
        table.SetFieldAsString("AANWIE", loan.name.bytes());
        table.SetFieldAsString("UITDATUM", loan.loanDate);
        table.SetFieldAsString("TERDATUM", loan.dueDate);
        table.Post();
    }
    table.Sync();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: loans_bench FOLDER [LOANS] [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int wanted = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 10;
    SetWorkDir(folder);
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        AddLoans(catalogue, wanted);
        std::printf("tracks: %llu, loans: %llu\n",
                    static_cast<unsigned long long>(catalogue.dm1.ArtAccess.Count()),
                    static_cast<unsigned long long>(catalogue.dm3.UitleenAccess.Count()));

        std::vector<double> check, list, checkCpu, listCpu;
        for (int run = 0; run < runs; ++run) {
            const Steady::time_point start = Steady::now();
            const std::clock_t startCpu = std::clock();
            double shown = 0, shownCpu = 0;
            // Runs inside the list's own event loop, once it is on the screen.
            QTimer::singleShot(0, [&] {
                shown = Ms(start);
                shownCpu = CpuMs(startCpu);
                if (QWidget* modal = QApplication::activeModalWidget())
                    modal->close();
            });
            if (!CheckDueLoans(catalogue, nullptr, false)) {
                std::fprintf(stderr, "loans_bench: no loan is due\n");
                return 1;
            }
            check.push_back(shown);
            checkCpu.push_back(shownCpu);

            const Steady::time_point opening = Steady::now();
            const std::clock_t openingCpu = std::clock();
            auto* screen = new TUitLeenDrg(catalogue);
            screen->show();
            QApplication::processEvents();
            list.push_back(Ms(opening));
            listCpu.push_back(CpuMs(openingCpu));
            delete screen;
        }
        ReportRuns("due check, list filled and shown", check);
        ReportRuns("loan list opened and painted", list);
        ReportRuns("due check, processor time", checkCpu);
        ReportRuns("loan list, processor time", listCpu);
    } catch (const TableError& error) {
        std::fprintf(stderr, "loans_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
