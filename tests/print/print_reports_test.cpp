// The reports read back from the PDF they write: print.ini's alignment and left margin, the
// count and the carrier filter, the preview's pages and its note of a missing field, the empty
// purchase report, and the command line.
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <filesystem>

#include "entry/editors_fixture.h"
#include "platform/report/page_geometry.h"
#include "platform/report/report_engine.h"
#include "platform/report/report_preview.h"
#include "print/report_command.h"
#include "print/report_layouts.h"
#include "print/report_runner.h"
#include "print/show_print_form.h"
#include "support/pdf_text.h"

namespace {

class PrintReportsTest : public EditorsTest {
protected:
    PrintReportsTest() {
        // Ten tracks of Singer 0..9; 1, 4 and 7 are on CD, the others on LP.
        for (int i = 0; i < 10; ++i) {
            Add(catalogue->dm1.ArtTable, {{"DRAGER", i % 3 == 1 ? "CD" : "LP"},
                                          {"CDNUMMER", std::to_string(i + 1)},
                                          {"ARTIEST", "Singer " + std::to_string(i)},
                                          {"TITEL", "Song"}});
        }
        AddSource("CD", 1, "Short");
        AddSource("CD", 2, "A much longer title");
    }

    std::string Pdf(ReportDesign design, TTable& table, std::uint64_t* lines = nullptr) {
        const std::string pdf = dir.File("report.pdf");
        std::uint64_t printed = 0;
        const tunelo::Status s =
            WriteReportFile(std::move(design), table, QString::fromStdString(pdf), &printed);
        EXPECT_TRUE(s.ok()) << s.ToString();
        if (lines != nullptr)
            *lines = printed;
        return pdf;
    }
    static std::string Bytes(const std::string& path) {
        QFile file(QString::fromStdString(path));
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
    }
    static void Section(const char* section, std::map<std::string, std::string> keys) {
        for (const auto& [key, value] : keys)
            WritePrintIni(section, key, value);
    }
};

TEST_F(PrintReportsTest, AlignmentAndMarginFollowPrintIni) {
    const struct {
        const char* align;
        int margin;
        bool right;
    } cases[] = {
        {"links", 0, false}, {"Links", 0, true}, {"rechts", 20, true}, {"links", 20, false}};
    double unitZero[2] = {0, 0};  // the caption at unit 0 without and with the margin
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.align) + " " + std::to_string(c.margin));
        Section("Marge", {{"LinkerMarge", std::to_string(c.margin)}});
        Section("Main title", {{"VeldOms1", "Caption"},
                               {"Oms1bp", "0"},
                               {"Veld1", ""},
                               {"Veld2", "HTITEL"},
                               {"Veld2bp", "400"},
                               {"Veld2w", "328"},
                               {"Veld2Align", c.align}});
        catalogue->dm2.HfAccess.SetOrder(0);
        catalogue->dm2.HfAccess.GoTop();
        const auto words = testutil::PdfWords(
            Pdf(RequestDesign({ReportKind::MainTitle, 2, false, "Main title", ""}),
                catalogue->dm2.HfTable));
        ASSERT_EQ(words.count("Short"), 1u);
        const testutil::PdfWord shortTitle = words.find("Short")->second;
        const testutil::PdfWord longTitle = words.find(c.right ? "title" : "A")->second;
        if (c.right)
            EXPECT_NEAR(shortTitle.right, longTitle.right, 0.3);
        else
            EXPECT_NEAR(shortTitle.left, longTitle.left, 0.3);
        unitZero[c.margin == 0 ? 0 : 1] = words.find("Caption")->second.left;
    }
    EXPECT_NEAR(unitZero[1] - unitZero[0], 20, 0.3);
}

TEST_F(PrintReportsTest, TheCountAndTheCarrierFilterChooseTheLines) {
    const struct {
        std::uint64_t count;
        const char* filter;
        QStringList singers;
    } cases[] = {{10, "CD", {"Singer 1", "Singer 4", "Singer 7"}},
                 {2, "cd", {"Singer 1", "Singer 4"}},
                 {3, "", {"Singer 0", "Singer 1", "Singer 2"}},
                 {10, "MC", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter);
        TTableAccess& tracks = catalogue->dm1.ArtAccess;
        tracks.SetOrder(1);
        tracks.GoTop();
        std::uint64_t lines = 0;
        const QString text = testutil::PdfPages(
            Pdf(RequestDesign({ReportKind::Track, c.count, false, "Artist", c.filter}),
                catalogue->dm1.ArtTable, &lines))[0];
        EXPECT_EQ(lines, uint64_t(c.singers.size()));
        for (const QString& singer : c.singers)
            EXPECT_TRUE(text.contains(singer)) << text.toStdString();
        EXPECT_EQ(tracks.RecNo(), 1u);  // the report walks with a cursor of its own
    }
}

