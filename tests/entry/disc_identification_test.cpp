// The entry screen identifying the disc in the drive: the catalogue's "you have it already", the
// texts found for the disc offered as suggestions, the pick list of several releases, the
// question before the internet is asked, and an online answer that comes late or never.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>

#include "base/cd_info_settings.h"
#include "cd/cd_speler.h"
#include "entry/cd_speler_entry_cd.h"
#include "entry/disc_lookup_entry.h"
#include "entry/entry_cd.h"
#include "entry/entry_disc_lookup.h"
#include "entry/geluids_invoer.h"
#include "entry_fixture.h"
#include "shell/modal_driver.h"
#include "store/source_key.h"
#include "support/disc_image.h"
#include "support/local_http_server.h"
#include "support/twelve_tones.h"

namespace {

using discinfo::DiscCandidate;
using Candidates = std::vector<DiscCandidate>;

// Three tracks of 200, 180 and 240 seconds.
discinfo::DiscQuery ThreeTrackDisc() {
    discinfo::DiscQuery query;
    query.offsets = {150, 150 + 200 * 75, 150 + 380 * 75};
    query.leadOut = 150 + 620 * 75;
    return query;
}

DiscCandidate Release(const std::string& title, std::vector<int> seconds = {200, 180, 240}) {
    DiscCandidate release;
    release.title = title, release.artist = "Band", release.year = "1999", release.label = "Label";
    for (size_t i = 0; i < seconds.size(); ++i)
        release.tracks.push_back(
            {"Song " + std::to_string(i + 1), i == 1 ? "Guest" : "", seconds[i]});
    return release;
}

// The disc in the drive and what the look-ups of every screen find for it; the test answers
// online through `pending`.
struct DiscWorld : EntryCd {
    void OpenCDPlayer() override {}
    bool ChkCD(uint32_t) override { return ++ties > 0; }
    int GetTracks() override { return 3; }
    CdTrackLength TrackLength(int track) override {
        const int seconds = ThreeTrackDisc().trackSeconds(track - 1);
        return {seconds / 60, seconds % 60};
    }
    discinfo::DiscQuery Query() override { return ThreeTrackDisc(); }

    Candidates catalogue, discData;
    EntryDiscLookup::OnlineDone pending;
    int ties = 0, onlineStarts = 0, alive = 0;
};

class FakeLookup : public EntryDiscLookup {
public:
    explicit FakeLookup(DiscWorld& world) : world_(world) { ++world_.alive; }
    ~FakeLookup() override { --world_.alive, world_.pending = {}; }
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
    void Cancel() override { world_.pending = {}; }

private:
    DiscWorld& world_;
};

class DiscIdentificationTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        previousCd_ = SetEntryCd(&world_);
        previousMaker_ = SetEntryDiscLookupMaker(
            [this](Catalogue&) { return std::make_unique<FakeLookup>(world_); });
    }
    void TearDown() override {
        screen_.reset();
        SetEntryDiscLookupMaker(previousMaker_);
        SetEntryCd(previousCd_);
    }
    void Open() {
        screen_ = std::make_unique<TGeluidsInvoer>(catalogue(), nullptr);
        screen_->setShowSource([this](const std::string& key) { shown_.push_back(key); });
        screen_->show();
        QApplication::setActiveWindow(screen_.get());
    }
    // Closes the screen as the user does, letting go of what was read.
    void Close() {
        if (screen_->isVisible() && screen_->session().changed())
            ui_.answers.push_back(MsgAnswer::Yes);
        screen_->close();
        screen_.reset();
    }
    QLineEdit* Edit(const char* name) {
        auto* combo = screen_->findChild<QComboBox*>(name);
        return combo ? combo->lineEdit() : screen_->findChild<QLineEdit*>(name);
    }
    QString Text(const char* name) { return Edit(name)->text(); }
    void Click(const char* name) { screen_->findChild<QAbstractButton*>(name)->click(); }
    QString Label(const char* name) { return screen_->findChild<QLabel*>(name)->text(); }
    // "1": the user allowed the internet look-up, "0": refused it.
    static void AllowOnline(const char* online) { IniWriteString("CdInfo", "Online", online); }

    DiscWorld world_;
    EntryCd* previousCd_ = nullptr;
    EntryDiscLookupMaker previousMaker_;
    std::vector<std::string> shown_;
    std::unique_ptr<TGeluidsInvoer> screen_;
};

