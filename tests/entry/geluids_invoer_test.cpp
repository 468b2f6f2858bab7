// The entry screen driven as a user drives it: typing into its fields by name, its buttons and
// the Enter key, with the records it leaves in the tables.
#include "entry/geluids_invoer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include "entry_fixture.h"
#include "store/source_key.h"

namespace {

class GeluidsInvoerTest : public EntryTest {
protected:
    TGeluidsInvoer& Open() {
        screen_ = std::make_unique<TGeluidsInvoer>(catalogue(), nullptr);
        closedSpy_ = std::make_unique<QSignalSpy>(screen_.get(), &TGeluidsInvoer::closed);
        screen_->setShowSource([this](const std::string& key) { shown_.push_back(key); });
        screen_->show();
        QApplication::setActiveWindow(screen_.get());
        return *screen_;
    }
    template <typename T = QWidget>
    T* Find(const char* name) {
        T* widget = screen_->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QLineEdit* Edit(const char* name) {
        if (auto* combo = screen_->findChild<QComboBox*>(name))
            return combo->lineEdit();
        if (auto* spin = screen_->findChild<QSpinBox*>(name))
            return spin->findChild<QLineEdit*>();
        return Find<QLineEdit>(name);
    }
    // Replaces the field's text by typing it.
    void Type(const char* name, const QString& text) {
        QLineEdit* edit = Edit(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void SetNumber(const char* name, int value) { Find<QSpinBox>(name)->setValue(value); }
    void Click(const char* name) {
        auto* button = Find<QAbstractButton>(name);
        ASSERT_TRUE(button->isEnabled()) << name;
        button->click();
    }
    // Types a track's artist and title and saves it with Next track.
    void SaveTrack(const char* artist, const char* title) {
        Type("InvArtiest", artist);
        Type("InvTitel", title);
        Click("vTrackBut");
    }
    bool Enabled(const char* name) { return Find<QWidget>(name)->isEnabled(); }
    QString Label(const char* name) { return Find<QLabel>(name)->text(); }
    bool Closed() { return closedSpy_->count() == 1; }
    // The named fields of a record, joined by '|'.
    static std::string Joined(const Record& record, std::initializer_list<const char*> names) {
        std::string joined;
        for (const char* name : names)
            joined += (joined.empty() ? "" : "|") + record.at(name);
        return joined;
    }

    std::unique_ptr<TGeluidsInvoer> screen_;
    std::unique_ptr<QSignalSpy> closedSpy_;
    std::vector<std::string> shown_;  // the sources the screen opened
};

TEST_F(GeluidsInvoerTest, OpensOnANewSourceWithItsDefaults) {
    Open();
    EXPECT_EQ(Edit("InvDrager")->text(), "CD");
    EXPECT_EQ(Find<QSpinBox>("InvNummer")->value(), 1);
    EXPECT_EQ(Label("Tracknr"), "1");
    for (const char* name :
         {"GeluidBut", "KantBut", "PlaatsButton", "vTrackBut", "Morgenbut", "SchrijfBut"})
        EXPECT_FALSE(Enabled(name)) << name;
    EXPECT_TRUE(Enabled("SpeedButton2"));
    EXPECT_EQ(MainTitles().size(), 1u);  // the blank record the source will be written into
}

TEST_F(GeluidsInvoerTest, ANewSourceOnSidesAAndBIsStoredAsTyped) {
    AddSidedCarrier("LP");
    Open();
    Type("InvDrager", "lp");
    EXPECT_EQ(Label("lKant"), "A");
    Type("InvKwaliteit", "ADD");
    Type("InvHoofdtitel", "best of both");
    Type("InvGenre1", "rock");
    Type("InvLabel", "emi records");
    Type("InvHoofdartiest", "the band");

    Type("InvArtiest", "john smith");
    Type("InvTitel", "first song");
    Type("InvComponist", "paul jones");
    Type("InvGenre2", "pop");
    Type("InvUitvoering", "live");
    Type("InvTrefwoord", "love");
    SetNumber("InvMin", 4);
    SetNumber("InvSec", 7);
    Type("InvJaar", "1999");
    EXPECT_TRUE(Enabled("vTrackBut"));
    Click("vTrackBut");
    EXPECT_EQ(Label("Tracknr"), "2");
    EXPECT_FALSE(Enabled("InvDrager"));
    EXPECT_FALSE(Enabled("InvNummer"));
    EXPECT_TRUE(Enabled("SchrijfBut"));
    EXPECT_TRUE(Enabled("KantBut"));
    EXPECT_EQ(QApplication::focusWidget(), Edit("InvArtiest"));

    // Enter saves the track: the settings make Next track the default button.
    Type("InvArtiest", "jane doe");
    Type("InvTitel", "second song");
    Type("InvJaar", "99");
    QTest::keyClick(Edit("InvTitel"), Qt::Key_Return);
    EXPECT_EQ(Label("Tracknr"), "3");

    Click("KantBut");
    EXPECT_EQ(Label("lKant"), "B");
    EXPECT_EQ(Label("Tracknr"), "1");
    EXPECT_FALSE(Enabled("KantBut"));
    Type("InvArtiest", "side b artist");
    Type("InvTitel", "side b song");
    Click("SchrijfBut");
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(ui_.MessageTexts().empty());

    const auto tracks = Tracks();
    ASSERT_EQ(tracks.size(), 3u);
    const auto every = {"DRAGER", "CDNUMMER", "AKANT", "TRACK",   "ARTIEST",  "TITEL", "COMPONIST",
                        "SOORT",  "UITVOER",  "TREF",  "MINUTEN", "SECONDEN", "JAAR"};
    EXPECT_EQ(Joined(tracks[0], every),
              "LP|1|A|1|John Smith|First song|Paul Jones|Pop|Live|Love|04|07|1999");
    // Two digits are no year.
    EXPECT_EQ(Joined(tracks[1], {"AKANT", "TRACK", "JAAR", "MINUTEN"}), "A|2||00");
    EXPECT_EQ(Joined(tracks[2], {"AKANT", "TRACK", "ARTIEST"}), "B|1|Side B Artist");

    const auto titles = MainTitles();
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(Joined(titles[0], {"DRAGER", "HTITEL", "HOOFDART", "LABEL", "SOORT", "OPNAME"}),
              "LP|Best of both|The Band|Emi Records|Rock|ADD");
    EXPECT_FALSE(titles[0].at("INVOERDAT").empty());
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "LP"), 2);
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 1);
    const std::pair<const char*, char> items[] = {
        {"Pop", 'G'},          {"Live", 'U'},        {"Love", 'T'}, {"LP", 'D'},      {"ADD", 'O'},
        {"Best of both", 'H'}, {"Emi Records", 'L'}, {"Rock", 'G'}, {"The Band", 'A'}};
    for (const auto& [text, code] : items)
        EXPECT_TRUE(HasItem(text, code)) << text;
}

// The number fields keep what is typed, an emptied one included; saving refuses it with what is
// allowed and stores nothing.
TEST_F(GeluidsInvoerTest, NumberFieldsKeepWhatIsTyped) {
    Open();
    Type("InvArtiest", "artist");
    Type("InvTitel", "title");
    const char* const cases[][3] = {
        {"InvSec", "75", "\"75\" cannot be used in Seconds: type a whole number from 0 to 59."},
        {"InvNummer", "", "The field Number is empty: type a whole number from 1 to 999999999."}};
    for (const auto& [name, typed, message] : cases) {
        Type(name, typed);
        Edit("InvTitel")->setFocus();
        EXPECT_EQ(Edit(name)->text(), typed) << name;
        Click("vTrackBut");
        EXPECT_EQ(ui_.MessageTexts().back(), message);
        EXPECT_EQ(Label("Tracknr"), "1") << name;
    }
    EXPECT_TRUE(Tracks().empty());
}

TEST_F(GeluidsInvoerTest, NewSourceStartsTheNextOneWithItsOwnNumber) {
    Open();
    Type("InvHoofdtitel", "first");
    SaveTrack("a", "one");
    Type("InvArtiest", "a");
    Type("InvTitel", "two");
    Click("GeluidBut");
    EXPECT_TRUE(Enabled("InvDrager"));
    EXPECT_EQ(Find<QSpinBox>("InvNummer")->value(), 2);
    EXPECT_EQ(Edit("InvHoofdtitel")->text(), "");
    EXPECT_EQ(Edit("InvDrager")->text(), "CD");
    EXPECT_FALSE(Enabled("SchrijfBut"));
    EXPECT_EQ(QApplication::focusWidget(), Find<QComboBox>("InvHoofdtitel"));
    EXPECT_EQ(Tracks().size(), 2u);
    EXPECT_EQ(MainTitles().size(), 2u);  // the saved one and the next blank one
    screen_->close();
    EXPECT_TRUE(Closed());
    EXPECT_EQ(MainTitles().size(), 1u);
}

TEST_F(GeluidsInvoerTest, RepeatedValuesStayOverThreeTracks) {
    Open();
    SaveTrack("abba", "one");
    EXPECT_EQ(Edit("InvArtiest")->text(), "");
    SaveTrack("abba", "two");
    EXPECT_EQ(Edit("InvArtiest")->text(), "abba");
    EXPECT_EQ(QApplication::focusWidget(), Edit("InvTitel"));
    Type("InvTitel", "three");
    Click("vTrackBut");
    EXPECT_EQ(Edit("InvArtiest")->text(), "abba");
    ASSERT_EQ(Tracks().size(), 3u);
    EXPECT_EQ(Tracks()[2].at("ARTIEST"), "Abba");
}

TEST_F(GeluidsInvoerTest, ToMorrowKeepsTheSourceOpenForTheNextEntry) {
    AddSidedCarrier("LP");
    Open();
    Type("InvDrager", "LP");
    Type("InvHoofdtitel", "half done");
    for (const char* title : {"one", "two"})
        SaveTrack("a", title);
    Type("InvArtiest", "a");
    Type("InvTitel", "three");
    Click("Morgenbut");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(IniReadString("Diversen", "OpenDrager"), "LP                 1");
    EXPECT_EQ(IniReadString("Diversen", "OpenTracknr"), "4");
    EXPECT_EQ(IniReadString("Diversen", "OpenTrackKant"), "A");
    EXPECT_EQ(Tracks().size(), 3u);
    EXPECT_EQ(MainTitles().at(0).at("HTITEL"), "Half done");

    Open();
    EXPECT_EQ(Edit("InvDrager")->text(), "LP");
    EXPECT_EQ(Edit("InvHoofdtitel")->text(), "Half done");
    EXPECT_FALSE(Enabled("InvDrager"));
    EXPECT_FALSE(Enabled("InvNummer"));
    EXPECT_FALSE(Enabled("SpeedButton2"));
    EXPECT_EQ(Label("Tracknr"), "4");
    EXPECT_EQ(Label("lKant"), "A");
    EXPECT_EQ(IniReadString("Diversen", "OpenDrager"), "");
    EXPECT_EQ(QApplication::focusWidget(), Edit("InvArtiest"));

    // Ended on side B without a typed track: the number stays.
    SaveTrack("a", "four");
    Click("KantBut");
    Click("Morgenbut");
    EXPECT_EQ(IniReadString("Diversen", "OpenTracknr"), "1");
    EXPECT_EQ(IniReadString("Diversen", "OpenTrackKant"), "B");
    Open();
    EXPECT_EQ(Label("lKant"), "B");
    SaveTrack("a", "b one");
    Click("SchrijfBut");
    EXPECT_EQ(Joined(Tracks().back(), {"AKANT", "TRACK"}), "B|1");
    EXPECT_EQ(MainTitles().size(), 1u);
    EXPECT_TRUE(ui_.MessageTexts().empty());
}

TEST_F(GeluidsInvoerTest, ClosingUntouchedDeletesTheBlankRecordWithoutAsking) {
    Open();
    screen_->close();
    EXPECT_TRUE(Closed());
    EXPECT_TRUE(ui_.MessageTexts().empty());
    EXPECT_TRUE(MainTitles().empty());
    EXPECT_EQ(IniReadInteger("WindowsForms", "wd1w"), screen_->width());
}

TEST_F(GeluidsInvoerTest, ClosingAfterTracksAsksAndWritesTheMainTitle) {
    Open();
    Type("InvHoofdtitel", "unfinished");
    for (const char* title : {"one", "two"})
        SaveTrack("a", title);
    Type("InvArtiest", "typed but not saved");
    Type("InvTitel", "lost");

    ui_.answers = {MsgAnswer::No};
    Click("BitBtn2");
    EXPECT_FALSE(Closed());
    EXPECT_EQ(ui_.MessageTexts().at(0), "Information will be lost. Do you want to abort?");
    EXPECT_EQ(MainTitles().at(0).at("HTITEL"), "");

    ui_.answers = {MsgAnswer::Yes};
    Click("BitBtn2");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Tracks().size(), 2u);
    ASSERT_EQ(MainTitles().size(), 1u);
    EXPECT_EQ(Joined(MainTitles()[0], {"HTITEL", "DRAGER"}), "Unfinished|CD");
}

