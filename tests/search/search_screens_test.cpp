// The field search screens through the main window's Search menu and their controls.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <fstream>

#include "base/ini.h"
#include "base/text.h"
#include "entry/entry_fixture.h"
#include "search/hit_list_model.h"
#include "search/search_commands.h"
#include "search/search_profile.h"
#include "search/source_deletion.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"
#include "store/repair_offer.h"

namespace {

class SearchScreensTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        form_ = std::make_unique<TMainForm>(&catalogue());
        InstallSearchCommands(*form_, catalogue());
        form_->show();  // screens read their settings when shown
        int track = 0;
        for (const auto& [artist, title, minutes, seconds, number] :
             {std::tuple{"Beatles", "Help", "04", "35", "1"},
              {"beach boys", "Surf", "04", "00", "1"},
              {"Abbey Bee", "Bees", "14", "35", "2"},
              {"Bert", "Help me", "03", "10", "2"}})
            AddTrack({{"ARTIEST", artist},
                      {"TITEL", title},
                      {"MINUTEN", minutes},
                      {"SECONDEN", seconds},
                      {"DRAGER", "CD"},
                      {"CDNUMMER", number},
                      {"TRACK", std::to_string(++track)}});
        for (const auto& [carrier, number, title, memo] :
             {std::tuple{"CD", "1", "Blue", "jazz at night"},
              {"CDR", "1", "Red", "a jazzy night"},
              {"CD", "2", "Green", "night jazz"}})
            AddMainTitle(
                {{"DRAGER", carrier}, {"CDNUMMER", number}, {"HTITEL", title}, {"MEMO", memo}});
    }
    TZoekForm* Open(const QString& command) {
        form_->command(command)->trigger();
        QMdiSubWindow* window = form_->mdiArea()->subWindowList().last();
        return qobject_cast<TZoekForm*>(window->widget());
    }
    void CloseAll() {
        form_->mdiArea()->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<TMainForm> form_;
};

TEST_F(SearchScreensTest, EveryCommandOpensItsScreenEachWithItsOwnProfile) {
    // command|screen|title
    for (const char* row :
         {"Artist1|ZoekArtiestForm|Artist", "Title1|ZoekArtiestForm|Title",
          "Composer1|ZoekArtiestForm|Composer", "Keyword1|ZoekArtiestForm|Keyword",
          "Performance1|ZoekArtiestForm|Performance", "Style2|ZoekArtiestForm|Style",
          "Maintitle1|ZoekHoofdtitelForm|Main title", "Label1|ZoekHoofdtitelForm|Label",
          "Style1|ZoekHoofdtitelForm|Style", "Mainartist1|ZoekHoofdtitelForm|Main artist",
          "Source1|ZoekGeluidsdragerForm|Source", "Year1|ZoekJaarForm|Year",
          "Tracktime1|ZoekTijdForm|Track time", "Memofields1|ZoekTekstbladForm|Memo fields"}) {
        SCOPED_TRACE(row);
        const QStringList cells = QString(row).split('|');
        EXPECT_TRUE(form_->command(cells[0])->isEnabled());
        TZoekForm* screen = Open(cells[0]);
        ASSERT_NE(screen, nullptr);
        EXPECT_EQ(screen->objectName(), cells[1]);
        EXPECT_EQ(screen->windowTitle(), cells[2]);
    }
    // Fourteen windows at once; the artist and title screens kept their own profiles.
    const QList<QMdiSubWindow*> windows = form_->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 14);
    EXPECT_EQ(qobject_cast<TZoekForm*>(windows[0]->widget())->profile().SearchField, "ARTIEST");
    EXPECT_EQ(qobject_cast<TZoekForm*>(windows[1]->widget())->profile().SearchField, "TITEL");
    EXPECT_EQ(qobject_cast<TZoekForm*>(windows[1]->widget())
                  ->model()
                  .headerData(1, Qt::Horizontal, Qt::DisplayRole),
              "Artist");
}