// A disc the catalogue has is named when the entry opens and at Read CD info. "Show it" opens
// its source (and closes a fresh entry); "Add anyway" reads the disc, without tying a disc whose
// identity another source holds. A match by times alone "looks like" the source.
TEST_F(DiscIdentificationTest, ADiscTheCatalogueHasIsNamed) {
    const struct {
        bool atRead, byIdentity;
        size_t choice;
        int ties;
    } cases[] = {{false, true, 0, 0},
                 {false, false, 1, 0},
                 {true, true, 1, 0},
                 {true, false, 1, 1},
                 {true, true, 0, 0}};
    AllowOnline("0");
    for (const auto& c : cases) {
        DiscCandidate source;
        source.title = "Title", source.artist = "Artist", source.carrier = "CD";
        source.number = 12, source.byIdentity = c.byIdentity;
        world_.catalogue = {source};
        shown_.clear(), world_.ties = 0;
        ui_.choices.push_back(c.choice);
        const size_t asked = ui_.messages.size();
        if (c.atRead) {
            world_.catalogue.clear();
            Open();
            world_.catalogue = {source};
            Click("SpeedButton2");
        } else {
            Open();
        }
        ASSERT_GT(ui_.messages.size(), asked);
        EXPECT_EQ(ui_.messages[asked].text,
                  std::string(c.byIdentity ? "This disc is already in the catalogue as"
                                           : "This disc looks like") +
                      " CD 12 \"Title\" by Artist.");
        EXPECT_EQ(ui_.messages[asked].choices, (std::vector<std::string>{"Show it", "Add anyway"}));
        QApplication::processEvents();
        EXPECT_EQ(shown_.size(), c.choice == 0 ? 1u : 0u);
        EXPECT_EQ(screen_->isVisible(), c.atRead || c.choice == 1);
        EXPECT_EQ(world_.ties, c.ties);
        EXPECT_EQ(Label("AutoTracks"), c.atRead && c.choice == 1 ? "3" : " ");
        Close();
    }
    EXPECT_EQ(shown_, std::vector<std::string>{SourceSeekKey("CD", 12)});
    EXPECT_TRUE(MainTitles().empty());  // every blank record went with its screen
}

// What the disc data holds is offered as the CD-TEXT is: one Accept fills every blank field,
// each following track gets its own texts and times, a typed text stays, and nothing is stored
// before the entry is saved.
TEST_F(DiscIdentificationTest, OneAcceptFillsTheEntryFromTheDiscData) {
    world_.discData = {Release("Album")};
    Open();
    QTest::keyClicks(Edit("InvTitel"), "Mine");
    Click("SpeedButton2");
    EXPECT_EQ(Label("lFound"), "Album");
    EXPECT_EQ(world_.onlineStarts, 0);
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
                  tracks[2].at("JAAR") + "|" + MainTitles()[0].at("HTITEL"),
              "Mine|Guest|03:00|1999|Album");
}

// Nothing found on this computer: the user is asked once whether the internet may be asked, and
// the answer is kept.
TEST_F(DiscIdentificationTest, TheInternetIsAskedOnlyWhenTheUserAllowsIt) {
    const struct {
        const char* stored;  // "": never asked
        std::optional<MsgAnswer> answer;
        const char* kept;
    } cases[] = {{"", MsgAnswer::No, "0"},
                 {"", MsgAnswer::Yes, "1"},
                 {"0", std::nullopt, "0"},
                 {"1", std::nullopt, "1"}};
    for (const auto& c : cases) {
        std::filesystem::remove(IniFileName());
        if (*c.stored)
            AllowOnline(c.stored);
        world_.onlineStarts = 0;
        Open();
        const size_t before = ui_.messages.size();
        if (c.answer)
            ui_.answers.push_back(*c.answer);
        Click("SpeedButton2");
        ASSERT_EQ(ui_.messages.size() - before, c.answer ? 1u : 0u);
        EXPECT_TRUE(!c.answer ||
                    ui_.messages.back().text.find(
                        "the disc's ID and table of contents, nothing else") != std::string::npos);
        EXPECT_EQ(IniReadString("CdInfo", "Online", ""), c.kept);
        EXPECT_EQ(world_.onlineStarts, c.kept[0] - '0');
        EXPECT_EQ(screen_->findChild<QWidget*>("LookupCancel")->isVisible(), c.kept[0] == '1');
        Close();
    }
}

