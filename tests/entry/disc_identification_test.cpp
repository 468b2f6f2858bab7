// The entry screen identifying the disc in the drive: the catalogue's "you have it already", the
// texts found for the disc offered as suggestions, the pick list of several releases, the
// question before the internet is asked, and an online answer that comes late or never.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

#include "base/cd_info_settings.h"
#include "entry/disc_suggestion.h"
#include "entry/entry_cd.h"
#include "entry/entry_disc_lookup.h"
#include "entry/geluids_invoer.h"
#include "entry_fixture.h"
#include "shell/modal_driver.h"
#include "store/source_key.h"

namespace {

using discinfo::DiscCandidate;
using Candidates = std::vector<DiscCandidate>;

// Three tracks of 200, 180 and 240 seconds.
discinfo::DiscQuery ThreeTrackDisc() {
    discinfo::DiscQuery query;
    query.cdId = "12345";
    query.freedbId = "1a2b3c03";
    query.offsets = {150, 150 + 200 * 75, 150 + 380 * 75};
    query.leadOut = 150 + 620 * 75;
    return query;
}

DiscCandidate Release(const std::string& title, std::vector<int> seconds = {200, 180, 240}) {
    DiscCandidate release;
    release.title = title;
    release.artist = "Band";
    release.year = "1999";
    release.label = "Label";
    for (size_t i = 0; i < seconds.size(); ++i)
        release.tracks.push_back(
            {"Song " + std::to_string(i + 1), i == 1 ? "Guest" : "", seconds[i]});
    return release;
}

DiscCandidate CatalogueSource(bool byIdentity) {
    DiscCandidate source = Release("Title");
    source.origin = discinfo::Origin::Catalogue;
    source.artist = "Artist";
    source.carrier = "CD";
    source.number = 12;
    source.byIdentity = byIdentity;
    return source;
}

// What the look-ups of every screen see and did; a test sets it up and answers online.
struct DiscWorld {
    Candidates catalogue, discData;
    EntryDiscLookup::OnlineDone pending;  // the online look-up still running
    int onlineStarts = 0, cancels = 0, alive = 0;
};

class FakeLookup : public EntryDiscLookup {
public:
    explicit FakeLookup(DiscWorld& world) : world_(world) { ++world_.alive; }
    ~FakeLookup() override {
        --world_.alive;
        world_.pending = {};
    }
    Candidates InCatalogue(const discinfo::DiscQuery&) override { return world_.catalogue; }
    Candidates InDiscData(const discinfo::DiscQuery&, std::string*) override {
        return world_.discData;
    }
    bool StartOnline(const discinfo::DiscQuery&, OnlineDone done, OnlineProgress) override {
        if (ReadCdInfoSettings().online != CdInfoSettings::Online::Yes)
            return false;
        ++world_.onlineStarts;
        world_.pending = std::move(done);
        return true;
    }
    void Cancel() override {
        ++world_.cancels;
        world_.pending = {};
    }

private:
    DiscWorld& world_;
};

class FakeDrive : public EntryCd {
public:
    void OpenCDPlayer() override {}
    bool ChkCD(uint32_t) override {
        ++ties;
        return true;
    }
    int GetTracks() override { return 3; }
    CdTrackLength TrackLength(int track) override {
        const int seconds = ThreeTrackDisc().trackSeconds(track - 1);
        return {seconds / 60, seconds % 60};
    }
    discinfo::DiscQuery Query() override { return ThreeTrackDisc(); }
    int ties = 0;
};

class DiscIdentificationTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        previousCd_ = SetEntryCd(&drive_);
        previousMaker_ = SetEntryDiscLookupMaker(
            [this](Catalogue&) { return std::make_unique<FakeLookup>(world_); });
    }
    void TearDown() override {
        screen_.reset();
        SetEntryDiscLookupMaker(previousMaker_);
        SetEntryCd(previousCd_);
    }
    TGeluidsInvoer& Open() {
        screen_ = std::make_unique<TGeluidsInvoer>(catalogue(), nullptr);
        screen_->setShowSource([this](const std::string& key) { shownSources_.push_back(key); });
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
    QString Text(const char* name) {
        if (auto* combo = screen_->findChild<QComboBox*>(name))
            return combo->currentText();
        return Find<QLineEdit>(name)->text();
    }
    void Type(const char* name, const QString& text) {
        QLineEdit* edit = screen_->findChild<QComboBox*>(name)
                              ? screen_->findChild<QComboBox*>(name)->lineEdit()
                              : Find<QLineEdit>(name);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    void Click(const char* name) {
        auto* button = Find<QAbstractButton>(name);
        ASSERT_TRUE(button->isEnabled()) << name;
        button->click();
    }
    QString Label(const char* name) { return Find<QLabel>(name)->text(); }
    // Closes the screen as the user does, letting go of what was read.
    void Close() {
        if (screen_->isVisible()) {
            if (screen_->session().changed())
                ui_.answers.push_back(MsgAnswer::Yes);
            screen_->close();
        }
        screen_.reset();
    }
    void ReadCdInfo() { Click("SpeedButton2"); }
    void AllowOnline(CdInfoSettings::Online online) {
        CdInfoSettings settings = ReadCdInfoSettings();
        settings.online = online;
        WriteCdInfoSettings(settings);
    }

    DiscWorld world_;
    FakeDrive drive_;
    EntryCd* previousCd_ = nullptr;
    EntryDiscLookupMaker previousMaker_;
    std::vector<std::string> shownSources_;
    std::unique_ptr<TGeluidsInvoer> screen_;
};

// A disc the catalogue has is named when the entry opens; "Show it" opens its source and closes
// the entry, "Add anyway" goes on. A match by times alone says "looks like".
TEST_F(DiscIdentificationTest, ADiscTheCatalogueHasIsNamedWhenTheEntryOpens) {
    const struct {
        bool byIdentity;
        size_t choice;
        const char* text;
    } cases[] = {
        {true, 0, "This disc is already in the catalogue as CD 12 \"Title\" by Artist."},
        {true, 1, "This disc is already in the catalogue as CD 12 \"Title\" by Artist."},
        {false, 1, "This disc looks like CD 12 \"Title\" by Artist."},
    };
    for (const auto& c : cases) {
        world_.catalogue = {CatalogueSource(c.byIdentity)};
        shownSources_.clear();
        ui_.choices.push_back(c.choice);
        Open();
        ASSERT_FALSE(ui_.messages.empty());
        EXPECT_EQ(ui_.messages.back().text, c.text);
        EXPECT_EQ(ui_.messages.back().choices, (std::vector<std::string>{"Show it", "Add anyway"}));
        QApplication::processEvents();
        const bool showIt = c.choice == 0;
        EXPECT_EQ(shownSources_, showIt ? std::vector<std::string>{SourceSeekKey("CD", 12)}
                                        : std::vector<std::string>{});
        EXPECT_EQ(screen_->isVisible(), !showIt) << c.text;
        screen_->close();
        screen_.reset();
    }
    EXPECT_TRUE(MainTitles().empty());  // every blank record went with its screen
}

// Read CD info asks the same; "Add anyway" for a disc tied to another source reads its times
// without tying it, "Show it" reads nothing.
TEST_F(DiscIdentificationTest, ReadCdInfoOnADiscTheCatalogueHas) {
    const struct {
        bool byIdentity;
        size_t choice;
        int ties;
        const char* tracks;
    } cases[] = {{true, 1, 0, "3"}, {false, 1, 1, "3"}, {true, 0, 0, " "}};
    AllowOnline(CdInfoSettings::Online::No);
    for (const auto& c : cases) {
        Open();
        drive_.ties = 0;
        world_.catalogue = {CatalogueSource(c.byIdentity)};
        ui_.choices.push_back(c.choice);
        ReadCdInfo();
        EXPECT_EQ(drive_.ties, c.ties) << c.byIdentity << c.choice;
        EXPECT_EQ(Label("AutoTracks"), c.tracks);
        world_.catalogue.clear();
        Close();
    }
}

// What the disc data holds is offered as the CD-TEXT is: one Accept fills every blank field,
// each following track gets its own texts and times, a typed text stays, and nothing is stored
// before the entry is saved.
TEST_F(DiscIdentificationTest, OneAcceptFillsTheEntryFromTheDiscData) {
    world_.discData = {Release("Album")};
    Open();
    Type("InvTitel", "Mine");
    ReadCdInfo();
    EXPECT_EQ(Label("lFound"), "Album");
    EXPECT_EQ(world_.onlineStarts, 0);
    EXPECT_TRUE(Tracks().empty());
    EXPECT_EQ(MainTitles()[0].at("HTITEL"), "");
    Click("PlaatsButton");
    const std::pair<const char*, const char*> filled[] = {
        {"InvHoofdtitel", "Album"}, {"InvHoofdartiest", "Band"}, {"InvLabel", "Label"},
        {"InvJaar", "1999"},        {"InvArtiest", "Band"},      {"InvTitel", "Mine"}};
    for (const auto& [name, text] : filled)
        EXPECT_EQ(Text(name), text) << name;
    Click("vTrackBut");
    EXPECT_EQ(Text("InvArtiest") + "/" + Text("InvTitel"), "Guest/Song 2");
    Click("vTrackBut");
    EXPECT_EQ(Text("InvArtiest") + "/" + Text("InvTitel"), "Band/Song 3");
    Click("SchrijfBut");
    const auto tracks = Tracks();
    ASSERT_EQ(tracks.size(), 3u);
    EXPECT_EQ(tracks[0].at("TITEL") + "|" + tracks[1].at("ARTIEST") + "|" +
                  tracks[1].at("MINUTEN") + ":" + tracks[1].at("SECONDEN") + "|" +
                  tracks[2].at("JAAR"),
              "Mine|Guest|03:00|1999");
    EXPECT_EQ(MainTitles()[0].at("HTITEL"), "Album");
}

// Nothing found on this computer: the first time the user is asked whether the internet may be
// asked, and the answer is kept; a kept answer is not asked again.
TEST_F(DiscIdentificationTest, TheInternetIsAskedOnlyWhenTheUserAllowsIt) {
    const struct {
        std::optional<CdInfoSettings::Online> stored;
        std::optional<MsgAnswer> answer;
        const char* kept;
        int starts;
    } cases[] = {
        {std::nullopt, MsgAnswer::No, "0", 0},
        {std::nullopt, MsgAnswer::Yes, "1", 1},
        {CdInfoSettings::Online::No, std::nullopt, "0", 0},
        {CdInfoSettings::Online::Yes, std::nullopt, "1", 1},
    };
    for (const auto& c : cases) {
        IniWriteString("CdInfo", "Online", "");
        std::filesystem::remove(IniFileName());
        if (c.stored)
            AllowOnline(*c.stored);
        world_.onlineStarts = 0;
        Open();
        const size_t before = ui_.messages.size();
        if (c.answer)
            ui_.answers.push_back(*c.answer);
        ReadCdInfo();
        EXPECT_EQ(ui_.messages.size() - before, c.answer ? 1u : 0u);
        if (c.answer) {
            EXPECT_NE(ui_.messages.back().text.find("the disc's ID and table of contents"),
                      std::string::npos);
        }
        EXPECT_EQ(IniReadString("CdInfo", "Online", ""), c.kept);
        EXPECT_EQ(world_.onlineStarts, c.starts);
        EXPECT_EQ(Find<QWidget>("LookupCancel")->isVisible(), c.starts == 1);
        Close();
    }
}

// A late online answer offers its texts for blank fields only: what the user typed meanwhile
// stays. Cancel and closing the screen end the look-up; nothing comes after them.
TEST_F(DiscIdentificationTest, AnOnlineAnswerNeverOverwritesWhatWasTyped) {
    AllowOnline(CdInfoSettings::Online::Yes);
    Open();
    ReadCdInfo();
    ASSERT_TRUE(world_.pending);
    Type("InvHoofdtitel", "Typed");
    Find<QComboBox>("InvHoofdartiest")->lineEdit()->setFocus();
    world_.pending({Release("Online")}, "");
    EXPECT_EQ(Text("InvHoofdtitel"), "Typed");
    EXPECT_EQ(Label("lFound"), "Band");
    EXPECT_FALSE(Find<QWidget>("LookupCancel")->isVisible());
    Click("PlaatsButton");
    EXPECT_EQ(Text("InvHoofdtitel"), "Typed");
    EXPECT_EQ(Text("InvHoofdartiest"), "Band");

    for (const bool byCancel : {true, false}) {
        Close();
        Open();
        ReadCdInfo();
        ASSERT_TRUE(world_.pending);
        if (byCancel) {
            Click("LookupCancel");
            EXPECT_EQ(Label("lLookup"), "Look-up cancelled.");
        } else {
            ui_.answers.push_back(MsgAnswer::Yes);
            screen_->close();
        }
        EXPECT_FALSE(world_.pending);
    }
    Close();
    EXPECT_EQ(world_.alive, 0);
    EXPECT_TRUE(Tracks().empty());
    EXPECT_TRUE(MainTitles().empty());
}

// Several releases are listed best fit first; the keyboard picks one or none.
TEST_F(DiscIdentificationTest, SeveralReleasesArePickedFromAList) {
    const struct {
        std::vector<int> keys;
        const char* offered;
    } cases[] = {
        {{Qt::Key_Return}, "Fits"},
        {{Qt::Key_Down, Qt::Key_Return}, "Fits less"},
        {{Qt::Key_Escape}, ""},
    };
    for (const auto& c : cases) {
        world_.discData = {Release("Fits less", {200, 170, 250}), Release("Fits")};
        Open();
        QStringList shown;
        testutil::WhenModalShown([&](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>("lvReleases");
            ASSERT_NE(list, nullptr);
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                shown << list->topLevelItem(row)->text(0);
            for (const int key : c.keys)
                QTest::keyClick(list, Qt::Key(key));
        });
        ReadCdInfo();
        EXPECT_EQ(shown, (QStringList{"Fits", "Fits less"}));
        EXPECT_EQ(Label("lFound"), c.offered);
        Close();
    }
}

// A found text too long for its field is cut with a mark, one the tables cannot hold keeps a
// mark in its place; the note says so before anything is accepted.
TEST_F(DiscIdentificationTest, FoundTextsAreMadeToFitVisibly) {
    const struct {
        std::string found;
        size_t width;
        std::string offered;
        const char* note;
    } cases[] = {
        {"Plain", 50, "Plain", ""},
        {std::string(60, 'x'), 50, std::string(49, 'x') + kCutMark, "Cut to 50 characters (…)"},
        {"Caf\xc3\xa9 \xe6\x97\xa5", 50, "Caf\xe9 " + std::string(1, kUnholdableMark),
         "¤ marks characters the catalogue cannot hold: edit them"},
        {"\xe6\x97\xa5" + std::string(40, 'y'), 30,
         kUnholdableMark + std::string(28, 'y') + kCutMark,
         "Cut to 30 characters (…); ¤ marks characters the catalogue cannot hold: edit them"},
    };
    for (const auto& c : cases) {
        const SuggestedText suggestion = SuggestForField(c.found, c.width);
        EXPECT_EQ(suggestion.text, c.offered) << c.found;
        EXPECT_EQ(SuggestionNote(suggestion, c.width), c.note) << c.found;
    }
    world_.discData = {Release(std::string(60, 'x'))};
    Open();
    ReadCdInfo();
    EXPECT_EQ(Label("lFound"), QString(49, 'x') + QChar(0x2026));
    EXPECT_EQ(Label("lFoundNote"), "Cut to 50 characters (…)");
    Click("PlaatsButton");
    EXPECT_EQ(Text("InvHoofdtitel"), QString(49, 'x') + QChar(0x2026));
    Close();
}

}  // namespace
