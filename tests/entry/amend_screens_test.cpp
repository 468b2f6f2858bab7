// The insert, track and main-title screens driven through their controls: inserting tracks at a
// chosen number with and without renumbering, one style for all tracks of a source, moving a
// main title to a free and to a taken key, refused texts, and OK under the lock.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <filesystem>
#include <vector>

#include "entry/editors_fixture.h"
#include "entry/invoeg_track_form.h"
#include "entry/wijzig_artiest_gegevens.h"
#include "entry/wijzig_hoofdtitel_gegevens.h"
#include "store/source_key.h"

namespace {

using Strings = std::vector<std::string>;

class AmendScreensTest : public EditorsTest {
protected:
    uint32_t AddTrack(const std::string& carrier, int number, int track,
                      const std::string& style = "Rock") {
        return Add(catalogue->dm1.ArtTable, {{"DRAGER", carrier},
                                             {"CDNUMMER", std::to_string(number)},
                                             {"TRACK", std::to_string(track)},
                                             {"ARTIEST", "Artist"},
                                             {"TITEL", "T" + std::to_string(track)},
                                             {"SOORT", style}});
    }
    // A source CD 1 with tracks 1 to 5 titled T1 to T5.
    void FiveTracks() {
        AddSource("CD", 1);
        for (int track = 1; track <= 5; ++track)
            AddTrack("CD", 1, track);
    }
    // "number title" of the tracks of a source in track order.
    Strings Tracks(const std::string& carrier, int number) {
        TTableAccess& art = catalogue->dm1.ArtAccess;
        art.SetOrder(10);
        const std::string key = SourceSeekKey(carrier, number);
        Strings rows;
        for (bool found = art.Seek(key); found && !art.Eof(); art.Skip(1)) {
            if (SourceSeekKey(art.GetString("DRAGER").bytes(), art.GetInteger("CDNUMMER")) != key)
                break;
            rows.push_back(std::to_string(art.GetInteger("TRACK")) + " " +
                           Trim(art.GetString("TITEL").bytes()));
        }
        return rows;
    }

    // Opens "Add some tracks", inserts one track titled "New" at `track` of CD 1 and finishes.
    void InsertOne(int track) {
        TInvoegTrackForm form(*catalogue);
        form.show();
        Child<QComboBox>(&form, "InvDrager")->setEditText("cd");
        Child<QSpinBox>(&form, "InvNummer")->setValue(1);
        Child<QSpinBox>(&form, "InvTrack")->setValue(track);
        auto* ok = Child<QPushButton>(&form, "OkBut");
        EXPECT_FALSE(ok->isEnabled());
        Child<QLineEdit>(&form, "DBEdit1")->setText("someone");
        EXPECT_FALSE(ok->isEnabled());
        Child<QLineEdit>(&form, "DBEdit2")->setText("New");
        ASSERT_TRUE(ok->isEnabled());
        ok->click();
        EXPECT_FALSE(form.isVisible());
        EXPECT_TRUE(form.added());
    }
};

TEST_F(AmendScreensTest, ARenumberedInsertedTrackTakesTheChosenNumberAndAtOneComesSecond) {
    FiveTracks();
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};  // another track? renumber?
    InsertOne(3);
    EXPECT_EQ(Tracks("CD", 1), (Strings{"1 T1", "2 T2", "3 New", "4 T3", "5 T4", "6 T5"}));
    EXPECT_EQ(
        ui.MessageTexts(),
        (Strings{"Add another track?", "Do you want to renumber the tracks in chronological order?",
                 "Tracks are renumbered."}));
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    InsertOne(1);
    EXPECT_EQ(Tracks("CD", 1), (Strings{"1 T1", "2 New", "3 T2", "4 New", "5 T3", "6 T4", "7 T5"}));
}

TEST_F(AmendScreensTest, WithoutRenumberingTheTrackKeepsTheNumberBeforeTheChosenOne) {
    FiveTracks();
    ui.answers = {MsgAnswer::No, MsgAnswer::No};
    InsertOne(3);
    EXPECT_EQ(Tracks("CD", 1), (Strings{"1 T1", "2 T2", "2 New", "3 T3", "4 T4", "5 T5"}));
    ui.answers = {MsgAnswer::No, MsgAnswer::No};
    InsertOne(1);  // at 1 nothing is lowered
    EXPECT_EQ(Tracks("CD", 1), (Strings{"1 T1", "1 New", "2 T2", "2 New", "3 T3", "4 T4", "5 T5"}));
}

// A save that fails after the track reached the table (its index entries could not be
// written) counts as stored: the screen goes on as after a save and never stores it again.
TEST_F(AmendScreensTest, AnInsertedTrackStoredByAFailedSaveCountsAsStored) {
    FiveTracks();
    const xbase::Table& tracks = catalogue->dm1.ArtTable.table();
    TInvoegTrackForm form(*catalogue);
    form.show();
    Child<QSpinBox>(&form, "InvNummer")->setValue(1);
    Child<QSpinBox>(&form, "InvTrack")->setValue(6);
    Child<QLineEdit>(&form, "DBEdit1")->setText("someone");
    Child<QLineEdit>(&form, "DBEdit2")->setText("New");
    ui.answers = {MsgAnswer::Yes};  // another track?
    {
        testutil::FileSizeLimit full(std::filesystem::file_size(catalogue->File("artdat.dat")) +
                                     tracks.recordLength());
        Child<QPushButton>(&form, "OkBut")->click();
    }
    EXPECT_EQ(tracks.recordCount(), 6u);
    ASSERT_EQ(ui.messages.size(), 2u);  // the failure, then "Add another track?"
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_TRUE(form.added());
}