// A late online answer offers its texts for blank fields only: what the user typed meanwhile
// stays. Cancel and closing the screen end the look-up; nothing comes after them.
TEST_F(DiscIdentificationTest, AnOnlineAnswerNeverOverwritesWhatWasTyped) {
    AllowOnline("1");
    Open();
    Click("SpeedButton2");
    ASSERT_TRUE(world_.pending);
    QTest::keyClicks(Edit("InvHoofdtitel"), "Typed");
    Edit("InvHoofdartiest")->setFocus();
    world_.pending({Release("Online")}, "");
    EXPECT_EQ(Label("lFound") + "|" + Label("lLookup"), "Band|Found in disc data.");
    Click("PlaatsButton");
    EXPECT_EQ(Text("InvHoofdtitel") + "/" + Text("InvHoofdartiest"), "Typed/Band");

    for (const bool byCancel : {true, false}) {
        Close();
        Open();
        Click("SpeedButton2");
        ASSERT_TRUE(world_.pending);
        if (byCancel)
            Click("LookupCancel");
        else
            Close();
        EXPECT_FALSE(world_.pending);
        EXPECT_TRUE(!byCancel || Label("lLookup") == "Look-up cancelled.");
    }
    EXPECT_EQ(world_.alive, 0);
    EXPECT_TRUE(Tracks().empty());
    EXPECT_TRUE(MainTitles().empty());
}

// Several releases are listed best fit first; the keyboard picks one or none.
TEST_F(DiscIdentificationTest, SeveralReleasesArePickedFromAList) {
    const struct {
        std::vector<Qt::Key> keys;
        const char* offered;
    } cases[] = {{{Qt::Key_Return}, "Fits"},
                 {{Qt::Key_Down, Qt::Key_Return}, "Fits less"},
                 {{Qt::Key_Escape}, ""}};
    AllowOnline("0");
    for (const auto& c : cases) {
        world_.discData = {Release("Fits less", {200, 170, 250}), Release("Fits")};
        Open();
        QStringList listed;
        testutil::WhenModalShown([&](QWidget* dialog) {
            auto* list = dialog->findChild<QTreeWidget*>("lvReleases");
            for (int row = 0; row < list->topLevelItemCount(); ++row)
                listed << list->topLevelItem(row)->text(0);
            for (const Qt::Key key : c.keys)
                QTest::keyClick(list, key);
        });
        Click("SpeedButton2");
        EXPECT_EQ(listed, (QStringList{"Fits", "Fits less"}));
        EXPECT_EQ(Label("lFound"), c.offered);
        Close();
    }
}

// A found text too long for its field is cut with a mark, a character the tables cannot hold
// keeps a mark in its place for the user to edit; the note says so before anything is accepted.
TEST_F(DiscIdentificationTest, FoundTextsAreMadeToFitVisibly) {
    world_.discData = {Release("Caf\xc3\xa9 \xe6\x97\xa5" + std::string(60, 'x'))};
    Open();
    Click("SpeedButton2");
    const QString offered = QString::fromUtf8("Café ¤") + QString(43, 'x') + QChar(0x2026);
    EXPECT_EQ(Label("lFound"), offered);
    EXPECT_EQ(Label("lFoundNote"), QString::fromUtf8("Cut to 50 characters (…); ¤ marks "
                                                     "characters the catalogue cannot hold: "
                                                     "edit them"));
    Click("PlaatsButton");
    EXPECT_EQ(Text("InvHoofdtitel"), offered);
    Close();
}

// The entry screen over the program's own parts: its CD player on a disc image named in cd.ini,
// and the disc look-up the program installs, asking a disc data folder or a local server that
// plays MusicBrainz and gnudb.
class ProgramDiscLookupTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        image_ = testutil::WriteCueBinImage(dir_.path().string(), testutil::TwelveTonesFrames(),
                                            "twelve");
        previousCd_ = SetEntryCd(nullptr);
        previousMaker_ = SetEntryDiscLookupMaker([](Catalogue& screenCatalogue) {
            return std::make_unique<DiscLookupEntry>(screenCatalogue);
        });
    }
    void TearDown() override {
        screen_.reset();
        SetEntryDiscLookupMaker(previousMaker_);
        SetEntryCd(previousCd_);
        entryCd_.reset();
        speler_.reset();
    }
    // A new catalogue whose cd.ini names the image, and the player the program installs over it
    // with the disc read; the disc's IDs come back.
    cdaudio::DiscIds StartProgram() {
        SetEntryCd(nullptr);
        entryCd_.reset();
        speler_.reset();
        catalogue_.reset();
        std::filesystem::remove_all(folder_);
        EntryTest::SetUp();
        IniWriteString("Opstart", "CdDevice", image_);
        IniWriteBool("Opstart", "ToonCdSpeler", true);
        speler_ = std::make_unique<TCdSpeler>(catalogue(), cdaudio::CreateSilentCdDevice());
        entryCd_ = std::make_unique<CdSpelerEntryCd>(*speler_);
        SetEntryCd(entryCd_.get());
        speler_->OpenCDPlayer();
        return speler_->device().Ids();
    }

    std::string image_;
    EntryCd* previousCd_ = nullptr;
    EntryDiscLookupMaker previousMaker_;
    std::unique_ptr<TCdSpeler> speler_;
    std::unique_ptr<CdSpelerEntryCd> entryCd_;
    std::unique_ptr<TGeluidsInvoer> screen_;
};