TEST_F(SearchScreensTest, SearchListsTheHitsOrSaysWhatWasNotFound) {
    struct Case {
        const char* command;
        const char* text;  // the search box; minutes for the time screen
        int seconds;       // -1: Enter in the memo text box
        bool exact;
        const char* filter;
        int rows;
        std::string message;
    };
    const Case cases[] = {
        {"Artist1", "be", 0, false, "", 3, ""},
        {"Artist1", "be", 0, false, "xyz", 0, "In the field Title is \"xyz\" not found."},
        {"Artist1", "zz", 0, false, "", 0, "Artist \"zz\" is not found."},
        // Characters the tables cannot hold are in no record.
        {"Artist1", "Dvořák", 0, false, "", 0, "Artist \"Dvořák\" is not found."},
        {"Artist1", "be", 0, false, "Dvořák", 0, "In the field Title is \"Dvořák\" not found."},
        {"Memofields1", "jazz", -1, false, "Dvořák", 0,
         "In the field Main title is \"Dvořák\" not found."},
        {"Source1", "cd", 0, false, "", 2, ""},
        {"Source1", "cd", 0, false, "gre", 1, ""},
        {"Tracktime1", "4", 0, false, "", 2, ""},
        {"Tracktime1", "4", 35, false, "", 1, ""},
        {"Tracktime1", "4", 75, false, "", 0,
         "\"75\" cannot be used in Seconds: type a whole number from 0 to 59."},
        {"Year1", "FOUT", 0, false, "", 0, "Year \"FOUT\" is not found."},
        {"Memofields1", "jazz", -1, true, "", 2, ""},
        {"Memofields1", "blues", -1, false, "", 0, "Text \"blues\" is not found."},
    };
    IniWriteString("diversen", "VeldJaar", "FOUT");  // as when no year was ever stored
    for (const Case& c : cases) {
        ui_.messages.clear();
        TZoekForm* screen = Open(c.command);
        if (auto* combo = screen->findChild<QComboBox*>("Zoekstr"))
            combo->setEditText(c.text);
        else if (auto* edit = screen->findChild<QLineEdit*>("Zoekstr"))
            edit->setText(c.text);
        else if (QString(c.text).toInt() > 0)  // else the year screen shows the stored text
            screen->findChild<QSpinBox*>("Zoekstr")->setValue(QString(c.text).toInt());
        if (auto* seconds = screen->findChild<QSpinBox*>("nSec"))
            seconds->setValue(c.seconds);
        if (auto* exact = screen->findChild<QCheckBox*>("ZoekExact"))
            exact->setChecked(c.exact);
        screen->findChild<QLineEdit*>("RefStr")->setText(c.filter);
        // Enter searches from the search box; on the spin edit screens from the filter box.
        QWidget* box = screen->findChild<QComboBox*>("Zoekstr");
        if (box == nullptr)
            box = screen->findChild<QLineEdit*>(c.seconds < 0 ? "Zoekstr" : "RefStr");
        QTest::keyClick(box, Qt::Key_Return);
        const std::string what = std::string(c.command) + " " + c.text + "/" + c.filter;
        EXPECT_EQ(screen->model().rowCount(), c.rows) << what;
        EXPECT_EQ(screen->resultsShown(), c.rows > 0) << what;
        EXPECT_EQ(screen->findChild<QPushButton*>("InhoudBtn")->isEnabled(), c.rows > 0) << what;
        EXPECT_EQ(ui_.MessageTexts(), c.message.empty() ? std::vector<std::string>{}
                                                        : std::vector<std::string>{c.message})
            << what;
        CloseAll();
    }
}

