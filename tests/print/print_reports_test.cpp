// The reports read back from the PDF they write, the preview, and the command line.
#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <functional>

#include "entry/editors_fixture.h"
#include "platform/report/page_geometry.h"
#include "platform/report/report_engine.h"
#include "platform/report/report_preview.h"
#include "print/check_report.h"
#include "print/report_command.h"
#include "print/report_layouts.h"
#include "print/report_runner.h"
#include "print/show_print_form.h"
#include "shell/modal_driver.h"
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
    // The command's exit status; what it said goes to `errors`.
    int Command(const ReportCommand& command, QString* errors) {
        QTextStream stream(errors);
        return RunReportCommand(*catalogue, command, stream);
    }
    // Writes the keys given as "key=value;..." into a section of print.ini.
    static void Section(const char* section, const std::string& keys) {
        for (const QString& key : QString::fromStdString(keys).split(';'))
            WritePrintIni(section, key.section('=', 0, 0).toStdString(),
                          key.section('=', 1).toStdString());
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
        Section("Marge", "LinkerMarge=" + std::to_string(c.margin));
        Section("Main title",
                "VeldOms1=Caption;Oms1bp=0;Veld1=;Veld2=HTITEL;Veld2bp=400;Veld2w=328");
        Section("Main title", "Veld2Align=" + std::string(c.align));
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
    Section("Artist",
            "Titel=By artist;Veld1=ARTIEST;Veld1w=300;Veld2=NOSUCHFIELD;Veld2bp=310;Veld2w=300");
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
        EXPECT_EQ(Command({c.name, c.text, c.filter, pdf}, &errors), c.status);
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

// What print.ini lacks comes from the template and is told; a field the table lacks is named; a
// position or margin that leaves no room refuses the report.
TEST_F(PrintReportsTest, PrintIniProblemsAreToldAndNeverPrintBlank) {
    const std::string ini = PrintIniFileName();
    const auto replace = [&ini](const char* text) { std::ofstream(ini, std::ios::trunc) << text; };
    const std::string original = Bytes(ini);
    const auto set = [](const char* section, const char* key, const char* value) {
        return [=] { Section(section, std::string(key) + "=" + value); };
    };
    // Each case starts from the catalogue's print.ini and changes it.
    const struct {
        const char* report;
        std::function<void()> change;
        int status;
        const char* told;
    } cases[] = {
        {"Main title", [&] { std::filesystem::remove(ini); }, 0, "lacks part of [Main title]"},
        {"Main title", [&] { replace(""); }, 0, "lacks part of [Main title]"},
        {"Main title",
         [&] {
             std::filesystem::remove(ini);
             std::filesystem::create_directory(ini);
         },
         0, "could not be read"},
        {"Main title", [&] { replace("[Marge]\nLinkerMarge=10\n"); }, 0,
         "lacks part of [Main title]: the template"},
        {"Main title", set("Main title", "Veld1", "NOPE"), 0, "Veld1 names the field \"NOPE\""},
        {"Main title", set("Main title", "Veld2bp", "1300"), 1, "Veld2bp=1300"},
        {"Main title", set("Main title", "Veld2w", "900"), 1, "Veld2 in"},
        {"Artist", set("Marge", "LinkerMarge", "149"), 1, "the columns \"Nr."},
        {"Artist", set("Marge", "LinkerMarge", "151"), 1, "LinkerMarge=151"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.told);
        std::filesystem::remove_all(ini);
        replace(original.c_str());
        c.change();
        const QString pdf = QString::fromStdString(dir.File("ini.pdf"));
        QFile::remove(pdf);
        QString errors;
        EXPECT_EQ(Command({c.report, "", "", pdf}, &errors), c.status);
        EXPECT_TRUE(errors.contains(c.told)) << errors.toStdString();
        EXPECT_EQ(errors.count("\n"), 1) << errors.toStdString();  // told once
        if (c.status == 0) {
            EXPECT_TRUE(testutil::PdfPages(pdf.toStdString()).join("").contains("Main artist"));
        }
    }
}

TEST_F(PrintReportsTest, ThePlaylistPrintsInTheOrderItsWindowShows) {
    for (const char* recno : {"3", "1", "2"})
        catalogue->dm3.AddToPlayList(catalogue->dm1, recno);
    // The order of the window's Sort: none (record order), then by artist.
    const struct {
        const char* order;
        QStringList singers;
    } cases[] = {{nullptr, {"Singer 2", "Singer 0", "Singer 1"}},
                 {"1", {"Singer 0", "Singer 1", "Singer 2"}}};
    for (const auto& c : cases) {
        if (c.order != nullptr)
            IniWriteString("PlayList", "PlayListVolgorde", c.order);
        QString errors;
        const QString pdf = QString::fromStdString(dir.File("playlist.pdf"));
        EXPECT_EQ(Command({"Playlist", "", "", pdf}, &errors), 0);
        const QString text = testutil::PdfPages(pdf.toStdString()).join("");
        for (qsizetype i = 1; i < c.singers.size(); ++i)
            EXPECT_LT(text.indexOf(c.singers[i - 1]), text.indexOf(c.singers[i]))
                << text.toStdString();
    }
}

// Each report laid out with the widest value each column can hold: numbers, dates and times
// print whole (an older catalogue's "3", "3" as "03:03"), free text too long for its column ends
// in the cut mark, and no two captions or values on a line reach into each other.
TEST_F(PrintReportsTest, EveryReportHasRoomForItsWidestValuesAndItsCaptions) {
    const std::string w10(10, 'W'), w30(30, 'W'), w50(50, 'W');
    std::map<std::string, std::string> track = {
        {"ARTIEST", w50},  {"TITEL", w50}, {"TREF", w30},      {"COMPONIST", w50},
        {"UITVOER", w30},  {"SOORT", w30}, {"DRAGER", w10},    {"CDNUMMER", "999999999"},
        {"TRACK", "9999"}, {"AKANT", "W"}, {"MINUTEN", "999"}, {"SECONDEN", "59"},
        {"JAAR", "9999"}};
    const uint32_t widest = Add(catalogue->dm1.ArtTable, track);
    track["MINUTEN"] = track["SECONDEN"] = "3";
    track["TRACK"] = "1";
    Add(catalogue->dm1.ArtTable, track);
    for (uint32_t recno : {widest, widest + 1})
        catalogue->dm3.AddToPlayList(catalogue->dm1, std::to_string(recno));
    std::map<std::string, std::string> title = {
        {"HTITEL", w50}, {"HOOFDART", w50},         {"SOORT", w30},   {"LABEL", w30},
        {"DRAGER", w10}, {"CDNUMMER", "999999999"}, {"AANKOOP", w30}, {"AANKPPRS", "9999999.99"}};
    title["AANKOOPDAT"] = "28-08-2888";
    const uint32_t source = Add(catalogue->dm2.HfTable, title);
    const QStringList times{"999999999", "9999", "999:59", "03:03"};
    const struct {
        const char* name;
        ReportKind kind;
        QStringList whole;
    } reports[] = {{"Artist", ReportKind::Track, times},
                   {"Main title", ReportKind::MainTitle, {"999999999"}},
                   {"Year", ReportKind::Year, times},
                   {"Track time", ReportKind::TrackTime, times},
                   {"purchase", ReportKind::MainTitle, {"999999999", "28-08-2888", "9999999.99"}},
                   {"Playlist", ReportKind::Track, times}};
    const QChar mark(0x2026);
    for (const auto& r : reports) {
        SCOPED_TRACE(r.name);
        const std::string name = r.name;
        const bool titles = r.kind == ReportKind::MainTitle;
        TTableAccess& access = titles ? catalogue->dm2.HfAccess : catalogue->dm1.ArtAccess;
        access.SetOrder(0);
        access.Go(titles ? source : widest);
        ReportDesign design = name == "purchase"   ? TAankoopLayout()
                              : name == "Playlist" ? TPrnPlaylistLayout(0)
                                                   : RequestDesign({r.kind, 2, false, r.name, ""});
        EXPECT_TRUE(design.problems.isEmpty()) << design.problems.join(' ').toStdString();
        const auto words = testutil::PdfWords(
            Pdf(std::move(design), name == "Playlist" ? catalogue->dm3.PlaylistTable
                                                      : RequestTable(*catalogue, r.kind)));
        for (const QString& value : r.whole)
            EXPECT_GE(words.count(value), 1u) << value.toStdString();
        // The lines of the page, each from left to right: the captions and the records.
        std::map<int, std::vector<std::tuple<double, double, QString>>> lines;
        for (const auto& [text, word] : words) {
            lines[int(word.top * 2)].push_back({word.left, word.right, text});
            EXPECT_LE(word.right, 287.5) << text.toStdString();
            // A run of W is free text: whole or marked as cut.
            if (text.startsWith("WWW")) {
                EXPECT_TRUE(QList<qsizetype>({10, 30, 45, 50}).contains(text.size()) ||
                            text.endsWith(mark))
                    << text.toStdString();
            }
        }
        for (auto& [top, line] : lines) {
            std::sort(line.begin(), line.end());
            for (size_t i = 1; i < line.size(); ++i)
                EXPECT_LT(std::get<1>(line[i - 1]), std::get<0>(line[i]) + 0.05)
                    << std::get<2>(line[i - 1]).toStdString() << " / "
                    << std::get<2>(line[i]).toStdString();
        }
    }
}

TEST_F(PrintReportsTest, TheChecksFindingsPrintOnceEachUnderTheirKindOnNumberedPages) {
    const int perPage = report::PageGeometry::LinesPerPage();
    const struct {
        std::vector<std::pair<CheckKind, int>> groups;  // kinds and their number of findings
        int pages;
    } cases[] = {
        {{{CheckKind::UnusedItem, 1}}, 1},  // no source to name
        // The second kind begins on the first page's last lines, the third runs over two pages.
        {{{CheckKind::TrackTime, perPage - 3},
          {CheckKind::LoanWithoutSource, 2},
          {CheckKind::SimilarSpelling, perPage + 5}},
         3},
    };
    for (const auto& c : cases) {
        CatalogueCheck check;
        QStringList lines;  // as they must follow each other
        for (const auto& [kind, count] : c.groups) {
            check.groups.push_back({kind, {}});
            const QString title = QString::fromStdString(CheckKindTitle(kind));
            lines << QString("%1: %2").arg(title).arg(count);
            for (int i = 1; i <= count; ++i) {
                const bool item = kind == CheckKind::UnusedItem;
                const std::string text =
                    "fault " + std::to_string(i) + " of " + title.toStdString();
                check.groups.back().findings.push_back(
                    {kind, item ? "" : "CD", item ? 0 : i, uint32_t(i), CheckTable::Tracks, text});
                lines << QString::fromStdString((item ? "" : "CD " + std::to_string(i) + " ") +
                                                text);
            }
        }
        ui.files = {dir.File("check.pdf")};
        testutil::WhenModalShown([](QWidget* preview) {
            Press(preview, "PdfBtn");
            preview->close();
        });
        EXPECT_TRUE(PreviewCheckReport(check, nullptr));
        const QStringList pages = testutil::PdfPages(dir.File("check.pdf"));
        ASSERT_EQ(pages.size(), c.pages);
        QString all;
        for (int p = 0; p < pages.size(); ++p) {
            all += pages[p].simplified() + " ";
            EXPECT_TRUE(pages[p].contains(QString("Page: %1").arg(p + 1))) << p + 1;
        }
        qsizetype at = 0;
        for (const QString& line : lines) {
            EXPECT_EQ(all.count(line + " "), 1) << line.toStdString();
            at = all.indexOf(line + " ", at);
            ASSERT_GE(at, 0) << "out of order: " << line.toStdString();
        }
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
