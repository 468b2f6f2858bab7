// report_bench: the report engine on synthetic track lines. Counts the pages, draws page 1 and
// a late page as the preview does (an image at 100 %), writes the whole report as a PDF and
// prints the peak resident memory.
//   report_bench [LINES] [PDF]     defaults: 100000 lines, /tmp/report_bench.pdf; a PDF of "-"
//                                  writes none (for counting and drawing a million lines)
#include <sys/resource.h>
#include <QDate>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/report/report_engine.h"
#include "platform/report/report_output.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Processor time of this process (user and system), which a busy machine does not stretch.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
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

// Track lines made up from their row number, so that nothing is held in memory.
class SyntheticTracks : public report::ReportSource {
public:
    explicit SyntheticTracks(std::uint64_t count) : count_(count) {}
    std::uint64_t Position() override { return row_; }
    void Seek(std::uint64_t position) override { row_ = position; }
    bool Skip(double* amount) override {
        if (row_ >= count_)
            return false;
        *amount = double(row_++ % 1000) / 100;
        return true;
    }
    bool Next(report::ReportRecord* record) override {
        const std::uint64_t row = row_;
        double amount = 0;
        if (!Skip(&amount))
            return false;
        const QString n = QString::number(row);
        record->values = {QStringLiteral("Artist of the long name number ") + n,
                          QStringLiteral("A title that goes on and on for track ") + n,
                          QStringLiteral("CD"),
                          QString::number(row / 12 + 1),
                          QString::number(row % 12 + 1),
                          QString::number(row % 9 + 1),
                          QStringLiteral("%1").arg(row % 60, 2, 10, QLatin1Char('0')),
                          QString::number(1960 + row % 60)};
        record->amount = amount;
        return true;
    }

private:
    std::uint64_t count_;
    std::uint64_t row_ = 0;
};

report::ReportLayout TrackLayout() {
    using report::Align;
    using report::BandItem;
    report::ReportLayout layout;
    layout.title = QStringLiteral("Artist");
    layout.date = QDate(2026, 12, 6);
    layout.headers = {BandItem::Text("Artist", 0, 0),   BandItem::Text("Title", 310, 0),
                      BandItem::Text("Source", 681, 0), BandItem::Text("Nr.", 800, 0),
                      BandItem::Text("Track", 853, 0),  BandItem::Text("Track time", 920, 0),
                      BandItem::Text("Year", 995, 0)};
    layout.detail = {BandItem::Field(0, 0, 303),
                     BandItem::Field(1, 310, 300),
                     BandItem::Field(2, 681, 90),
                     BandItem::Field(3, 769, 60, Align::kRight),
                     BandItem::Field(4, 853, 34, Align::kRight),
                     BandItem::Field(5, 922, 20, Align::kRight),
                     BandItem::Text(":", 943, 5),
                     BandItem::Field(6, 947, 20),
                     BandItem::Field(7, 975, 40, Align::kRight)};
    layout.footer = {BandItem::Text("Total", 600, 80), BandItem::Sum(690, 150)};
    return layout;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const std::uint64_t lines = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000;
    const QString pdf =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/tmp/report_bench.pdf");
    SyntheticTracks tracks(lines);
    report::ReportEngine engine(TrackLayout(), &tracks);

    auto t = Clock::now();
    tunelo::Status s = engine.Paginate();
    std::printf("count %llu lines: %.3f s, %d pages\n", static_cast<unsigned long long>(lines),
                Seconds(t), engine.pageCount());
    // The preview's image at 100 % on a 96 dpi screen.
    QImage image(1123, 794, QImage::Format_RGB32);
    for (int page : {1, std::max(1, engine.pageCount() - 1)}) {
        image.fill(Qt::white);
        t = Clock::now();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        if (s.ok())
            s = engine.DrawPage(&painter, page, QRectF(image.rect()));
        std::printf("draw page %d at 100 %%: %.3f s\n", page, Seconds(t));
    }
    if (pdf != QStringLiteral("-")) {
        t = Clock::now();
        const double cpu = CpuSeconds();
        if (s.ok())
            s = report::WriteReportPdf(&engine, pdf, QStringLiteral("Artist"));
        std::printf("PDF of %d pages: %.3f s (processor time %.3f s)\n", engine.pageCount(),
                    Seconds(t), CpuSeconds() - cpu);
    }
    std::printf("peak resident memory: %.1f MB\n", PeakKb() / 1024.0);
    if (!s.ok()) {
        std::fprintf(stderr, "report_bench: %s\n", s.ToString().c_str());
        return 2;
    }
    return 0;
}
