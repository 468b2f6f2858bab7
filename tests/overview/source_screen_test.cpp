// The source screen through its entry points: the tracks listed and totalled, the row selected,
// missing sources and tracks, deleting a track, the loan picture, the tables put back on close,
// and the way in through Search > "&Number" of the main window.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextDocumentFragment>

#include "cd/install_cd_player.h"
#include "entry/editors_fixture.h"
#include "entry/entry_commands.h"
#include "overview/show_source.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"
#include "store/record_edit.h"
#include "support/disc_image.h"

namespace {

using Strings = std::vector<std::string>;

class SourceScreenTest : public EditorsTest {
protected:
    struct Track {
        const char* side;
        int number;
        const char* minutes;
        const char* seconds;
    };
    // Stores the tracks in the order given; returns their record numbers.
    std::vector<uint32_t> AddTracks(const std::string& carrier, int number,
                                    const std::vector<Track>& tracks) {
        std::vector<uint32_t> recnos;
        for (const Track& t : tracks)
            recnos.push_back(
                Add(catalogue->dm1.ArtTable, {{"DRAGER", carrier},
                                              {"CDNUMMER", std::to_string(number)},
                                              {"AKANT", t.side},
                                              {"TRACK", std::to_string(t.number)},
                                              {"TITEL", t.side + std::to_string(t.number)},
                                              {"MINUTEN", t.minutes},
                                              {"SECONDEN", t.seconds}}));
        return recnos;
    }
    static Strings Titles(QWidget* screen) {
        Strings titles;
        auto* grid = Child<QTableWidget>(screen, "StringGrid2");
        for (int row = 0; row < grid->rowCount(); ++row)
            titles.push_back(grid->item(row, 1)->text().toStdString());
        return titles;
    }
    static std::string Text(QWidget* screen, const char* label) {
        return Child<QLabel>(screen, label)->text().toStdString();
    }
};

// Tracks are listed by side and track number with their count and total time (seconds carried at
// 60, blank times 0); the track asked for is selected and shown in the block; the callers' orders
// and records come back on close.
TEST_F(SourceScreenTest, ListsTotalsAndSelectsTheTracksOfTheSource) {
    const struct {
        std::vector<Track> tracks;
        int select;  // index into tracks, -1: none asked for
        Strings titles;
        const char* total;
        const char* selected;
    } cases[] = {
        {{{"", 1, "3", "40"}, {"", 2, "2", "30"}}, -1, {"1", "2"}, "06:10", "1"},
        {{{"", 1, "", ""}, {"", 2, "", ""}}, -1, {"1", "2"}, "00:00", "1"},
        {{{"B", 2, "1", "0"}, {"A", 2, "", ""}, {"B", 1, "", ""}, {"A", 1, "", ""}},
         -1,
         {"A1", "A2", "B1", "B2"},
         "01:00",
         "A1"},
        {{{"", 6, "", ""},
          {"", 5, "", ""},
          {"", 4, "", ""},
          {"", 3, "", ""},
          {"", 2, "", ""},
          {"", 1, "", ""}},
         4,
         {"1", "2", "3", "4", "5", "6"},
         "00:00",
         "2"},
    };
    AddSource("LP", 1, "Elsewhere");
    const uint32_t otherTrack = AddTracks("LP", 1, {{"", 1, "", ""}})[0];
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(++number);
        AddSource("CD", number, "Title " + std::to_string(number));
        const std::vector<uint32_t> recnos = AddTracks("cd", number, c.tracks);
        TTableAccess& art = catalogue->dm1.ArtAccess;
        TTableAccess& hf = catalogue->dm2.HfAccess;
        art.SetOrder(1);
        art.Go(otherTrack);
        hf.SetOrder(2);
        hf.Go(1);
        testutil::WhenModalShown([&](QWidget* screen) {
            EXPECT_EQ(screen->windowTitle(), "Contents");
            EXPECT_EQ(Titles(screen), c.titles);
            EXPECT_EQ(Text(screen, "Tracknum"), std::to_string(c.tracks.size()));
            EXPECT_EQ(Text(screen, "ToonTijd"), c.total);
            EXPECT_EQ(Text(screen, "ArtTITEL"), c.selected);
            EXPECT_EQ(Text(screen, "HfHTITEL"), "Title " + std::to_string(number));
            auto* grid = Child<QTableWidget>(screen, "StringGrid2");
            EXPECT_EQ(grid->item(grid->currentRow(), 1)->text().toStdString(), c.selected);
            screen->close();
        });
        EXPECT_TRUE(ShowSource(*catalogue, "cd", std::to_string(number),
                               c.select < 0 ? 0 : recnos[c.select], nullptr));
        EXPECT_EQ(art.IndexOrd(), 1);
        EXPECT_EQ(art.RecNo(), otherTrack);
        EXPECT_EQ(hf.IndexOrd(), 2);
        EXPECT_EQ(hf.RecNo(), 1u);
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SourceScreenTest, AMissingSourceIsNotShownAndMissingTracksAreReported) {
    EXPECT_FALSE(ShowSource(*catalogue, "CD", "404", 0, nullptr));
    EXPECT_EQ(ui.Log(), Strings{"Source is not found!"});

    AddSource("CD", 5);
    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_TRUE(Titles(screen).empty());
        EXPECT_EQ(Text(screen, "Tracknum"), "0");
        screen->close();
    });
    EXPECT_TRUE(ShowSourceByKey(*catalogue, "CD                 5", nullptr));
    EXPECT_EQ(ui.Log(), (Strings{"Source is not found!", "sound:error.wav",
                                 "The tracks from this source are not found!"}));
    EXPECT_EQ(ui.messages.back().helpContext, 37);
}

