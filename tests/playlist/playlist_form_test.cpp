// The playlist window and its dialogs, opened from the main window's "&Playlist".
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <fstream>

#include "entry/entry_fixture.h"
#include "playlist/oms_playlist_form.h"
#include "playlist/playlist_commands.h"
#include "playlist/playlist_form.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"
#include "shell/table_grid_model.h"

namespace {

class PlaylistFormTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        form_ = std::make_unique<TMainForm>(&catalogue());
        InstallPlaylistCommands(*form_, catalogue());
        form_->show();  // the window reads the list when it is shown
        // Added out of every order: title, artist, number, time and year each sort them anew.
        const char* tracks[][6] = {{"Bravo", "Zulu", "3", "1990", "02", "40"},
                                   {"Alpha", "Yankee", "9", "1970", "03", "30"},
                                   {"Charlie", "X-ray", "1", "1980", "01", "00"}};
        const char* fields[] = {"TITEL", "ARTIEST", "CDNUMMER", "JAAR", "MINUTEN", "SECONDEN"};
        for (const auto& t : tracks) {
            Record track{{"DRAGER", "CD"}, {"TRACK", "1"}};
            for (int i = 0; i < 6; ++i)
                track[fields[i]] = t[i];
            AddTrack(track);
            catalogue().dm3.AddToPlayList(catalogue().dm1,
                                          std::to_string(catalogue().dm1.ArtAccess.RecNo()));
        }
    }
    // Opens the window through "&Playlist".
    TPlaylistForm* Open() {
        form_->command("Playlist1")->trigger();
        const QList<QMdiSubWindow*> windows = form_->mdiArea()->subWindowList();
        return windows.size() == 1 ? qobject_cast<TPlaylistForm*>(windows[0]->widget()) : nullptr;
    }
    // cd.ini without PlayListVolgorde.
    static void ForgetStoredOrder() {
        std::ifstream in(IniFileName());
        std::string kept, line;
        while (std::getline(in, line)) {
            if (line.rfind("PlayListVolgorde", 0) != 0)
                kept += line + "\n";
        }
        in.close();
        std::ofstream(IniFileName(), std::ios::trunc) << kept;
    }
    // The titles in the window's order, joined by '|'.
    static QString Titles(TPlaylistForm* screen) {
        QStringList titles;
        for (int row = 0; row < screen->model().rowCount(); ++row)
            titles << screen->model().index(row, 0).data().toString().trimmed();
        return titles.join('|');
    }
    template <class T>
    static T* Child(QWidget* parent, const char* name) {
        T* child = parent->findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    std::unique_ptr<TMainForm> form_;
};

