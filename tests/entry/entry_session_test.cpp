// The entry logic without widgets: numbering to the limit, the duplicate-source question, the
// repeat of values, sides, reopening and closing.
#include "entry/entry_session.h"

#include <filesystem>

#include "entry/entry_cd.h"
#include "entry_fixture.h"
#include "store/table_error.h"

namespace {

class EntrySessionTest : public EntryTest {
protected:
    EntrySession& Start() {
        session_ = std::make_unique<EntrySession>(catalogue(), &cd_);
        session_->Start();
        return *session_;
    }
    void TypeTrack(EntrySession& s, const std::string& artist, const std::string& title) {
        s.fields.artiest = artist;
        s.LookupChanged(EntryControl::InvArtiest);
        s.fields.titel = title;
        s.LookupChanged(EntryControl::InvTitel);
    }

    class FakeCd : public EntryCd {
    public:
        void OpenCDPlayer() override { ++opens; }
        bool ChkCD(uint32_t) override { return identified; }
        int GetTracks() override { return 3; }
        CdTrackLength TrackLength(int track) override { return {track, 10 + track}; }
        CdDiscTexts DiscTexts() override { return texts; }
        CdDiscTexts texts;
        int opens = 0;
        bool identified = true;
    };

    FakeCd cd_;
    std::unique_ptr<EntrySession> session_;
};

TEST_F(EntrySessionTest, TheNineHundredNinetyNinthTrackEndsTheNumbering) {
    EntrySession& s = Start();
    for (int i = 1; i <= 999; ++i) {
        TypeTrack(s, "Artist", "Title " + std::to_string(i));
        ASSERT_TRUE(s.WriteTracks(false)) << i;
    }
    EXPECT_EQ(s.trackNr(), 999);
    EXPECT_FALSE(s.nextTrackEnabled());
    ASSERT_EQ(ui_.MessageTexts().size(), 1u);
    EXPECT_EQ(ui_.MessageTexts()[0],
              "The maximum of 999 tracks per source has been reach. Choose for a new source.");
    EXPECT_EQ(ui_.sounds.back(), "error.wav");

    // A further track is refused instead of being stored as a second number 999.
    TypeTrack(s, "Artist", "One too many");
    EXPECT_FALSE(s.nextTrackEnabled());
    EXPECT_FALSE(s.SaveAndClose());
    EXPECT_EQ(ui_.MessageTexts().size(), 2u);
    EXPECT_EQ(Tracks().size(), 999u);
    EXPECT_EQ(Tracks().back().at("TRACK"), "999");

    // Kept open for the next day, the source stays full; ending it without a track still works.
    TypeTrack(s, "", "");
    EXPECT_TRUE(s.ToMorrow());
    EntrySession& next = Start();
    TypeTrack(next, "Artist", "Still one too many");
    EXPECT_FALSE(next.SaveAndClose());
    EXPECT_EQ(Tracks().size(), 999u);
    TypeTrack(next, "", "");
    EXPECT_TRUE(next.SaveAndClose());
    EXPECT_EQ(MainTitles().at(0).at("CDNUMMER"), "1");
}

TEST_F(EntrySessionTest, ATakenNumberOrNoCarrierStoresNothing) {
    AddMainTitle({{"DRAGER", "CD"}, {"CDNUMMER", "5"}});
    AddMainTitle({{"DRAGER", "LP"}, {"CDNUMMER", "40"}});
    const std::string taken =
        "Source \"CD 5\" does already exist! Do you want the first available number?";
    const struct {
        const char* drager;
        std::vector<MsgAnswer> answers;
        std::string message;
        int64_t nummer;  // Yes: one above the carrier's own highest number
        EntryControl focus;
    } cases[] = {
        {"CD", {MsgAnswer::No}, taken, 5, EntryControl::InvNummer},
        {"  ", {}, "There is no source!", 5, EntryControl::InvDrager},
        {"CD", {MsgAnswer::Yes}, taken, 6, EntryControl::InvNummer},
    };
    for (const auto& c : cases) {
        EntrySession& s = Start();
        s.fields.drager = c.drager;
        s.fields.nummer = 5;
        TypeTrack(s, "Artist", "Title");
        ui_.answers = {c.answers.begin(), c.answers.end()};
        EXPECT_FALSE(s.WriteTracks(true));
        EXPECT_EQ(ui_.MessageTexts().back(), c.message);
        EXPECT_EQ(s.fields.nummer, c.nummer);
        EXPECT_EQ(s.TakeFocus(), c.focus);
        EXPECT_TRUE(s.dragerEnabled());
        EXPECT_TRUE(Tracks().empty());
    }
    EXPECT_TRUE(session_->WriteTracks(true));
    EXPECT_EQ(Tracks().at(0).at("CDNUMMER"), "6");
}

// After a carrier's number 999999999 its counter and its first available number go on in its
// own gaps.
TEST_F(EntrySessionTest, ACarrierPastTheLastNumberGoesOnInItsOwnGaps) {
    for (const char* number : {"1", "999999999"})
        AddMainTitle({{"DRAGER", "LP"}, {"CDNUMMER", number}});
    IniWriteInteger("Geluidsdragers", "LP", 1000000000);  // as left by saving LP 999999999
    EntrySession& s = Start();
    s.fields.drager = "LP";
    s.InvDragerChange();
    EXPECT_EQ(s.fields.nummer, 2);
    s.fields.nummer = 1;
    TypeTrack(s, "Artist", "Title");
    ui_.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(s.WriteTracks(true));
    EXPECT_EQ(s.fields.nummer, 2);
}

TEST_F(EntrySessionTest, ValuesTypedTwiceInARowStayForTheFollowingTracks) {
    IniWriteString("diversen", "VeldJaar", "19");
    EntrySession& s = Start();
    EXPECT_EQ(s.fields.jaar, "19");
    TypeTrack(s, "Abba", "One");
    s.fields.jaar = "1976";
    ASSERT_TRUE(s.WriteTracks(true));
    EXPECT_EQ(s.fields.artiest, "");
    EXPECT_EQ(s.fields.jaar, "19");

    TypeTrack(s, "Abba", "Two");
    s.fields.jaar = "1976";
    ASSERT_TRUE(s.WriteTracks(true));
    EXPECT_EQ(s.fields.artiest, "Abba");
    EXPECT_EQ(s.fields.titel, "");
    EXPECT_EQ(s.fields.jaar, "1976");

    s.fields.titel = "Three";
    ASSERT_TRUE(s.WriteTracks(true));
    EXPECT_EQ(s.fields.artiest, "Abba");
    const auto tracks = Tracks();
    ASSERT_EQ(tracks.size(), 3u);
    for (const auto& track : tracks) {
        EXPECT_EQ(track.at("ARTIEST"), "Abba");
        EXPECT_EQ(track.at("JAAR"), "1976");
    }
    // Typing something else ends the repeat.
    s.fields.artiest = "Queen";
    s.fields.titel = "Four";
    ASSERT_TRUE(s.WriteTracks(true));
    EXPECT_EQ(s.fields.artiest, "");
}

TEST_F(EntrySessionTest, TrackTimesReadFromTheCdFillTheFollowingTracks) {
    EntrySession& s = Start();
    s.ReadCdInfo();
    EXPECT_EQ(s.autoTracks(), "3");
    EXPECT_EQ(s.label19(), "-");
    EXPECT_EQ(s.fields.minuten, 1);
    EXPECT_EQ(s.fields.seconden, 11);
    EXPECT_FALSE(s.dragerEnabled());
    EXPECT_TRUE(s.changed());
    EXPECT_EQ(cd_.opens, 2);
    EXPECT_EQ(ui_.MessageTexts().at(0), "Reading CD is complete.");
    for (int i = 1; i <= 3; ++i) {
        TypeTrack(s, "A", "T");
        ASSERT_TRUE(s.WriteTracks(false));
    }
    EXPECT_EQ(s.trackNr(), 4);
    EXPECT_EQ(s.fields.minuten, 0);
    EXPECT_EQ(s.fields.seconden, 0);
    EXPECT_FALSE(s.readCdEnabled());
    const auto tracks = Tracks();
    EXPECT_EQ(tracks[1].at("MINUTEN"), "02");
    EXPECT_EQ(tracks[1].at("SECONDEN"), "12");
}

// The disc's CD-TEXT is offered for each empty field the focus comes to, the main title first;
// Accept takes it, a typed text is left alone, and the next track is filled with its own texts.
TEST_F(EntrySessionTest, CdTextIsOfferedForEmptyFieldsAndAcceptTakesIt) {
    cd_.texts = {"Album", "Band", {"One", "Two"}, {"", "Guest"}};
    EntrySession& s = Start();
    s.ReadCdInfo();
    EXPECT_EQ(s.TakeFocus(), EntryControl::InvHoofdtitel);
    const struct {
        EntryControl control;
        std::string typed;
        std::string offered;
        std::string* field;
    } cases[] = {
        {EntryControl::InvHoofdtitel, "", "Album", &s.fields.hoofdtitel},
        {EntryControl::InvHoofdartiest, "", "Band", &s.fields.hoofdartiest},
        {EntryControl::InvArtiest, "", "Band", &s.fields.artiest},
        {EntryControl::InvTitel, "Mine", "", &s.fields.titel},
        {EntryControl::InvLabel, "", "", &s.fields.label},
    };
    for (const auto& c : cases) {
        *c.field = c.typed;
        s.FieldEntered(c.control);
        EXPECT_EQ(s.acceptEnabled(), !c.offered.empty()) << c.offered;
        s.Accept();
        EXPECT_EQ(*c.field, c.offered.empty() ? c.typed : c.offered);
    }
    // Once the disc's texts were taken, the next track is given its own at once.
    ASSERT_TRUE(s.WriteTracks(true));
    EXPECT_EQ(s.fields.artiest + "/" + s.fields.titel, "Guest/Two");
}

TEST_F(EntrySessionTest, ADiscThatIsNotIdentifiedReadsNothing) {
    cd_.identified = false;
    EntrySession& s = Start();
    s.ReadCdInfo();
    EXPECT_EQ(s.autoTracks(), " ");
    EXPECT_TRUE(s.dragerEnabled());
    EXPECT_TRUE(s.readCdEnabled());
}

TEST_F(EntrySessionTest, AReopenedSourceIsNeitherCheckedNorCounted) {
    AddMainTitle({{"DRAGER", "CD"}, {"CDNUMMER", "7"}, {"HTITEL", "Old"}});
    IniWriteString("Diversen", "OpenDrager", "CD                 7");
    IniWriteString("Diversen", "OpenTracknr", "5");
    IniWriteString("Diversen", "OpenTrackKant", "");
    IniWriteInteger("Geluidsdragers", "CD", 3);
    IniWriteInteger("Diversen", "MeldBackup", 2);
    EntrySession& s = Start();
    EXPECT_TRUE(s.reopened());
    EXPECT_EQ(s.fields.hoofdtitel, "Old");
    EXPECT_EQ(s.fields.nummer, 7);
    EXPECT_EQ(s.trackNr(), 5);
    EXPECT_EQ(IniReadString("Diversen", "OpenDrager"), "");
    TypeTrack(s, "A", "T");
    ASSERT_TRUE(s.SaveAndClose());
    EXPECT_TRUE(ui_.MessageTexts().empty());
    EXPECT_EQ(Tracks().at(0).at("TRACK"), "5");
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD"), 3);
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 2);
    ASSERT_EQ(MainTitles().size(), 1u);
    EXPECT_FALSE(MainTitles()[0].at("INVOERDAT").empty());
}