TEST_F(SourceScreenTest, TheTrackGoesToThePlaylistAndDeletingTheLastLeavesNoTracksAndNoTime) {
    AddSource("CD", 3);
    AddTracks("CD", 3, {{"", 1, "4", "05"}});
    ui.answers = {MsgAnswer::Yes};
    testutil::WhenModalShown([this](QWidget* screen) {
        EXPECT_EQ(Text(screen, "ToonTijd"), "04:05");
        screen->findChild<QAction*>("Addtoplaylist1")->trigger();
        EXPECT_EQ(catalogue->dm3.PlaylistAccess.Count(), 1u);
        Press(screen, "DeleteBtn");
        EXPECT_TRUE(Titles(screen).empty());
        EXPECT_EQ(Text(screen, "Tracknum"), "0");
        EXPECT_EQ(Text(screen, "ToonTijd"), "00:00");
        screen->close();
    });
    EXPECT_TRUE(ShowSource(*catalogue, "CD", "3", 0, nullptr));
    EXPECT_EQ(ui.MessageTexts(), Strings{"Do you want to delete this track?"});
    EXPECT_EQ(catalogue->dm1.ArtAccess.Count(), 0u);
}

TEST_F(SourceScreenTest, TheLoanPictureShowsTheBorrowerUntilTheLoanIsEnded) {
    AddSource("CD", 8);
    AddTracks("CD", 8, {{"", 1, "", ""}});
    Add(catalogue->dm3.UitleenTable, {{"DRAGER", "CD"},
                                      {"CDNUMMER", "8"},
                                      {"AANWIE", "<b>Anna"},
                                      {"UITDATUM", "01-12-2026"},
                                      {"TERDATUM", "20-12-2026"}});
    ui.answers = {MsgAnswer::Yes};
    testutil::WhenModalShown([](QWidget* screen) {
        auto* picture = Child<QLabel>(screen, "Image1");
        EXPECT_TRUE(picture->isVisible());
        // The name reads as written, tag and all.
        EXPECT_EQ(QTextDocumentFragment::fromHtml(picture->toolTip()).toPlainText(),
                  "Source is loan to <b>Anna");
        testutil::WhenModalShown([](QWidget* loan) { Press(loan, "BitBtn3"); });
        Press(screen, "LoanBtn");
        EXPECT_FALSE(picture->isVisible());
        screen->close();
    });
    EXPECT_TRUE(ShowSource(*catalogue, "CD", "8", 0, nullptr));
    EXPECT_EQ(ui.MessageTexts(), Strings{"Remove loan source to \"<b>Anna\" from database?"});
    EXPECT_EQ(catalogue->dm3.UitleenAccess.Count(), 0u);
}

// "&Remove ID" clears a stored disc ID after Yes, and only says so for a source without one; it
// is not offered while adding and modifying is locked.
TEST_F(SourceScreenTest, RemoveIdClearsAStoredDiscIdAfterYes) {
    const struct {
        const char* id;
        bool locked;
        const char* message;
        const char* left;
    } cases[] = {
        {"1234567", false, "Do you want to remove the ID?", ""},
        {"", false,
         "This Source has no ID yet! Place the right source and click on the option "
         "play track.",
         ""},
        {"7654321", true, nullptr, "7654321"},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(++number);
        const uint32_t title = AddSource("CD", number);
        ChangeRecord(catalogue->dm2.HfAccess, title,
                     [&c](TTable& titles) { titles.SetFieldAsString("RMNR", c.id); });
        AddTracks("CD", number, {{"", 1, "", ""}});
        Lock(c.locked);
        ui.answers.assign(*c.id != '\0' && !c.locked ? 1 : 0, MsgAnswer::Yes);
        ui.messages.clear();
        testutil::WhenModalShown([&c](QWidget* screen) {
            QAction* remove = screen->findChild<QAction*>("RemoveID1");
            EXPECT_EQ(remove->isEnabled(), !c.locked);
            if (remove->isEnabled())
                remove->trigger();
            screen->close();
        });
        EXPECT_TRUE(ShowSource(*catalogue, "CD", std::to_string(number), 0, nullptr));
        EXPECT_EQ(ui.MessageTexts(), c.message ? Strings{c.message} : Strings{});
        EXPECT_EQ(Field(catalogue->dm2.HfAccess, title, "RMNR"), c.left);
    }
}