TEST_F(AmendScreensTest, TheInsertedTrackIsCapitalisedAndStoredWithItsSource) {
    FiveTracks();
    TInvoegTrackForm form(*catalogue);
    form.show();
    EXPECT_EQ(Child<QComboBox>(&form, "InvDrager")->currentText(), "CD");  // DefaultDrager
    Child<QSpinBox>(&form, "InvNummer")->setValue(2);
    Child<QSpinBox>(&form, "InvTrack")->setValue(6);
    Child<QLineEdit>(&form, "DBEdit1")->setText("the artist");  // K_Artiest is on
    Child<QLineEdit>(&form, "DBEdit2")->setText("a song");
    Child<QPushButton>(&form, "OkBut")->click();
    EXPECT_EQ(ui.MessageTexts(), Strings{"Source \"CD 2\" does not exist."});
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(Tracks("CD", 2), Strings{});

    Child<QSpinBox>(&form, "InvNummer")->setValue(1);
    Child<QLineEdit>(&form, "DBEdit2")->setText(QString::fromUtf8("a song \u03A9"));
    Child<QPushButton>(&form, "OkBut")->click();
    EXPECT_EQ(ui.messages.size(), 2u);  // a character the tables cannot hold: refused
    EXPECT_EQ(Tracks("CD", 1).size(), 5u);

    Child<QLineEdit>(&form, "DBEdit2")->setText("a song");
    Child<QComboBox>(&form, "DBedit4")->setEditText("new wave");
    Child<QSpinBox>(&form, "InvMin")->setValue(4);
    Child<QSpinBox>(&form, "InvSec")->setValue(7);
    Child<QLineEdit>(&form, "InvJaar")->setText("1982");
    ui.answers = {MsgAnswer::Yes};  // another track
    Child<QPushButton>(&form, "OkBut")->click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(Child<QLineEdit>(&form, "DBEdit1")->text().isEmpty());
    EXPECT_EQ(Child<QSpinBox>(&form, "InvTrack")->value(), 6);
    TTableAccess& art = catalogue->dm1.ArtAccess;
    art.SetOrder(10);
    ASSERT_TRUE(art.Seek(SourceSeekKey("CD", 1) + " " + PadLeft("6", 10)));
    EXPECT_EQ(Trim(art.GetString("ARTIEST").bytes()), "The Artist");
    EXPECT_EQ(Trim(art.GetString("TITEL").bytes()), "A song");
    EXPECT_EQ(Trim(art.GetString("SOORT").bytes()), "New wave");
    EXPECT_EQ(art.GetString("MINUTEN").bytes().substr(0, 2) + art.GetString("SECONDEN").bytes(),
              "0407");
    EXPECT_EQ(art.GetString("JAAR").bytes(), "1982");

    // Cancel asks first; No keeps the screen, Yes closes it and renumbers what was added.
    ui.answers = {MsgAnswer::No};
    Child<QPushButton>(&form, "BitBtn2")->click();
    EXPECT_TRUE(form.isVisible());
    ui.answers = {MsgAnswer::Yes, MsgAnswer::No};
    Child<QPushButton>(&form, "BitBtn2")->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(Tracks("CD", 1).back(), "6 A song");
}

TEST_F(AmendScreensTest, ANewStyleCheckedGoesIntoEveryTrackOfTheSource) {
    AddSource("CD", 1);
    const uint32_t first = AddTrack("CD", 1, 1, "Rock");
    AddTrack("CD", 1, 2, "Jazz");
    AddTrack("CD", 2, 1, "Rock");
    catalogue->dm1.ArtAccess.Go(first);
    {
        TWijzigArtiestGegevens screen(*catalogue);
        screen.show();
        EXPECT_EQ(Child<QLineEdit>(&screen, "DBEdit2")->text(), "T1");
        EXPECT_EQ(Child<QComboBox>(&screen, "DBedit4")->currentText(), "Rock");
        // Unchanged with the box checked: the other tracks keep their own style.
        Child<QCheckBox>(&screen, "GenreCheckBox")->setChecked(true);
        Child<QPushButton>(&screen, "BitBtn1")->click();
        EXPECT_EQ(screen.result(), QDialog::Accepted);
    }
    TTableAccess& art = catalogue->dm1.ArtAccess;
    auto styles = [&] {
        Strings list;
        art.SetOrder(10);
        for (art.GoTop(); !art.Eof(); art.Skip(1))
            list.push_back(Trim(art.GetString("SOORT").bytes()));
        return list;
    };
    EXPECT_EQ(styles(), (Strings{"Rock", "Jazz", "Rock"}));
    art.Go(first);
    {
        TWijzigArtiestGegevens screen(*catalogue);
        screen.show();
        Child<QComboBox>(&screen, "DBedit4")->setEditText("new wave");
        Child<QCheckBox>(&screen, "GenreCheckBox")->setChecked(true);
        Child<QPushButton>(&screen, "BitBtn1")->click();
    }
    EXPECT_EQ(styles(), (Strings{"new wave", "new wave", "Rock"}));  // as typed, this source only
    std::vector<std::string> items;
    catalogue->dm3.GetItems(items, 'G');
    EXPECT_EQ(items, (Strings{"new wave", "Rock"}));
}