// Each row action of each of the ten configurable screens works on the hit's record: the track's
// editor, information, source and memo (of its source), or the main title's; Delete removes the
// row once the user agreed.
TEST_F(SearchScreensTest, RowActionsOfEveryProfileWorkOnTheHitsRecord) {
    const struct {
        const char* button;
        const char* tracksWindow;  // the modal window it opens on a track screen; "": none
        const char* titlesWindow;
    } actions[] = {{"WijzigBtn", "WijzigArtiestGegevens", "WijzigHoofdtitelGegevens"},
                   {"InfoBtn", "ArtiestInfoForm", "HoofdtitelInfoForm"},
                   {"InhoudBtn", "ShowArtHfForm", "ShowArtHfForm"},
                   {"MemoBtn", "Tekstblad", "Tekstblad"},
                   {"VerwijderBtn", "", ""}};
    int number = 10;
    for (const ProfileCommand& command : ProfileCommands()) {
        SCOPED_TRACE(command.command);
        // A source of its own, every searched field beginning with its own word.
        const std::string word = "Zed" + std::to_string(++number), cd = std::to_string(number);
        AddTrack({{"DRAGER", "CD"},
                  {"CDNUMMER", cd},
                  {"TRACK", "1"},
                  {"ARTIEST", word + " a"},
                  {"TITEL", word + " t"},
                  {"COMPONIST", word + " c"},
                  {"TREF", word + " k"},
                  {"UITVOER", word + " p"},
                  {"SOORT", word + " s"}});
        AddMainTitle({{"DRAGER", "CD"},
                      {"CDNUMMER", cd},
                      {"HTITEL", word + " h"},
                      {"LABEL", word + " l"},
                      {"SOORT", word + " s"},
                      {"HOOFDART", word + " m"}});
        TZoekForm* screen = Open(command.command);
        auto* grid = screen->findChild<QTableView*>("StringGrid1");
        for (const auto& action : actions) {
            SCOPED_TRACE(action.button);
            screen->findChild<QComboBox*>("Zoekstr")->setEditText(QString::fromStdString(word));
            screen->findChild<QPushButton*>("ZoekBtn")->click();
            ASSERT_EQ(screen->model().rowCount(), 1);
            grid->selectRow(0);
            const std::string window = command.tracks ? action.tracksWindow : action.titlesWindow;
            ui_.messages.clear();
            if (window.empty()) {
                ui_.answers = {MsgAnswer::Yes};
            } else {
                testutil::WhenModalShown([&](QWidget* modal) {
                    EXPECT_EQ(modal->objectName().toStdString(), window);
                    // The window shows the hit's track or main title (the memo: its source's).
                    QStringList texts = {modal->windowTitle()};
                    for (QLabel* label : modal->findChildren<QLabel*>())
                        texts << label->text();
                    for (QLineEdit* edit : modal->findChildren<QLineEdit*>())
                        texts << edit->text();
                    EXPECT_TRUE(texts.join('|').contains(QString::fromStdString(word)))
                        << texts.join('|').toStdString();
                    modal->close();
                });
            }
            screen->findChild<QPushButton*>(action.button)->click();
            EXPECT_EQ(screen->model().rowCount(), window.empty() ? 0 : 1);
            EXPECT_EQ(ui_.messages.size(), window.empty() ? 1u : 0u);
        }
        CloseAll();
    }
}

