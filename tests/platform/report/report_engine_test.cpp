// The report engine's output read back from the PDF it writes (pdftotext): the lines of each
// page, the page count, the running sum, column positions, the left margin, cut texts, and
// pages drawn out of order from their positions, a printer's page range, a stopped run.
#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QRegularExpression>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "platform/report/report_engine.h"
#include "platform/report/report_output.h"
#include "support/pdf_text.h"
#include "test_util.h"

namespace report {
namespace {

// Rows 0..count-1; every third row is left out, so positions and line numbers differ.
class Rows : public ReportSource {
public:
    explicit Rows(std::uint64_t count, QString longArtist = {})
        : count_(count), longArtist_(std::move(longArtist)) {}
    std::uint64_t Position() override { return row_; }
    void Seek(std::uint64_t position) override { row_ = position; }
    bool Next(ReportRecord* record) override {
        while (row_ < count_ && row_ % 3 == 2)
            ++row_;
        if (row_ >= count_)
            return false;
        const std::uint64_t r = row_++;
        record->values = {
            r == 0 && !longArtist_.isEmpty() ? longArtist_ : QStringLiteral("Artist %1").arg(r),
            QStringLiteral("Title %1").arg(r), QString::number(r * 1000), QString::number(r % 10),
            QStringLiteral("%1").arg(r % 60, 2, 10, QChar('0'))};
        record->amount = 0.25;
        return true;
    }

private:
    std::uint64_t count_, row_ = 0;
    QString longArtist_;
};

ReportLayout Layout() {
    ReportLayout layout;
    layout.title = "Playlist";
    layout.date = QDate(2026, 12, 6);
    layout.headers = {BandItem::Text("Artist", 0, 0), BandItem::Text("Title", 310, 0),
                      BandItem::Text("Nr.", 800, 0), BandItem::Text("Time", 900, 0)};
    layout.detail = {BandItem::Field(0, 0, 300),
                     BandItem::Field(1, 310, 300),
                     BandItem::Field(2, 769, 60, Align::kRight),
                     BandItem::Field(3, 900, 20, Align::kRight),
                     BandItem::Text(":", 921, 5),
                     BandItem::Field(4, 927, 20)};
    layout.footer = {BandItem::Text("Running", 500, 80), BandItem::Sum(600, 150)};
    return layout;
}

std::string Write(ReportEngine* engine, const testutil::TempDir& dir, const char* name) {
    const std::string pdf = dir.File(name);
    EXPECT_TRUE(engine->Paginate().ok());
    const tunelo::Status s = WriteReportPdf(engine, QString::fromStdString(pdf), "Playlist");
    EXPECT_TRUE(s.ok()) << s.ToString();
    return pdf;
}

TEST(ReportEngineTest, PagesHoldTheirLinesSumsAndFrame) {
    const int perPage = PageGeometry::LinesPerPage();
    // 1.5 pages of lines (every third row left out), an empty report, and a line limit.
    const int lines = perPage + perPage / 2, rows = lines * 3 / 2;
    const QString running = "Running\\s+%1\\s+Page: %2";
    struct Case {
        std::uint64_t rows, maxLines;
        bool summary;
        QString description;
        int pages;
        QStringList expected;  // "<page> <pattern>" on that page; "0 <pattern>" on none
    };
    const Case cases[] = {
        {std::uint64_t(rows), 0, false, "Summer songs", 2,
         QStringList{
             "1 Playlist", "1 Date:\\s+06-12-2026", "1 Description:\\s+Summer songs",
             "1 Artist\\s+Title\\s+Nr.\\s+Time", "1 Artist 0\\s+Title 0\\s+0\\s+0:\\s?00\\n",
             "1 Artist 4\\s+Title 4\\s+4000\\s+4:\\s?04\\n", "2 Description:\\s+Summer songs",
             "0 Artist 2\\s", QStringLiteral("2 Artist %1\\s").arg(rows - 1),
             "1 " + running.arg(perPage * 0.25, 0, 'f', 2).arg(1),
             "2 " + running.arg(lines * 0.25, 0, 'f', 2).arg(2)}},
        {0, 0, true, "  ", 1, {"1 Artist\\s+Title", "1 Total\\s+0.00", "0 Description:"}},
        {100, 3, true, "", 1, {"1 Artist 3\\s", "1 Total\\s+0.75", "0 Artist 4\\s"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        testutil::TempDir dir;
        ReportLayout layout = Layout();
        layout.description = c.description;
        layout.maxLines = c.maxLines;
        if (c.summary)
            layout.summary = {BandItem::Text("Total", 600, 80), BandItem::Sum(690, 150)};
        Rows source(c.rows);
        ReportEngine engine(layout, &source);
        const QStringList pages = testutil::PdfPages(Write(&engine, dir, "r.pdf"));
        ASSERT_EQ(pages.size(), c.pages);
        EXPECT_EQ(engine.pageCount(), c.pages);
        for (const QString& e : c.expected) {
            const int page = e.section(' ', 0, 0).toInt();
            const QRegularExpression pattern(e.section(' ', 1));
            EXPECT_EQ((page > 0 ? pages[page - 1] : pages.join("")).contains(pattern), page > 0)
                << e.toStdString() << " in:\n"
                << pages.join("").toStdString();
        }
    }
}

TEST(ReportEngineTest, ColumnsSitAtTheirPositionsShiftedByTheMargin) {
    const QString longArtist = "Averyveryverylongnamethatgoesonandonandonwithoutend";
    // Band units in millimetres: 277 mm across 1200 units, 257 mm with a 20 mm margin.
    const auto x = [](double margin, int units) {
        return 10 + margin + units * (277 - margin) / 1200;
    };
    // pdftotext boxes single words: every box of `word` starts (or, right-aligned, ends) at
    // the column's edge.
    const struct {
        const char* word;
        int edge;  // band units
        bool right;
        size_t count;                       // boxes of the word on the page
    } placed[] = {{"Artist", 0, false, 2},  // the caption and the second line
                  {"Title", 310, false, 3},
                  {"Nr.", 800, false, 1},
                  {"1000", 769 + 60, true, 1}};
    for (double margin : {0.0, 20.0}) {
        SCOPED_TRACE("margin " + std::to_string(margin));
        testutil::TempDir dir;
        ReportLayout layout = Layout();
        layout.leftMarginMm = margin;
        Rows source(2, longArtist);
        ReportEngine engine(layout, &source);
        const std::multimap<QString, testutil::PdfWord> words =
            testutil::PdfWords(Write(&engine, dir, "m.pdf"));
        for (const auto& p : placed) {
            SCOPED_TRACE(p.word);
            const auto [from, to] = words.equal_range(p.word);
            EXPECT_EQ(size_t(std::distance(from, to)), p.count);
            for (auto w = from; w != to; ++w)
                EXPECT_NEAR(p.right ? w->second.right : w->second.left, x(margin, p.edge), 0.5);
        }
        // The long artist is cut at its column's edge, close to it, and marked; the title beside
        // it stays.
        const auto cut = std::find_if(words.begin(), words.end(), [&](const auto& w) {
            return w.first.size() > 10 && longArtist.startsWith(w.first.chopped(1));
        });
        ASSERT_NE(cut, words.end());
        EXPECT_TRUE(cut->first.endsWith(QChar(0x2026))) << cut->first.toStdString();
        EXPECT_LT(cut->first.size(), longArtist.size());
        EXPECT_LE(cut->second.right, x(margin, 300) + 0.2);
        EXPECT_GT(cut->second.right, x(margin, 300) - 5);
    }
}

TEST(ReportEngineTest, PagesDrawnOutOfOrderMatchThePagesInOrder) {
    testutil::TempDir dir;
    Rows source(PageGeometry::LinesPerPage() * 6);  // four pages of kept rows
    ReportEngine engine(Layout(), &source);
    const QStringList inOrder = testutil::PdfPages(Write(&engine, dir, "in.pdf"));
    ASSERT_EQ(inOrder.size(), 4);
    // A second engine over the same rows draws the last page first, counting only as it needs.
    Rows again(PageGeometry::LinesPerPage() * 6);
    ReportEngine uncounted(Layout(), &again);
    const std::string reversed = dir.File("out.pdf");
    {
        QPdfWriter writer(QString::fromStdString(reversed));
        writer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&writer);
        for (int page = 4; page >= 1; --page) {
            if (page < 4)
                writer.newPage();
            EXPECT_TRUE(
                uncounted.DrawPage(&painter, page, QRectF(0, 0, writer.width(), writer.height()))
                    .ok());
        }
    }
    EXPECT_TRUE(uncounted.counted());
    QStringList outOfOrder = testutil::PdfPages(reversed);
    std::reverse(outOfOrder.begin(), outOfOrder.end());
    EXPECT_EQ(outOfOrder, inOrder);
    EXPECT_FALSE(engine.DrawPage(nullptr, 5, {}).ok());

    // A printer prints its page range, each page scaled to its paper.
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("printed.pdf")));
    printer.setFromTo(2, 3);
    ASSERT_TRUE(PrintReport(&engine, &printer).ok());
    EXPECT_EQ(testutil::PdfPages(dir.File("printed.pdf")), inOrder.mid(1, 2));
}

std::string Read(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(none)";
}

// Hidden files that a run left beside its target.
int Leftovers(const std::string& folder) {
    int found = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        found += entry.path().filename().string().starts_with('.');
    return found;
}

// A PDF that cannot be written or is stopped leaves its target as it was and says why; one that
// is written replaces the target whole, keeping its mode, and leaves nothing beside it. (The
// catalogue's own files as targets: print_reports_test.)
TEST(ReportOutputTest, TheTargetIsReplacedOnlyByACompleteReport) {
    using P = std::filesystem::perms;
    testutil::TempDir dir;
    Rows source(60);
    ReportEngine engine(Layout(), &source);
    ASSERT_TRUE(engine.Paginate().ok());
    const std::string old = dir.File("old.pdf");
    std::filesystem::create_directory(dir.File("folder"));
    std::atomic<bool> cancel{false};
    const ReportRun stop{[&](std::uint64_t, std::uint64_t) { cancel = true; }, &cancel};
    const struct {
        std::string target;
        P mode;  // of old.pdf
        ReportRun run;
        std::string why;  // "" when written
    } cases[] = {
        {dir.File("none/x.pdf"), P(0600), {}, "no such folder"},
        {dir.File("folder"), P(0600), {}, "is a folder"},
        {old, P(0400), {}, "the file is read-only"},
        {old, P(0600), stop, kStopped},
        {old, P(0600), {}, ""},
    };
    for (const auto& c : cases) {
        std::error_code ignored;
        std::filesystem::permissions(old, P(0600), std::filesystem::perm_options::replace, ignored);
        std::ofstream(old) << "old";
        std::filesystem::permissions(old, c.mode);
        cancel = false;
        const tunelo::Status s =
            WriteReportPdf(&engine, QString::fromStdString(c.target), "", c.run);
        EXPECT_NE(s.message().find(c.why), std::string::npos) << s.ToString();
        EXPECT_EQ(Leftovers(dir.path().string()), 0) << c.target;
        if (c.why.empty()) {
            EXPECT_EQ(testutil::PdfPages(old).size(), engine.pageCount());
            EXPECT_EQ(std::filesystem::status(old).permissions(), c.mode);
        } else {
            EXPECT_EQ(Read(old), "old") << c.target;
        }
    }

    // A full disk: the report does not fit beside the old one.
    const std::optional<std::string> full = testutil::InOwnMount(dir.File("folder"), 8192, [&] {
        std::ofstream(dir.File("folder/old.pdf")) << "old";
        const tunelo::Status s =
            WriteReportPdf(&engine, QString::fromStdString(dir.File("folder/old.pdf")), "");
        return s.message() + "|" + Read(dir.File("folder/old.pdf")) + "|" +
               std::to_string(Leftovers(dir.File("folder")));
    });
    if (!full)
        GTEST_SKIP() << "no mounts on this machine";
    EXPECT_EQ(*full, "no space left on the disk|old|0");
}

}  // namespace
}  // namespace report