TEST_F(EntrySessionTest, AnOpenSourceThatIsGoneStartsANewOne) {
    IniWriteString("Diversen", "OpenDrager", "CD                99");
    EntrySession& s = Start();
    EXPECT_EQ(ui_.MessageTexts().at(0).rfind("Cannot open source CD                99", 0), 0u);
    EXPECT_FALSE(s.reopened());
    EXPECT_TRUE(s.blank());
    EXPECT_EQ(IniReadString("Diversen", "OpenDrager"), "");
}

// Closing right after "Side B" (the track number back at 1) must not orphan side A's tracks.
TEST_F(EntrySessionTest, ClosingAfterSideBWritesTheMainTitleOfTheStoredTracks) {
    EntrySession& s = Start();
    TypeTrack(s, "A", "T");
    ASSERT_TRUE(s.WriteTracks(false));
    s.SideB();
    s.Closing();
    EXPECT_EQ(MainTitles().at(0).at("DRAGER"), "CD");
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD"), 2);
}

// A save that fails after the track reached the table (its index entries could not be written)
// counts as stored: the entry moves on, and saving again does not store the track twice.
TEST_F(EntrySessionTest, ATrackStoredByAFailedSaveIsNeverStoredTwice) {
    EntrySession& s = Start();
    TypeTrack(s, "A", "T");
    {
        testutil::FileSizeLimit full(std::filesystem::file_size(catalogue().File("artdat.dat")) +
                                     catalogue().dm1.ArtTable.table().recordLength());
        EXPECT_THROW(s.WriteTracks(false), TableError);
    }
    EXPECT_EQ(catalogue().dm1.ArtTable.table().recordCount(), 1u);
    EXPECT_EQ(s.trackNr(), 2);
    EXPECT_TRUE(s.SaveAndClose());
    EXPECT_EQ(catalogue().dm1.ArtTable.table().recordCount(), 1u);
    EXPECT_EQ(MainTitles().at(0).at("DRAGER"), "CD");
}

TEST_F(EntrySessionTest, ATableFailureLeavesNoHalfWrittenTrack) {
    EntrySession& s = Start();
    TypeTrack(s, "A", "T");
    s.fields.kwaliteit = "ADD";
    s.fields.jaar = "12345";  // wider than the field: refused by the table, nothing stored
    EXPECT_THROW(s.WriteTracks(false), TableError);
    EXPECT_TRUE(Tracks().empty());
    EXPECT_EQ(s.trackNr(), 1);
    s.fields.jaar = "1999";
    EXPECT_TRUE(s.WriteTracks(false));
    EXPECT_EQ(Tracks().size(), 1u);
}

}  // namespace