// Damage met on the way is offered for repair, and never reported as "not found"; once the
// user had the tables repaired, the same search runs again.
TEST_F(SearchScreensTest, ASearchThatMetDamageRunsAgainOnceRepaired) {
    SetRepairCatalogue(&catalogue());
    struct Case {
        MsgAnswer answer;  // to the offer of the repair
        int rows;
        size_t messages;  // the offer, and the repair's outcome
    };
    {
        // The root page of each main-title tag garbled; a reader sees it at its next seek.
        const std::string index = catalogue().File("INDEX2.CDX");
        std::fstream file(index, std::ios::in | std::ios::out | std::ios::binary);
        for (const auto& open : catalogue().dm2.HfTable.table().tags()) {
            uint32_t root = 0;
            file.seekg(open->tag->info().headerOffset);
            file.read(reinterpret_cast<char*>(&root), 4);
            file.seekp(root);
            file << std::string(512, 'Z');
        }
        uint32_t generation = 0;
        file.seekg(32);
        file.read(reinterpret_cast<char*>(&generation), 4);
        ++generation;
        file.seekp(32);
        file.write(reinterpret_cast<const char*>(&generation), 4);
    }
    for (const Case& c : {Case{MsgAnswer::No, 0, 1}, Case{MsgAnswer::Yes, 1, 2}}) {
        ui_.messages.clear();
        ui_.answers = {c.answer};
        TZoekForm* screen = Open("Maintitle1");
        screen->findChild<QComboBox*>("Zoekstr")->setEditText("gr");
        QTest::keyClick(screen->findChild<QComboBox*>("Zoekstr"), Qt::Key_Return);
        EXPECT_EQ(screen->model().rowCount(), c.rows);
        const std::vector<std::string> texts = ui_.MessageTexts();
        ASSERT_EQ(texts.size(), c.messages) << texts.back();
        EXPECT_NE(texts[0].find("repair their index files now?"), std::string::npos);
        EXPECT_TRUE(c.messages == 1 || texts[1] == "The tables are checked and repaired.")
            << texts[1];
        CloseAll();
    }
    SetRepairCatalogue(nullptr);
}

// The Delay window opens from the screen's pop-up and from Preferences > "&Delay" alike.
TEST_F(SearchScreensTest, DelayFactorsNineAndTenBothScrollByOne) {
    TZoekForm* screen = Open("Artist1");
    ASSERT_TRUE(form_->command("Delay1")->isEnabled());
    QScrollBar* bar = screen->findChild<QScrollArea*>("ScrollBox1")->verticalScrollBar();
    for (const int factor : {9, 10, 7}) {
        testutil::WhenModalShown([factor](QWidget* delay) {
            EXPECT_EQ(delay->windowTitle(), "Delay");
            delay->findChild<QSpinBox*>("SpinEdit1")->setValue(factor);
            delay->findChild<QPushButton*>("OKBtn")->click();
        });
        if (factor == 7)
            form_->command("Delay1")->trigger();
        else
            screen->Vertraag();
        EXPECT_EQ(IniReadInteger("Diversen", "ScrollIncrement"), 10 - factor);
        bar->setValue(0);
        screen->AutoScroll(2);
        EXPECT_EQ(bar->value(), std::min(bar->maximum(), factor >= 9 ? 3 : 9)) << factor;
    }
}

TEST_F(SearchScreensTest, DeletingASourceTakesItsTracksLoanAndPlaylistEntriesOnly) {
    for (const auto& [carrier, number] : {std::pair{"CD", "1"}, {"CD", "2"}}) {
        Add(catalogue().dm3.UitleenTable,
            {{"DRAGER", carrier}, {"CDNUMMER", number}, {"AANWIE", "Ann"}});
    }
    for (uint32_t track = 1; track <= 4; ++track)
        catalogue().dm3.AddToPlayList(catalogue().dm1, std::to_string(track));
    // The question shows the main title as the user typed it, not its Windows-1252 bytes.
    catalogue().dm2.HfAccess.Go(1);
    catalogue().dm2.HfTable.Edit();
    catalogue().dm2.HfTable.SetFieldAsString("HTITEL", "\351t\351 \347a");
    catalogue().dm2.HfTable.Post();
    const auto keys = [this](TTableAccess& access) {
        std::string found;
        for (const Record& row : Rows(access, {"DRAGER", "CDNUMMER"}))
            found += row.at("DRAGER") + row.at("CDNUMMER") + " ";
        return found;
    };
    for (const auto& [answer, deleted] :
         {std::pair{MsgAnswer::No, false}, {MsgAnswer::Yes, true}}) {
        ui_.messages.clear();
        ui_.answers = {answer};
        EXPECT_EQ(DeleteSource(catalogue(), 1), deleted);
        EXPECT_EQ(ui_.MessageTexts(),
                  std::vector<std::string>{"Delete source CD 1 \"été ça\" with its 2 tracks, its "
                                           "loan and its playlist entries?"});
        const std::string cd1 = deleted ? "" : "CD1 ";
        EXPECT_EQ(keys(catalogue().dm1.ArtAccess), cd1 + cd1 + "CD2 CD2 ");
        EXPECT_EQ(keys(catalogue().dm3.UitleenAccess), cd1 + "CD2 ");
        EXPECT_EQ(keys(catalogue().dm3.PlaylistAccess), cd1 + cd1 + "CD2 CD2 ");
        EXPECT_EQ(keys(catalogue().dm2.HfAccess), cd1 + "CDR1 CD2 ");
    }
}

