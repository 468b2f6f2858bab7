// The artist and main-title overviews: the orders they open in with and without stored sort keys
// and what their sort dialogs store, deleting a track, and the ways in from the main window.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include "entry/editors_fixture.h"
#include "overview/data1_tot_ovz.h"
#include "overview/data2_tot_ovz.h"
#include "overview/overview_commands.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"

namespace {

using Strings = std::vector<std::string>;

class OverviewsTest : public EditorsTest {
protected:
    void AddTracks() {
        const struct {
            const char* artist;
            const char* title;
            const char* carrier;
            const char* number;
        } tracks[] = {{"Cora", "Alpha", "LP", "2"},
                      {"Abel", "Delta", "CD", "7"},
                      {"Bram", "Charlie", "LP", "2"},
                      {"Abel", "Bravo", "CD", "10"}};
        for (const auto& t : tracks)
            Add(catalogue->dm1.ArtTable, {{"ARTIEST", t.artist},
                                          {"TITEL", t.title},
                                          {"DRAGER", t.carrier},
                                          {"CDNUMMER", t.number}});
    }
    void AddTitles() {
        const struct {
            const char* title;
            const char* style;
            const char* price;
        } titles[] = {{"Zoo", "Rock", "9.50"}, {"Moon", "Jazz", "12.00"}, {"Anvil", "Rock", "100"}};
        for (const auto& t : titles)
            Add(catalogue->dm2.HfTable, {{"HTITEL", t.title},
                                         {"SOORT", t.style},
                                         {"AANKPPRS", t.price},
                                         {"DRAGER", "CD"},
                                         {"CDNUMMER", "1"}});
    }
    static Strings Column(TableOverview& screen, int column) {
        Strings values;
        TableGridModel& model = screen.model();
        for (int row = 0; row < model.rowCount(); ++row)
            values.push_back(model.index(row, column).data().toString().toStdString());
        return values;
    }
};

// Without keys both open in order 1 while the dialogs check their designed defaults; a stored
// key sets its order and checks its button; OK stores the checked value.
TEST_F(OverviewsTest, OpenInTheStoredOrderAndTheSortDialogStoresTheChoice) {
    AddTracks();
    AddTitles();
    const struct {
        bool artist;
        int stored;  // 0: no key
        int column;
        Strings rows;
        const char* checked;
        const char* key;
        const char* written;
    } cases[] = {
        {true,
         0,
         0,
         {"Bravo", "Delta", "Charlie", "Alpha"},
         "Performance",
         "ArtiestenOverzicht",
         "11"},
        {true, 2, 0, {"Alpha", "Bravo", "Charlie", "Delta"}, "Title", "ArtiestenOverzicht", "2"},
        // One source stays together, in record order within it; the numbers compare as numbers.
        {true,
         8,
         0,
         {"Delta", "Bravo", "Alpha", "Charlie"},
         "Source and number",
         "ArtiestenOverzicht",
         "8"},
        {false, 0, 1, {"Anvil", "Moon", "Zoo"}, "Style", "HoofdtitelOverzicht", "2"},
        {false, 12, 1, {"Zoo", "Moon", "Anvil"}, "Amount", "HoofdtitelOverzicht", "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.stored));
        if (c.stored == 0) {
            std::remove(IniFileName().c_str());
        } else {
            IniWriteInteger("Sortering", c.key, c.stored);
        }
        std::unique_ptr<TableOverview> screen;
        if (c.artist)
            screen = std::make_unique<TData1TotOvz>(*catalogue);
        else
            screen = std::make_unique<TData2TotOvz>(*catalogue);
        screen->show();
        EXPECT_EQ(Column(*screen, c.column), c.rows);
        std::string checked;
        testutil::WhenModalShown([&](QWidget* dialog) {
            for (auto* button : dialog->findChildren<QRadioButton*>())
                if (button->isChecked())
                    checked = button->text().toStdString();
            Press(dialog, "OKBtn");
        });
        screen->SortClick();
        EXPECT_EQ(checked, c.checked);
        EXPECT_EQ(IniReadString("Sortering", c.key, ""), c.written);
    }
}

TEST_F(OverviewsTest, DeletingATrackRemovesItsRow) {
    AddTracks();
    TData1TotOvz screen(*catalogue);
    screen.show();
    screen.grid()->selectRow(1);
    ui.answers = {MsgAnswer::Yes};
    Press(&screen, "DeleteButton");
    EXPECT_EQ(Column(screen, 0), (Strings{"Bravo", "Charlie", "Alpha"}));
    EXPECT_EQ(catalogue->dm1.ArtAccess.Count(), 3u);
}

TEST_F(OverviewsTest, SummaryCommandsOpenTheOverviews) {
    const struct {
        const char* command;
        const char* caption;
    } cases[] = {{"Artist2", "Summary artist"},
                 {"ArtistButton", "Summary artist"},
                 {"Maintitles1", "Summary main title"},
                 {"MaintitlesButton", "Summary main title"}};
    for (const auto& c : cases) {
        TMainForm form(catalogue.get());
        InstallOverviewCommands(form, *catalogue);
        form.command(c.command)->trigger();
        const QList<QMdiSubWindow*> windows = form.mdiArea()->subWindowList();
        ASSERT_EQ(windows.size(), 1) << c.command;
        EXPECT_EQ(windows[0]->widget()->windowTitle().toStdString(), c.caption);
        // The number column holds the nine digits a number can have.
        auto* grid = windows[0]->widget()->findChild<QTableView*>();
        ASSERT_NE(grid, nullptr);
        int number = 0;
        while (number < grid->model()->columnCount() &&
               grid->model()->headerData(number, Qt::Horizontal).toString() != "NUMBER")
            ++number;
        EXPECT_GE(grid->columnWidth(number), grid->fontMetrics().horizontalAdvance("999999999") + 8)
            << c.command;
    }
}

}  // namespace
