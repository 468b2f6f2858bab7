// "Import from another program…" through the main window: the carriers changed in the preview,
// the column map of a CSV file remembered for the next file with its header, refused rows in
// pages (also in "Import from CSV…"), and nothing added unless the user agrees.
#include <QAbstractItemModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>

#include "entry/editors_fixture.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"
#include "transfer/transfer_commands.h"

namespace {

using Screen = std::function<void(QWidget*)>;

constexpr char kDiscogsHeader[] =
    "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,Date Added,"
    "Collection Media Condition,Collection Sleeve Condition,Collection Notes\r\n";

class ForeignImportWindowTest : public EditorsTest {
protected:
    // Runs the menu command `command` with `path` chosen in its file dialog, each screen it
    // shows handled by the next of `screens`.
    void Run(const char* command, const std::string& path, std::vector<Screen> screens) {
        ui.files.push_back(path);
        TMainForm form(catalogue.get());
        InstallTransferCommands(form, *catalogue);
        Drive(std::make_shared<std::vector<Screen>>(std::move(screens)), 0);
        form.command(command)->trigger();
    }
    static void Drive(std::shared_ptr<std::vector<Screen>> screens, size_t at) {
        if (at < screens->size())
            testutil::WhenModalShown([screens, at](QWidget* dialog) {
                (*screens)[at](dialog);
                Drive(screens, at + 1);
            });
    }
    static std::string LabelText(QWidget* dialog, const char* name) {
        return Child<QLabel>(dialog, name)->text().toStdString();
    }
    // Every cell of a grid's rows, each row as "a|b|c".
    static std::vector<std::string> Cells(const QTableView* grid) {
        std::vector<std::string> rows;
        const QAbstractItemModel* model = grid->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < model->columnCount(); ++column)
                cells << model->index(row, column).data().toString();
            rows.push_back(cells.join('|').toStdString());
        }
        return rows;
    }
    // "CD 8 Kind of Blue" for each source of the catalogue.
    std::vector<std::string> Sources() {
        std::vector<std::string> sources;
        for (uint32_t recno = 1; recno <= catalogue->dm2.HfAccess.Count(); ++recno)
            sources.push_back(Field(catalogue->dm2.HfAccess, recno, "DRAGER") + " " +
                              Field(catalogue->dm2.HfAccess, recno, "CDNUMMER") + " " +
                              Field(catalogue->dm2.HfAccess, recno, "HTITEL"));
        return sources;
    }
    std::string Write(const std::string& name, const std::string& text) {
        std::ofstream(files.File(name), std::ios::binary) << text;
        return files.File(name);
    }
    static void Choose(QWidget* dialog, const char* combo, const char* target) {
        auto* box = Child<QComboBox>(dialog, combo);
        box->setCurrentIndex(box->findData(target));
    }

    testutil::TempDir files;
};