TEST_F(SearchScreensTest, ContextSearchesTheChosenFieldWithTheActionsOfItsTable) {
    struct Case {
        const char* search;   // the search field's button
        const char* second;   // the default second field checked with it
        const char* enabled;  // the second fields offered
        const char* text;
        const char* rows;  // column 0 of the hits, in the table's order (main titles: by source)
    };
    const Case cases[] = {
        {"zTitel", "rArtiest", "rArtiest rComponist rGenre2 rUitvoering rTrefwoord", "help",
         "Help|Help me"},
        {"zHoofdtitel", "rHoofdartiest", "rGenre1 rLabel rHoofdartiest", "RE", "Green|Red"},
        {"zArtiest", "rTitel", "rTitel rComponist rGenre2 rUitvoering rTrefwoord", "bee",
         "Abbey Bee"}};
    TZoekForm* screen = Open("Context1");
    EXPECT_EQ(screen->windowTitle(), "Context");
    bool first = true;
    for (const Case& c : cases) {
        testutil::WhenModalShown([&](QWidget* dialog) {
            if (first) {  // no choice stored yet
                EXPECT_TRUE(dialog->findChild<QRadioButton*>("zTitel")->isChecked());
                EXPECT_TRUE(dialog->findChild<QRadioButton*>("rArtiest")->isChecked());
            }
            dialog->findChild<QRadioButton*>(c.search)->click();
            QStringList enabled;
            for (QRadioButton* button : dialog->findChildren<QRadioButton*>()) {
                if (button->objectName().startsWith('r') && button->isEnabled())
                    enabled << button->objectName();
            }
            EXPECT_EQ(enabled.join(' '), c.enabled) << c.search;
            EXPECT_TRUE(dialog->findChild<QRadioButton*>(c.second)->isChecked()) << c.search;
            dialog->findChild<QPushButton*>("OKBtn")->click();
        });
        screen->findChild<QPushButton*>("VoorkeurBtn")->click();
        first = false;
        screen->findChild<QLineEdit*>("Zoekstr")->setText(c.text);
        QTest::keyClick(screen->findChild<QLineEdit*>("Zoekstr"), Qt::Key_Return);
        QStringList rows;
        for (int row = 0; row < screen->model().rowCount(); ++row)
            rows << screen->model().index(row, 0).data().toString();
        EXPECT_EQ(rows.join('|'), c.rows) << c.search;
        // Tracks go to the playlist; main titles do not.
        const bool tracks = c.search != std::string("zHoofdtitel");
        QAction* playlist = screen->findChild<QAction*>("Addtoplaylist1");
        EXPECT_EQ(playlist->isEnabled(), tracks) << c.search;
        const size_t before = Rows(catalogue().dm3.PlaylistAccess, {"DRAGER"}).size();
        screen->findChild<QTableView*>("StringGrid1")->selectRow(0);
        playlist->trigger();
        EXPECT_EQ(Rows(catalogue().dm3.PlaylistAccess, {"DRAGER"}).size(), before + tracks)
            << c.search;
    }
}

}  // namespace
