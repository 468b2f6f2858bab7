// quick_find_bench: the main window's quick find on a big catalogue, typed key by key offscreen.
// For each keystroke it measures from the key to the first hits listed and painted (or to "Not
// found"), and to the end of that keystroke's find. Reads the catalogue only; the frame's own
// settings come from an empty temporary folder.
//   quick_find_bench FOLDER [RUNS] [WORD...]
#include <time.h>
#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "search/quick_find_box.h"
#include "shell/main_form.h"
#include "store/catalogue.h"
#include "store/table_error.h"

namespace {

using Steady = std::chrono::steady_clock;

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s: %zu keystrokes, min %.1f ms, median %.1f ms, p90 %.1f ms, max %.1f ms\n", what,
                times.size(), times.front(), times[times.size() / 2], times[times.size() * 9 / 10],
                times.back());
}

void Key(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quick_find_bench FOLDER [RUNS] [WORD...]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    std::vector<QString> words;
    for (int i = 3; i < argc; ++i)
        words.push_back(QString::fromLocal8Bit(argv[i]));
    if (words.empty())  // common and rare parts of the generated names, and one found nowhere
        words = {"love", "blue world", "benuel", "tears", "qx"};
    QTemporaryDir settings;
    SetWorkDir(settings.path().toStdString());
    try {
        Catalogue catalogue(folder);
        catalogue.OpenIndexes();
        TMainForm form(nullptr);  // the frame alone: no start-up checks on the catalogue
        auto* box = new QuickFindBox(form, catalogue);
        form.resize(1280, 800);
        form.show();
        QApplication::processEvents();
        box->Focus();
        QApplication::processEvents();
        std::printf("tracks: %u, main titles: %u\n", catalogue.dm1.ArtTable.table().recordCount(),
                    catalogue.dm2.HfTable.table().recordCount());

        std::vector<double> first, done, firstCpu, doneCpu;
        for (int run = 0; run < runs; ++run) {
            for (const QString& word : words) {
                box->edit()->clear();
                QApplication::processEvents();
                for (const QChar c : word) {
                    const auto start = Steady::now();
                    const double startCpu = CpuMs();
                    Key(box->edit(), c.isLetter() ? c.toUpper().unicode() : c.unicode(), c);
                    // The first hits count once they are listed and painted; a find that ends
                    // without hits counts when it says so.
                    while (box->list()->model()->rowCount() == 0 && box->finding())
                        QApplication::processEvents();
                    box->list()->viewport()->repaint();
                    first.push_back(Ms(start));
                    firstCpu.push_back(CpuMs() - startCpu);
                    while (box->finding())
                        QApplication::processEvents();
                    done.push_back(Ms(start));
                    doneCpu.push_back(CpuMs() - startCpu);
                    if (run == 0)
                        std::printf(
                            "\"%s\": %d rows, first %.1f ms (cpu %.1f), done %.1f ms "
                            "(cpu %.1f)\n",
                            box->edit()->text().toLocal8Bit().constData(),
                            box->list()->model()->rowCount(), first.back(), firstCpu.back(),
                            done.back(), doneCpu.back());
                }
            }
        }
        Report("keystroke to first hits painted, wall", first);
        Report("keystroke to first hits painted, processor", firstCpu);
        Report("keystroke to find done, wall", done);
        Report("keystroke to find done, processor", doneCpu);
    } catch (const TableError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