// Its loans and playlist entries go with it, so that an export imports back.
TEST_F(AmendScreensTest, AMainTitleMovesWithItsTracksToAFreeKey) {
    const uint32_t title = AddSource("CD", 1);
    AddTrack("CD", 1, 1);
    AddTrack("CD", 1, 2);
    for (const char* number : {"1", "3"}) {
        Add(catalogue->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", number}});
        Add(catalogue->dm3.PlaylistTable, {{"DRAGER", "CD"}, {"CDNUMMER", number}, {"TRACK", "1"}});
    }
    const auto keys = [](TTableAccess& access) {
        Strings found;
        for (access.GoTop(); !access.Eof(); access.Skip(1))
            found.push_back(Trim(access.GetString("DRAGER").bytes()) + " " +
                            std::to_string(access.GetInteger("CDNUMMER")));
        std::sort(found.begin(), found.end());
        return found;
    };
    catalogue->dm2.HfAccess.Go(title);
    TWijzigHoofdtitelGegevens screen(*catalogue);
    screen.show();
    EXPECT_EQ(Child<QComboBox>(&screen, "DBComboBox1")->currentText(), "CD");
    EXPECT_EQ(Child<QSpinBox>(&screen, "SpinEdit1")->value(), 1);
    Child<QComboBox>(&screen, "DBComboBox1")->setEditText("lp");
    Child<QSpinBox>(&screen, "SpinEdit1")->setValue(7);
    Child<QComboBox>(&screen, "DBedit2")->setEditText("other title");
    Child<QPushButton>(&screen, "BitBtn1")->click();
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    EXPECT_TRUE(screen.moved());
    EXPECT_EQ(Tracks("LP", 7), (Strings{"1 T1", "2 T2"}));
    EXPECT_EQ(Tracks("CD", 1), Strings{});
    EXPECT_EQ(keys(catalogue->dm3.UitleenAccess), (Strings{"CD 3", "LP 7"}));
    EXPECT_EQ(keys(catalogue->dm3.PlaylistAccess), (Strings{"CD 3", "LP 7"}));
    TTableAccess& hf = catalogue->dm2.HfAccess;
    hf.Go(title);
    EXPECT_EQ(Trim(hf.GetString("DRAGER").bytes()), "LP");
    EXPECT_EQ(hf.GetInteger("CDNUMMER"), 7);
    std::vector<std::string> items;
    catalogue->dm3.GetItems(items, 'D');
    EXPECT_EQ(items, Strings{"LP"});
}

TEST_F(AmendScreensTest, AMainTitleKeepsItsKeyWhenTheNewOneIsTaken) {
    const uint32_t title = AddSource("CD", 1);
    AddSource("CD", 2);
    AddTrack("CD", 1, 1);
    AddTrack("CD", 2, 1);
    catalogue->dm2.HfAccess.Go(title);
    TWijzigHoofdtitelGegevens screen(*catalogue);
    screen.show();
    Child<QSpinBox>(&screen, "SpinEdit1")->setValue(2);
    Child<QComboBox>(&screen, "DBedit2")->setEditText("renamed");
    Child<QPushButton>(&screen, "BitBtn1")->click();
    EXPECT_FALSE(screen.moved());
    EXPECT_EQ(ui.MessageTexts(), Strings{"Source CD 2 already exist. Canceling changes."});
    TTableAccess& hf = catalogue->dm2.HfAccess;
    hf.Go(title);
    EXPECT_EQ(hf.GetInteger("CDNUMMER"), 1);
    EXPECT_EQ(Trim(hf.GetString("HTITEL").bytes()), "Renamed");
    EXPECT_EQ(Tracks("CD", 1), Strings{"1 T1"});
    EXPECT_EQ(Tracks("CD", 2), Strings{"1 T1"});
}

TEST_F(AmendScreensTest, OkOfTheModifyScreensWaitsForTheLockToBeOff) {
    AddSource("CD", 1);
    AddTrack("CD", 1, 1);
    for (bool locked : {true, false}) {
        IniWriteBool("Diversen", "TrackBvAan", locked);
        TWijzigArtiestGegevens track(*catalogue);
        track.show();
        EXPECT_EQ(Child<QPushButton>(&track, "BitBtn1")->isEnabled(), !locked);
        TWijzigHoofdtitelGegevens title(*catalogue);
        title.show();
        EXPECT_EQ(Child<QPushButton>(&title, "BitBtn1")->isEnabled(), !locked);
    }
}

}  // namespace