// "Read CD info" finds the twelve-track disc in the disc data folder, at MusicBrainz or at gnudb;
// one Accept fills the entry, each next track takes its own title and the disc's time, and only
// saving stores the source.
TEST_F(ProgramDiscLookupTest, OneAcceptFillsATwelveTrackEntry) {
    using testutil::TwelveTonesService;
    const struct {
        bool inDiscData;
        TwelveTonesService service;
        const char* lookupLine;
        const char* offered;  // a late answer is offered for the field being typed in
        const char* label;
    } cases[] = {
        {true, TwelveTonesService::MusicBrainz, "", "Twelve Tones", ""},
        {false, TwelveTonesService::MusicBrainz, "Found in MusicBrainz.", "The Testers",
         "Test Tones"},
        {false, TwelveTonesService::Gnudb, "Found in gnudb.", "The Testers", ""},
    };
    const std::filesystem::path discData = dir_.path() / "discdata";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lookupLine);
        const cdaudio::DiscIds ids = StartProgram();
        LocalHttpServer server;
        testutil::ServeTwelveTones(server, c.service, ids.musicbrainz, ids.freedb);
        std::filesystem::create_directories(discData / "rock");
        std::ofstream(discData / "rock" / ids.freedb) << testutil::TwelveTonesXmcd(ids.freedb);
        IniWriteString("CdInfo", "DiscData", c.inDiscData ? discData.string() : "");
        IniWriteString("CdInfo", "Online", c.inDiscData ? "0" : "1");
        IniWriteString("CdInfo", "MusicBrainz", server.url().toString().toStdString());
        IniWriteString("CdInfo", "Gnudb", server.url().toString().toStdString());

        screen_ = std::make_unique<TGeluidsInvoer>(catalogue(), nullptr);
        screen_->show();
        QApplication::setActiveWindow(screen_.get());
        ui_.answers.push_back(MsgAnswer::Yes);  // the disc's ID is kept with the new source
        screen_->findChild<QAbstractButton*>("SpeedButton2")->click();
        auto* lookupLine = screen_->findChild<QLabel*>("lLookup");
        EXPECT_TRUE(QTest::qWaitFor([&] { return lookupLine->text() == c.lookupLine; }, 10000))
            << lookupLine->text().toStdString();
        EXPECT_EQ(screen_->findChild<QLabel*>("lFound")->text(), c.offered);
        EXPECT_EQ(server.requests().empty(), c.inDiscData);
        EXPECT_TRUE(Tracks().empty());
        EXPECT_EQ(MainTitles().at(0).at("HTITEL"), "");

        screen_->findChild<QAbstractButton*>("PlaatsButton")->click();
        for (int track = 2; track <= testutil::kTwelveTonesTracks; ++track)
            screen_->findChild<QAbstractButton*>("vTrackBut")->click();
        screen_->findChild<QAbstractButton*>("SchrijfBut")->click();
        const std::vector<Record> tracks = Tracks();
        ASSERT_EQ(tracks.size(), size_t(testutil::kTwelveTonesTracks));
        for (int track = 1; track <= testutil::kTwelveTonesTracks; ++track) {
            const Record& saved = tracks[size_t(track - 1)];
            EXPECT_EQ(saved.at("TRACK") + " " + saved.at("ARTIEST") + " / " + saved.at("TITEL") +
                          " " + saved.at("MINUTEN") + ":" + saved.at("SECONDEN") + " " +
                          saved.at("JAAR"),
                      std::to_string(track) + " The Testers / Tone " + std::to_string(track) +
                          " 00:0" + std::to_string(testutil::TwelveTonesSeconds(track)) + " 1999");
        }
        const Record source = MainTitles().at(0);
        EXPECT_EQ(source.at("HTITEL") + "|" + source.at("HOOFDART") + "|" + source.at("LABEL"),
                  std::string("Twelve Tones|The Testers|") + c.label);
        screen_.reset();
    }
}

}  // namespace
