// Check the catalogue: findings by kind and count, kinds switched off, Enter, CSV, printing.
#include <QCheckBox>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "entry/editors_fixture.h"
#include "overview/check_catalogue_form.h"
#include "shell/modal_driver.h"
#include "support/pdf_text.h"

namespace {

using Strings = std::vector<std::string>;
using CheckCatalogueTest = EditorsTest;

TEST_F(CheckCatalogueTest, ListsByKindOpensTheSourceAndExportsCsv) {
    Add(catalogue->dm2.HfTable, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"HOOFDART", "Band"}});
    for (const auto& [n, title, artist, seconds] : {std::tuple{"1", "Good", "Band", "30"},
                                                    {"2", "Nameless", "", "30"},
                                                    {"3", "Long", "Band", "75"}})
        Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"},
                                      {"CDNUMMER", "1"},
                                      {"TRACK", n},
                                      {"TITEL", title},
                                      {"ARTIEST", artist},
                                      {"MINUTEN", "2"},
                                      {"SECONDEN", seconds}});
    const std::string blank = "Tracks with a blank title or artist",
                      time = "Tracks with no time or seconds above 59";
    const struct {
        std::vector<int> off;  // the kinds switched off, as numbered in CheckBox1..
        Strings groups;
    } cases[] = {
        {{2}, {blank + ": 1"}},
        {{1, 2}, {}},  // "Nothing to mend was found."
        {{}, {blank + ": 1", time + ": 1"}},
    };
    TCheckCatalogueForm screen(*catalogue);
    screen.show();
    QTreeView* tree = screen.findings();
    QAbstractItemModel* model = tree->model();
    for (const auto& c : cases) {
        ui.messages.clear();
        for (int kind = 1; kind <= int(std::size(kAllCheckKinds)); ++kind)
            Child<QCheckBox>(&screen, ("CheckBox" + std::to_string(kind)).c_str())
                ->setChecked(!std::ranges::count(c.off, kind));
        Press(&screen, "CheckBtn");
        Strings groups;
        for (int i = 0; i < model->rowCount(); ++i) {
            groups.push_back(model->index(i, 0).data().toString().toStdString());
            EXPECT_TRUE(tree->isFirstColumnSpanned(i, {}));  // not cut at "Source"
        }
        EXPECT_EQ(groups, c.groups);
        // The cursor is on the first finding, ready for Enter.
        EXPECT_EQ(tree->currentIndex(),
                  c.groups.empty() ? QModelIndex() : model->index(0, 0, model->index(0, 0)));
        EXPECT_EQ(ui.MessageTexts().size(), c.groups.empty() ? 1u : 0u);
    }

    // Tab goes from the last kind to the list and from there to the buttons.
    QWidget* next =
        Child<QCheckBox>(&screen, ("CheckBox" + std::to_string(std::size(kAllCheckKinds))).c_str());
    for (const char* expected : {"FindingsTree", "CheckBtn"}) {
        do
            next = next->nextInFocusChain();
        while (!(next->focusPolicy() & Qt::TabFocus));
        EXPECT_EQ(next->objectName().toStdString(), expected);
    }
    // A finding's row in its three columns, under its heading.
    const QModelIndex longRow = model->index(0, 0, model->index(1, 0));
    Strings columns;
    for (int column = 0; column < model->columnCount(); ++column)
        columns.push_back(longRow.siblingAtColumn(column).data().toString().toStdString());
    EXPECT_EQ(columns, (Strings{"CD 1", "seconds above 59 (2:75)", "artdat.dat 3"}));
    EXPECT_EQ(model->rowCount(longRow), 0);
    tree->setCurrentIndex(longRow);
    std::string selected;
    testutil::WhenModalShown([&](QWidget* source) {
        selected = Child<QWidget>(source, "ArtTITEL")->property("text").toString().toStdString();
        source->close();
    });
    QTest::keyClick(tree, Qt::Key_Return);
    EXPECT_EQ(selected, "Long");

    const std::string path = folder() + "/found.csv";
    ui.files = {path};
    Press(&screen, "ExportBtn");
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    EXPECT_EQ(text.str(), "Kind,Source,What is wrong,Table,Record\r\n" + blank +
                              ",CD 1,no artist,artdat.dat,2\r\n" + time +
                              ",CD 1,seconds above 59 (2:75),artdat.dat,3\r\n");

    // Printed from the preview, where it is saved as PDF.
    ui.files = {folder() + "/found.pdf"};
    testutil::WhenModalShown([](QWidget* preview) {
        Press(preview, "PdfBtn");
        preview->close();
    });
    Press(&screen, "PrintBtn");
    const QString printed = testutil::PdfPages(folder() + "/found.pdf").join("").simplified();
    EXPECT_TRUE(printed.contains(QString::fromStdString(time + ": 1 CD 1 seconds above 59")));
}

}  // namespace
