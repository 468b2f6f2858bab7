// print_bench: the track report by artist over a whole catalogue, as the preview and the PDF
// output run it: counting the pages, drawing page 1 and a late page at 100 %, writing a PDF of
// the first N tracks, and the peak resident memory. The catalogue is only read.
//   print_bench FOLDER [PDF_TRACKS] [PDF]     defaults: 100000, /tmp/print_bench.pdf
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "base/work_dir.h"
#include "platform/report/report_engine.h"
#include "print/report_layouts.h"
#include "print/report_runner.h"
#include "store/catalogue.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

long PeakKb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

double Draw(report::ReportEngine& engine, int page) {
    QImage image(1123, 794, QImage::Format_RGB32);  // A4 landscape at 96 dpi: 100 %
    image.fill(Qt::white);
    QPainter painter(&image);
    const auto start = Clock::now();
    const tunelo::Status s = engine.DrawPage(&painter, page, QRectF(image.rect()));
    if (!s.ok())
        std::fprintf(stderr, "page %d: %s\n", page, s.ToString().c_str());
    return Seconds(start);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: print_bench FOLDER [PDF_TRACKS] [PDF]\n");
        return 2;
    }
    SetWorkDir(argv[1]);
    const std::uint64_t pdfTracks = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 100000;
    const QString pdf = argc > 3 ? argv[3] : "/tmp/print_bench.pdf";
    Catalogue catalogue(argv[1]);
    catalogue.OpenIndexes();
    TTableAccess& tracks = catalogue.dm1.ArtAccess;
    tracks.SetOrder(1);
    tracks.GoTop();

    // The preview: page 1 shows once the first pages are counted (as the preview window does);
    // the rest is counted while it shows, then pages are drawn as they are chosen.
    ReportDesign design = TPrnData1Layout("Artist");
    design.records.count = tracks.Count();
    auto start = Clock::now();
    TableReportSource source(catalogue.dm1.ArtTable, design.records);
    report::ReportEngine engine(design.layout, &source);
    tunelo::Status counted = engine.CountPages(2);
    const double firstCount = Seconds(start);
    const double first = Draw(engine, 1);
    start = Clock::now();
    if (counted.ok())
        counted = engine.Paginate();
    const double paginate = Seconds(start);
    const double late = Draw(engine, engine.pageCount() * 3 / 4);
    std::printf("tracks: %llu\npages: %d (%s)\n", (unsigned long long)engine.lineCount(),
                engine.pageCount(), counted.ToString().c_str());
    std::printf("preview page 1 shown: %.3f s (count 2 pages %.3f s, draw %.3f s)\n",
                firstCount + first, firstCount, first);
    std::printf("counting the rest while it shows: %.3f s\n", paginate);
    std::printf("preview page %d: %.3f s\n", engine.pageCount() * 3 / 4, late);

    ReportDesign part = TPrnData1Layout("Artist");
    part.records.count = pdfTracks;
    std::uint64_t lines = 0;
    start = Clock::now();
    const tunelo::Status written = WriteReportFile(part, catalogue.dm1.ArtTable, pdf, &lines);
    std::printf("pdf of %llu tracks: %.2f s (%s)\n", (unsigned long long)lines, Seconds(start),
                written.ToString().c_str());
    std::printf("peak resident: %ld MB\n", PeakKb() / 1024);
    return counted.ok() && written.ok() ? 0 : 1;
}