TEST_F(GeluidsInvoerTest, LookUpSuggestsTheFirstStoredValueAndSignalsOnceWhenNothingIsFound) {
    AddTrack({{"ARTIEST", "ABC"}, {"TITEL", "x"}});
    AddTrack({{"ARTIEST", "Abba"}, {"TITEL", "y"}});
    Open();
    Type("InvArtiest", "ab");
    EXPECT_EQ(Label("lFound"), "Abba");
    EXPECT_TRUE(Enabled("PlaatsButton"));
    QTest::keyClicks(Edit("InvArtiest"), "x");
    EXPECT_EQ(Label("lFound"), "Nothing found.");
    EXPECT_FALSE(Enabled("PlaatsButton"));
    QTest::keyClicks(Edit("InvArtiest"), "y");
    EXPECT_EQ(std::count(ui_.sounds.begin(), ui_.sounds.end(), "oww.wav"), 1);
    QTest::keyClick(Edit("InvArtiest"), Qt::Key_Backspace);
    QTest::keyClick(Edit("InvArtiest"), Qt::Key_Backspace);
    QTest::keyClicks(Edit("InvArtiest"), "c");
    EXPECT_EQ(Label("lFound"), "ABC");
    QTest::keyClicks(Edit("InvArtiest"), "z");
    EXPECT_EQ(std::count(ui_.sounds.begin(), ui_.sounds.end(), "oww.wav"), 2);

    Type("InvArtiest", "ab");
    Click("PlaatsButton");
    EXPECT_EQ(Edit("InvArtiest")->text(), "Abba");
    EXPECT_EQ(Label("lFound"), "");
    EXPECT_FALSE(Enabled("PlaatsButton"));
    EXPECT_EQ(QApplication::focusWidget(), Edit("InvTitel"));
}