TEST_F(ForeignImportWindowTest, DiscogsCarrierChangedInThePreviewAndOnlyImportAdds) {
    AddSource("CD", 7, "Blue Train");
    const std::string path = Write(
        "collection.csv",
        std::string(kDiscogsHeader) +
            "CK 40,Miles Davis (2),Kind of Blue,Columbia,CD,5,1959,123,Jazz,2020-01-31 10:00:00,"
            "Mint (M),,\r\n"
            "PL 1,The Band,Music,Capitol,\"Vinyl, LP, Album\",4,1968,456,Rock,2021-02-01 "
            "11:00:00,,,"
            "\r\n");
    // How the preview is left, and what the catalogue holds then.
    const struct {
        const char* how;
        std::vector<std::string> sources;
    } cases[] = {
        {"CancelBtn", {"CD 7 Blue Train"}},
        {"Escape", {"CD 7 Blue Train"}},
        {"close", {"CD 7 Blue Train"}},
        {"ImportBtn", {"CD 7 Blue Train", "CD 8 Kind of Blue", "VIN 1 Music"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        std::vector<std::string> firstRows;
        Run("Importforeign1", path, {[&](QWidget* preview) {
                auto* vinyl = Child<QComboBox>(preview, "CarrierCombo2");
                vinyl->setFocus();
                vinyl->lineEdit()->selectAll();
                QTest::keyClicks(vinyl->lineEdit(), "vin");
                // Enter applies the carrier and reads the file again; it does not import.
                QTest::keyClick(vinyl->lineEdit(), Qt::Key_Return);
                EXPECT_TRUE(preview->isVisible());
                EXPECT_EQ(vinyl->currentText(), "VIN");
                firstRows = Cells(static_cast<QTableView*>(
                    Child<QTabWidget>(preview, "FilesTabs")->widget(0)));  // the sources
                if (std::string(c.how) == "Escape")
                    QTest::keyClick(preview, Qt::Key_Escape);
                else if (std::string(c.how) == "close")
                    preview->close();
                else
                    Press(preview, c.how);
            }});
        ASSERT_EQ(firstRows.size(), 2u);
        EXPECT_NE(firstRows.back().find("VIN|"), std::string::npos) << firstRows.back();
        EXPECT_EQ(Sources(), c.sources);
    }
}

TEST_F(ForeignImportWindowTest, ColumnMapIsRememberedForTheNextFileWithTheSameHeader) {
    const char* kHeader = "Album,Band,Medium,Remarks\r\n";
    // Each file in turn: the map offered, and the one chosen.
    const struct {
        std::string text;
        bool remembered;
        std::vector<std::string> offered;
    } cases[] = {
        {std::string(kHeader) + "Blue,Miles,CD,nice\r\n", false, {"memo", "memo", "memo", "memo"}},
        {std::string(kHeader) + "Red,King Crimson,CD,loud\r\n",
         true,
         {"main title", "main artist", "carrier", "memo"}},
        {"Main title,Band\r\nGreen,Someone\r\n", false, {"main title", "memo"}},
    };
    int file = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(file);
        std::vector<std::string> offered, summary;
        const std::string path = Write("list" + std::to_string(++file) + ".csv", c.text);
        Run("Importforeign1", path,
            {[&](QWidget* mapping) {
                 for (int column = 1; const auto* box = mapping->findChild<QComboBox*>(
                                          QString("TargetCombo%1").arg(column));
                      ++column)
                     offered.push_back(box->currentData().toString().toStdString());
                 EXPECT_EQ(
                     LabelText(mapping, "IntroLabel").find("as they were for the last file") !=
                         std::string::npos,
                     c.remembered);
                 if (file == 1) {  // two columns to one field are refused; help is at hand
                     Choose(mapping, "TargetCombo1", "main title");
                     Choose(mapping, "TargetCombo2", "main title");
                     QTest::keyClick(mapping, Qt::Key_Return);
                     EXPECT_TRUE(mapping->isVisible());
                     ASSERT_TRUE(QTest::qWaitForWindowActive(mapping));
                     QTest::keyClick(mapping, Qt::Key_F1);
                 }
                 Choose(mapping, "TargetCombo1", "main title");
                 Choose(mapping, "TargetCombo2", "main artist");
                 if (offered.size() > 2)
                     Choose(mapping, "TargetCombo3", "carrier");
                 QTest::keyClick(mapping, Qt::Key_Return);
             },
             [&](QWidget* preview) {
                 summary.push_back(LabelText(preview, "SummaryLabel"));
                 Press(preview, file == 1 ? "ImportBtn" : "CancelBtn");
             }});
        EXPECT_EQ(offered, c.offered);
        ASSERT_EQ(summary.size(), 1u);
        EXPECT_NE(summary[0].find("1 source"), std::string::npos) << summary[0];
    }
    EXPECT_EQ(Sources(), std::vector<std::string>{"CD 1 Blue"});
    EXPECT_EQ(ui.helpContexts, std::vector<int>{44});
    EXPECT_EQ(ui.MessageTexts().front(),
              "The columns \"Album\" and \"Band\" both go to Main title; choose one of them.");
}

TEST_F(ForeignImportWindowTest, AFileOfNoKnownKindIsAskedForAndNothingIsAddedWhenUnreadable) {
    const std::string path = Write("list.xml", "<collection><album/></collection>\n");
    // The kind the user names (4: Cancel), and the message shown last.
    const std::pair<size_t, std::string> cases[] = {
        {4, "Which program's file is list.xml? Its kind is not recognised from its contents."},
        {0, "The file cannot be imported; nothing was added."},
    };
    for (const auto& [choice, last] : cases) {
        SCOPED_TRACE(choice);
        ui.choices.push_back(choice);
        Run("Importforeign1", path, {});
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text.substr(0, last.size()), last);
    }
    EXPECT_EQ(ui.messages.front().choices.size(), 5u);
    EXPECT_EQ(catalogue->dm2.HfAccess.Count(), 0u);
}

TEST_F(ForeignImportWindowTest, RefusedRowsArePagedToTheLast) {
    AddSource("CD", 7, "Blue Train");
    std::string again = "DRAGER,CDNUMMER,HTITEL\r\n";
    for (int row = 0; row < 1200; ++row)
        again += "CD,7,Again\r\n";
    Write("sources.csv", again);
    std::string untitled = kDiscogsHeader;
    for (int row = 0; row < 10000; ++row)
        untitled += "CK 1,Someone,,Label,CD,,,,,,,,\r\n";
    // The command, the file it reads, and the last page of refused rows.
    const struct {
        const char* command;
        std::string path;
        size_t lastRows;
        std::string label, lastRow;
    } cases[] = {
        {"Importcsv1", files.path().string(), 500,
         "Rows 501-1,000 of 1,200; only the first 1,000 are listed",
         "sources.csv|1001|source CD 7 is already in the catalogue"},
        {"Importforeign1", Write("untitled.csv", untitled), 500, "Rows 9,501-10,000 of 10,000",
         "line 10001|has no title"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        Run(c.command, c.path, {[&](QWidget* preview) {
                auto* grid = Child<QTableView>(preview, "RefusedGrid");
                ASSERT_TRUE(QTest::qWaitForWindowActive(preview));
                auto* next = Child<QPushButton>(preview, "NextPageBtn");
                auto* rowsLabel = Child<QLabel>(preview, "RowsLabel");
                for (int page = 0; page < 30 && next->isEnabled(); ++page) {
                    const QString before = rowsLabel->text();
                    QTest::keyClick(preview, Qt::Key_N, Qt::AltModifier);  // an animated click
                    EXPECT_TRUE(QTest::qWaitFor([&] { return rowsLabel->text() != before; }));
                }
                EXPECT_EQ(LabelText(preview, "RowsLabel"), c.label);
                const auto rows = Cells(grid);
                EXPECT_EQ(rows.size(), c.lastRows);
                EXPECT_EQ(rows.back(), c.lastRow);
                Press(preview, "CancelBtn");
            }});
    }
    EXPECT_EQ(catalogue->dm2.HfAccess.Count(), 1u);
}

}  // namespace