TEST_F(PlaylistFormTest, ShowsTheStoredOrderAndSortsByTheChosenOne) {
    // The stored order (nullptr: none) and the titles it shows.
    const std::pair<const char*, const char*> orders[] = {
        {nullptr, "Bravo|Alpha|Charlie"}, {"0", "Bravo|Alpha|Charlie"},
        {"1", "Charlie|Alpha|Bravo"},     {"2", "Alpha|Bravo|Charlie"},
        {"3", "Charlie|Bravo|Alpha"},     {"4", "Charlie|Bravo|Alpha"},
        {"8", "Alpha|Charlie|Bravo"}};
    for (const auto& [stored, titles] : orders) {
        if (stored)
            IniWriteString("PlayList", "PlayListVolgorde", stored);
        else
            ForgetStoredOrder();
        TPlaylistForm* screen = Open();
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(Titles(screen), titles) << (stored ? stored : "absent");
        form_->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    TPlaylistForm* screen = Open();
    EXPECT_EQ(screen->windowTitle(), "Playlist");
    EXPECT_EQ(screen->model().headerData(0, Qt::Horizontal, Qt::DisplayRole), "TITLE");
    EXPECT_FALSE(Child<QPushButton>(screen, "BitBtn3")->isEnabled());  // print: not yet
    for (const auto& [button, accept, stored] :
         {std::tuple{"RadioButton3", true, 3}, {"RadioButton2", false, 3}}) {
        testutil::WhenModalShown([button = button, accept = accept](QWidget* sort) {
            EXPECT_EQ(sort->windowTitle(), "Sort");
            Child<QRadioButton>(sort, button)->click();
            Child<QPushButton>(sort, accept ? "OKBtn" : "CancelBtn")->click();
        });
        screen->SortClick();
        EXPECT_EQ(IniReadInteger("PlayList", "PlayListVolgorde"), stored);
        EXPECT_EQ(Titles(screen), "Charlie|Bravo|Alpha");
    }
}

TEST_F(PlaylistFormTest, TotalsDeletingATrackAndTheWholeList) {
    TPlaylistForm* screen = Open();
    ASSERT_NE(screen, nullptr);
    auto* grid = Child<QTableView>(screen, "DBGrid1");
    testutil::WhenModalShown([](QWidget* info) {
        EXPECT_EQ(info->windowTitle(), "Playlist information");
        EXPECT_EQ(Child<QLabel>(info, "lTracks")->text(), "3");
        EXPECT_EQ(Child<QLabel>(info, "lTime")->text(), "07:10");
        Child<QPushButton>(info, "OKBtn")->click();
    });
    QTest::keyClick(grid, Qt::Key_Return);

    grid->selectRow(1);
    ui_.answers = {MsgAnswer::Yes};
    Child<QPushButton>(screen, "BitBtn2")->click();
    EXPECT_EQ(Titles(screen), "Bravo|Charlie");
    EXPECT_EQ(grid->currentIndex().row(), 1);

    // An entry added by another screen shows up in the open list.
    catalogue().dm3.AddToPlayList(catalogue().dm1, "2");
    QCoreApplication::processEvents();
    EXPECT_EQ(Titles(screen), "Bravo|Charlie|Alpha");

    ui_.answers = {MsgAnswer::Yes};
    screen->findChild<QAction*>("Deleteplaylist1")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form_->mdiArea()->subWindowList().isEmpty());
    form_->command("Playlist1")->trigger();
    EXPECT_EQ(ui_.MessageTexts().back(), "The playlist is empty!");
}

TEST_F(PlaylistFormTest, TheDescriptionHoldsAtMost65Characters) {
    WritePrintIni("PlayList", "PlaylistOms", "Old");
    TOmsPlaylistForm description;
    description.show();
    auto* edit = Child<QLineEdit>(&description, "Edit1");
    EXPECT_EQ(edit->text(), "Old");
    edit->clear();
    QTest::keyClicks(edit, QString(70, 'x'));
    Child<QPushButton>(&description, "OKBtn")->click();
    EXPECT_EQ(ReadPrintIni("Playlist", "PlayListOms"), std::string(65, 'x'));
}

TEST_F(PlaylistFormTest, PrintAsksShowsTheDescriptionAndPrintsInTheShownOrder) {
    IniWriteInteger("PlayList", "PlayListVolgorde", 2);
    TPlaylistForm* screen = Open();
    ASSERT_NE(screen, nullptr);
    int printedOrder = -1;
    TPlaylistForm::SetPrinter([&printedOrder](Catalogue&, int order, QWidget*) {
        printedOrder = order;
        return true;
    });
    ui_.answers = {MsgAnswer::No, MsgAnswer::Yes};
    screen->PrintClick();  // No: nothing
    EXPECT_EQ(printedOrder, -1);
    const int shown = catalogue().dm3.PlaylistAccess.IndexOrd();
    // Another screen adding a track already on the list seeks in an order of its own.
    catalogue().dm3.AddToPlayList(catalogue().dm1, "1");
    ASSERT_NE(catalogue().dm3.PlaylistAccess.IndexOrd(), shown);
    testutil::WhenModalShown(
        [](QWidget* description) { Child<QPushButton>(description, "OKBtn")->click(); });
    screen->PrintClick();
    EXPECT_EQ(printedOrder, shown);
    EXPECT_EQ(ui_.MessageTexts().back(), "Do you want to print the playlist?");
    TPlaylistForm::SetPrinter(nullptr);
}

}  // namespace