TEST_F(GeluidsInvoerTest, MainTitleFieldsLookUpInTheMainTitlesAndTheMainArtistIsCopied) {
    AddMainTitle({{"DRAGER", "CD"}, {"CDNUMMER", "3"}, {"HOOFDART", "Madonna"}});
    AddTrack({{"ARTIEST", "Madonna"}, {"TITEL", "x"}});
    IniWriteBool("Diversen", "AccepteerButton", true);
    IniWriteBool("Diversen", "VolgendeTrackButton", false);
    Open();
    Type("InvHoofdartiest", "mad");
    EXPECT_EQ(Label("lFound"), "Madonna");
    Click("PlaatsButton");
    EXPECT_EQ(Edit("InvHoofdartiest")->text(), "Madonna");
    EXPECT_EQ(QApplication::focusWidget(), Edit("InvArtiest"));

    // By keyboard alone: back to the copy button, Space copies, Enter keeps the copy.
    QTest::keyClick(Edit("InvArtiest"), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), Find<QWidget>("SpeedButton1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(Edit("InvArtiest")->text(), "Madonna");
    EXPECT_EQ(QApplication::focusWidget(), Edit("InvTitel"));
    EXPECT_FALSE(Enabled("PlaatsButton"));
    QTest::keyClick(Edit("InvTitel"), Qt::Key_Return);
    EXPECT_EQ(Edit("InvArtiest")->text(), "Madonna");
}

// Named, never asked; sources saved here count too; closing with the line shown keeps everything.
TEST_F(GeluidsInvoerTest, ASourceAlreadyThereIsNamedWhileTypingAndOpensByKeyboard) {
    AddMainTitle(
        {{"DRAGER", "CD"}, {"CDNUMMER", "12"}, {"HTITEL", "The Wall"}, {"HOOFDART", "Pink Floyd"}});
    AddMainTitle(
        {{"DRAGER", "LP"}, {"CDNUMMER", "3"}, {"HTITEL", "Wall"}, {"HOOFDART", "PINK FLOYD"}});
    Open();
    QWidget* row = Find("AlreadyRow");
    Type("InvHoofdtitel", "wall");
    EXPECT_FALSE(row->isVisible());  // the title alone says nothing yet
    Type("InvHoofdartiest", "pink  floyd");
    ASSERT_TRUE(row->isVisible());
    EXPECT_EQ(Label("lAlready"),
              "Already in the catalogue: CD 12 \"The Wall\" by Pink Floyd and 1 more");
    EXPECT_EQ(QApplication::focusWidget(), Find("InvHoofdartiest"));
    EXPECT_TRUE(ui_.MessageTexts().empty());

    // Tab and Enter open the first source (the access key: EntryCommandsTest); the entry stays.
    QTest::keyClick(Edit("InvHoofdartiest"), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Find("OpenAlreadyBtn"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(shown_, std::vector<std::string>{SourceSeekKey("CD", 12)});
    Type("InvHoofdartiest", "pink floyd band");
    EXPECT_FALSE(row->isVisible());

    SaveTrack("pink floyd", "dogs");
    Click("GeluidBut");
    Type("InvHoofdtitel", "Wall!");
    Type("InvHoofdartiest", "Pink Floyd Band");
    EXPECT_EQ(Label("lAlready"), "Already in the catalogue: CD 1 \"Wall\" by Pink Floyd Band");
    SaveTrack("pink floyd", "pigs");
    ui_.answers = {MsgAnswer::Yes};
    Click("BitBtn2");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(Tracks().size(), 2u);
    EXPECT_EQ(MainTitles().size(), 4u);
}

TEST_F(GeluidsInvoerTest, PickListsAreFilledFromTheItemsOnEveryDropDown) {
    Open();
    auto* combo = Find<QComboBox>("InvDrager");
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(combo->currentText(), "CD");
    const int before = combo->count();
    Add(catalogue().dm3.ItemsTable, {{"OMS", "MC"}, {"CODE", "D"}});
    combo->showPopup();
    combo->hidePopup();
    EXPECT_EQ(combo->count(), before + 1);
    EXPECT_EQ(combo->currentText(), "CD");
}

TEST_F(GeluidsInvoerTest, CharactersOutsideTheCodePageAreRefused) {
    Open();
    Edit("InvArtiest")->setText(QString("Bj\u00f6rk"));
    EXPECT_EQ(Edit("InvArtiest")->text(), QString("Bj\u00f6rk"));
    Edit("InvArtiest")->setText(QString("Bj\u00f6rk \u4e00"));
    EXPECT_EQ(Edit("InvArtiest")->text(), QString("Bj\u00f6rk"));
    ASSERT_EQ(ui_.MessageTexts().size(), 1u);
    EXPECT_NE(ui_.MessageTexts()[0].find("cannot be stored"), std::string::npos);
    Type("InvTitel", "t");
    Click("vTrackBut");
    EXPECT_EQ(Tracks().at(0).at("ARTIEST"), "Bj\xf6rk");
}

}  // namespace