TEST_F(PrintReportsTest, ThePreviewShowsPagesAndNamesAMissingField) {
    Section("Artist", {{"Titel", "By artist"},
                       {"Veld1", "ARTIEST"},
                       {"Veld1w", "300"},
                       {"Veld2", "NOSUCHFIELD"},
                       {"Veld2bp", "310"},
                       {"Veld2w", "300"}});
    catalogue->dm1.ArtAccess.SetOrder(1);
    catalogue->dm1.ArtAccess.GoTop();
    QString note;
    int pages = 0;
    QTimer poll;  // the preparation window comes first
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* form = qobject_cast<TShowPrintForm*>(QApplication::activeModalWidget());
        if (form == nullptr)
            return;
        poll.stop();
        note = form->statusLine()->text();
        pages = form->preview()->pageCount();
        EXPECT_FALSE(form->pageEdit()->isEnabled());  // one page only
        form->close();
    });
    poll.start(10);
    EXPECT_TRUE(RunReport(*catalogue, {ReportKind::Track, 10, true, "Artist", ""}, nullptr));
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(note.contains("Veld2") && note.contains("NOSUCHFIELD")) << note.toStdString();
}

TEST_F(PrintReportsTest, AnEmptyPurchaseReportPrintsAZeroTotalAndThenSaysSo) {
    // Without a printer the report is offered as PDF.
    ui.answers = {MsgAnswer::Yes};
    ui.files = {dir.File("purchases.pdf")};
    EXPECT_TRUE(PrintPurchases(*catalogue, nullptr));
    ASSERT_EQ(ui.MessageTexts().size(), 2u);
    EXPECT_EQ(ui.MessageTexts()[1], "No purchases were found.");
    EXPECT_EQ(ui.suggestedFiles.at(0), dir.File("Purchases.pdf"));
    const QString text = testutil::PdfPages(dir.File("purchases.pdf")).join("");
    EXPECT_TRUE(text.contains(QRegularExpression(R"(Total\s+0\.00)"))) << text.toStdString();
}

TEST_F(PrintReportsTest, TheCommandLineWritesAPdfOrSaysWhatItLacks) {
    std::filesystem::create_symlink(dir.File("artdat.dat"), dir.File("link.pdf"));
    const std::string table = Bytes(dir.File("artdat.dat"));
    const struct {
        const char *name, *text, *filter;
        int status;
        const char* error;
        const char* pdf = "cli.pdf";
    } cases[] = {
        {"artist", "sing", "cd", 0, ""},
        {"Artist", "zz", "", 1, "Artist \"zz\" not found.\n"},
        {"Artist", "", "MC", 1, "Nothing found with the filter setting \"MC\"\n"},
        {"Number", "CD 1-2", "", 0, ""},
        {"Number", "CD 5-3", "", 2, "The first number must be smaller then the second number.\n"},
        {"Number", "CD 1-99999999999999999999999", "", 2,
         "The number 99999999999999999999999 is out of range: source numbers run from 0 to "
         "999999999.\n"},
        {"Track time", "3:5", "", 2, "Please fill in the track time as M:SS.\n"},
        {"purchase", "", "", 1, "No purchases were found.\n"},
        {"Charts", "", "", 2, "There is no report \"Charts\".\n"},
        // The catalogue's own files, by any name: refused, and left as they are.
        {"artist", "sing", "", 1, "is a file of the catalogue", "artdat.dat"},
        {"artist", "sing", "", 1, "is a file of the catalogue", "ARTDAT.DAT"},
        {"artist", "sing", "", 1, "is a file of the catalogue", "link.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.text + " " + c.pdf);
        const QString pdf = QString::fromStdString(dir.File(c.pdf));
        const bool own = std::string(c.pdf) != "cli.pdf";
        QFile::remove(QString::fromStdString(dir.File("cli.pdf")));
        QString errors;
        QTextStream stream(&errors);
        EXPECT_EQ(RunReportCommand(*catalogue, {c.name, c.text, c.filter, pdf}, stream), c.status);
        stream.flush();
        if (own) {
            EXPECT_NE(errors.toStdString().find(c.error), std::string::npos)
                << errors.toStdString();
        } else {
            EXPECT_EQ(errors.toStdString(), c.error);
            EXPECT_EQ(QFile::exists(pdf), c.status == 0 || std::string(c.name) == "purchase");
        }
        EXPECT_EQ(Bytes(dir.File("artdat.dat")), table);
        EXPECT_FALSE(QFile::exists(QString::fromStdString(dir.File("ARTDAT.DAT"))));
    }
}

// A long report: numbered lines only.
class NumberedLines : public report::ReportSource {
public:
    explicit NumberedLines(std::uint64_t count) : count_(count) {}
    std::uint64_t Position() override { return next_; }
    void Seek(std::uint64_t position) override { next_ = position; }
    bool Next(report::ReportRecord* record) override {
        if (next_ >= count_)
            return false;
        record->values = {QString::number(next_++)};
        return true;
    }

private:
    std::uint64_t count_, next_ = 0;
};

TEST(ShowPrintFormTest, ALongReportShowsItsFirstPageAndCountsTheRestWhileShown) {
    const int pages = 1500;
    NumberedLines lines(std::uint64_t(pages) * report::PageGeometry::LinesPerPage());
    report::ReportLayout layout;
    layout.detail = {report::BandItem::Field(0, 0, 100)};
    report::ReportEngine engine(layout, &lines);
    ASSERT_TRUE(engine.CountPages(2).ok());
    TShowPrintForm form(engine, "Long", "");
    auto* total = form.findChild<QLabel*>("TotalLabel");
    EXPECT_TRUE(total->text().contains("counting")) << total->text().toStdString();
    QTRY_VERIFY_WITH_TIMEOUT(engine.counted(), 20000);
    EXPECT_EQ(total->text(), QString("Total %1").arg(pages));
    EXPECT_EQ(form.pageEdit()->maximum(), pages);
}

}  // namespace