// "Read CD info" stores the disc's ID with the user's consent and writes every track's time from
// the disc in two digits; a second reading tells the playing time before and after.
TEST_F(SourceScreenTest, ReadCdInfoWritesTheTrackTimesFromTheDisc) {
    TMainForm form(catalogue.get());
    // The lead-out takes the last frame of the last track.
    IniWriteString("Opstart", "CdDevice",
                   testutil::WriteCueBinImage(folder(), {3 * cdaudio::kFramesPerSecond,
                                                         61 * cdaudio::kFramesPerSecond + 1}));
    IniWriteBool("Opstart", "ToonCdSpeler", true);
    InstallCdPlayer(form, *catalogue, cdaudio::CreateSilentCdDevice());
    const uint32_t title = AddSource("CD", 1, "Disc");
    const std::vector<uint32_t> tracks = AddTracks("CD", 1, {{"", 1, "", ""}, {"", 2, "", ""}});
    const auto readCdInfo = [this] {
        testutil::WhenModalShown([](QWidget* screen) {
            Child<QPushButton>(screen, "ReadCdInfoBtn")->click();
            screen->close();
        });
        EXPECT_TRUE(ShowSource(*catalogue, "CD", "1", 0, nullptr));
    };
    ui.answers = {MsgAnswer::Yes};  // store the disc's ID
    readCdInfo();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].helpContext, 25);
    EXPECT_FALSE(Field(catalogue->dm2.HfAccess, title, "RMNR").empty());
    const Strings written = {Field(catalogue->dm1.ArtAccess, tracks[0], "MINUTEN"),
                             Field(catalogue->dm1.ArtAccess, tracks[0], "SECONDEN"),
                             Field(catalogue->dm1.ArtAccess, tracks[1], "MINUTEN"),
                             Field(catalogue->dm1.ArtAccess, tracks[1], "SECONDEN")};
    EXPECT_EQ(written, (Strings{"00", "03", "01", "01"}));

    ChangeRecord(catalogue->dm1.ArtAccess, tracks[0],
                 [](TTable& art) { art.SetFieldAsString("MINUTEN", "10"); });
    ui.messages.clear();
    readCdInfo();  // the disc is the source's now: no question
    EXPECT_EQ(ui.MessageTexts(), Strings{"The previous playing time was \"11:04\", the new "
                                         "playing time is \"01:04\"."});
    EXPECT_EQ(Field(catalogue->dm1.ArtAccess, tracks[0], "MINUTEN"), "00");
}

// Each information window shows the record its table stands on.
TEST_F(SourceScreenTest, TheInformationWindowsShowTheCurrentRecords) {
    const uint32_t title = AddSource("LP", 4, "Night Songs");
    AddTracks("LP", 4, {{"B", 7, "3", "40"}});  // a time in the short form of older catalogues
    catalogue->dm2.HfTable.Edit();
    catalogue->dm2.HfTable.SetFieldAsString("MEMO", "Signed sleeve");
    catalogue->dm2.HfTable.Post();
    const struct {
        void (*show)(Catalogue&, QWidget*);
        Strings labels;
        Strings texts;
    } cases[] = {
        {&ShowTrackInfo, {"TITEL", "TrackTime", "TRACK", "DRAGER"}, {"B7", "03:40", "7 B", "LP"}},
        {&ShowMainTitleInfo,
         {"HTITEL", "CDNUMMER", "DBMemo1"},
         {"Night Songs", "4", "Signed sleeve"}},
    };
    for (const auto& c : cases) {
        catalogue->dm2.HfAccess.Go(title);
        testutil::WhenModalShown([&c](QWidget* info) {
            EXPECT_EQ(info->windowTitle(), "Information");
            for (size_t i = 0; i < c.labels.size(); ++i)
                EXPECT_EQ(Text(info, c.labels[i].c_str()), c.texts[i]);
            info->close();
        });
        c.show(*catalogue, nullptr);
    }
}

TEST_F(SourceScreenTest, SearchNumberOfTheMainWindowOpensTheSource) {
    AddSource("LP", 12, "Found Again");
    AddTracks("LP", 12, {{"", 1, "", ""}});
    TMainForm form(catalogue.get());
    InstallEntryCommands(form, *catalogue,
                         [&](const std::string& key) { ShowSourceByKey(*catalogue, key, &form); });
    std::string shown;
    testutil::WhenModalShown([&](QWidget* choose) {
        Child<QComboBox>(choose, "ComboBox1")->setEditText("lp");
        auto* spin = Child<QSpinBox>(choose, "nummer");
        spin->selectAll();
        QTest::keyClicks(spin, "12");
        testutil::WhenModalShown([&](QWidget* screen) {
            shown = Text(screen, "HfHTITEL");
            screen->close();
        });
        Press(choose, "BitBtn1");
    });
    form.command("Number1")->trigger();
    EXPECT_EQ(shown, "Found Again");
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
