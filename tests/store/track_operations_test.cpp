// Tracks and sources: capitals on storing, one value for a source, renumbering, moving, deleting.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/ini.h"
#include "base/text.h"
#include "catalogue_fixture.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

using Strings = std::vector<std::string>;

class TrackOperationsTest : public BuiltCatalogueTest {
protected:
    void SetUp() override {
        BuiltCatalogueTest::SetUp();
        // 2 March 2024, noon UTC: the same day in every time zone a test runs in.
        Clock::Set(std::chrono::sys_days{std::chrono::year{2024} / 3 / 2} + std::chrono::hours(12));
    }
    void TearDown() override { Clock::Reset(); }

    TDataModule1& dm1() { return catalogue_->dm1; }
    TDataModule2& dm2() { return catalogue_->dm2; }
    TTableAccess& art() { return catalogue_->dm1.ArtAccess; }

    uint32_t AddTrack(const std::string& carrier, int number, const std::string& side, int track,
                      const std::string& title, const std::string& style = "Pop") {
        Add(dm1().ArtTable, {{"DRAGER", carrier},
                             {"CDNUMMER", std::to_string(number)},
                             {"AKANT", side},
                             {"TRACK", std::to_string(track)},
                             {"ARTIEST", "Artist"},
                             {"TITEL", title},
                             {"SOORT", style}});
        return art().RecNo();
    }
    uint32_t AddTitle(const std::string& carrier, int number, const std::string& title) {
        Add(dm2().HfTable,
            {{"DRAGER", carrier}, {"CDNUMMER", std::to_string(number)}, {"HTITEL", title}});
        return dm2().HfAccess.RecNo();
    }

    // "side track title" of every track of a source, in side and track order.
    Strings TracksOf(const std::string& carrier, int number) {
        Strings rows;
        art().SetOrder(10);
        const std::string key = SourceSeekKey(carrier, number);
        for (bool found = art().Seek(key); found && !art().Eof(); art().Skip(1)) {
            if (SourceSeekKey(art().GetString("DRAGER").bytes(), art().GetInteger("CDNUMMER")) !=
                key)
                break;
            rows.push_back(Trim(art().GetString("AKANT").bytes() + " " +
                                std::to_string(art().GetInteger("TRACK")) + " " +
                                Trim(art().GetString("TITEL").bytes())));
        }
        return rows;
    }
    std::string Field(uint32_t recno, const char* field) {
        art().Go(recno);
        return art().GetString(field).bytes();
    }
    // The named fields of a track with the blanks on their right cut, joined by '|'.
    std::string Fields(uint32_t recno, std::initializer_list<const char*> names) {
        std::string joined;
        for (const char* name : names)
            joined += (joined.empty() ? "" : "|") + TrimRight(Field(recno, name));
        return joined;
    }
    static void SetCapitals(std::initializer_list<std::pair<const char*, bool>> flags) {
        for (const auto& [key, on] : flags)
            IniWriteBool("Kapitaliseer", key, on);
    }
};

TEST_F(TrackOperationsTest, AModifiedTrackIsStoredWithTheCapitalsChosenNow) {
    // A modified track's style follows Genre1.
    SetCapitals({{"K_Artiest", true}, {"K_titel", false}, {"K_Genre1", true}, {"K_Genre2", false}});
    const uint32_t recno = AddTrack("cd", 1, "", 1, "paint it black", "hard rock");
    art().Go(recno);
    dm1().ArtTable.Edit();
    dm1().ArtTable.SetFieldAsString("ARTIEST", "the rolling stones");
    dm1().KapitaliseerData1("99", "4", "12", "7");
    EXPECT_EQ(dm1().ArtTable.state(), TTable::State::Browse);
    const auto stored = {"ARTIEST", "TITEL",   "SOORT",    "DRAGER",
                         "JAAR",    "MINUTEN", "SECONDEN", "TRACK"};
    // Fewer than 3 characters typed for the year: no year.
    EXPECT_EQ(Fields(recno, stored), "The Rolling Stones|Paint it black|Hard Rock|CD||04|07|  12");
    EXPECT_EQ(art().GetDateString("WIJZIGDAT"), "02-03-2024");

    // The flags are read at each call: switched off, only the first letter is raised.
    IniWriteBool("Kapitaliseer", "K_Artiest", false);
    dm1().ArtTable.Edit();
    dm1().ArtTable.SetFieldAsString("ARTIEST", "the who");
    dm1().KapitaliseerData1("1965", "123", "1", "0");
    EXPECT_EQ(Fields(recno, stored), "The who|Paint it black|Hard Rock|CD|1965|123|00|   1");
    EXPECT_EQ(ui_.statuses.front(), "Upper each word...");
    EXPECT_EQ(ui_.statuses.back(), "");
}

TEST_F(TrackOperationsTest, ATrackWithNumbersOutOfRangeIsRefusedAndNotStored) {
    const uint32_t recno = AddTrack("CD", 1, "", 3, "Song");
    for (const Strings& bad : {Strings{"1999", "1000", "1", "0"}, Strings{"1999", "3", "1", "60"},
                               Strings{"1999", "3", "0", "0"}, Strings{"1999", "3", "x", "0"},
                               Strings{"19999", "3", "1", "0"}, Strings{"19a9", "3", "1", "0"}}) {
        art().Go(recno);
        dm1().ArtTable.Edit();
        dm1().ArtTable.SetFieldAsString("TITEL", "Changed");
        EXPECT_THROW(dm1().KapitaliseerData1(bad[0], bad[1], bad[2], bad[3]), TableError)
            << bad[0] << " " << bad[1] << " " << bad[2] << " " << bad[3];
        dm1().ArtTable.Cancel();
        EXPECT_EQ(Trim(Field(recno, "TITEL")), "Song");
        EXPECT_EQ(art().GetInteger("TRACK"), 3);
    }
}

TEST_F(TrackOperationsTest, AModifiedMainTitleIsStoredWithItsOwnFlags) {
    // A modified main title's style follows Genre2.
    SetCapitals({{"K_Genre2", true}, {"K_Genre1", false}, {"K_Hoofdtitel", true}});
    SetCapitals({{"K_Label", false}, {"K_Hoofdartiest", true}});
    AddTitle("cd", 7, "let it bleed");
    TTable& hf = dm2().HfTable;
    hf.Edit();
    hf.SetFieldAsString("OPNAME", "ddd");
    hf.SetFieldAsString("SOORT", "blues rock");
    hf.SetFieldAsString("LABEL", "decca records");
    hf.SetFieldAsString("HOOFDART", "the rolling stones");
    dm2().KapitaliseerData2();
    EXPECT_EQ(hf.state(), TTable::State::Browse);
    std::string stored;
    for (const char* name :
         {"DRAGER", "OPNAME", "HTITEL", "SOORT", "LABEL", "HOOFDART", "WIJZIGDAT"})
        stored += Trim(hf.FieldAsString(name).bytes()) + "|";
    EXPECT_EQ(stored,
              "CD|DDD|Let It Bleed|Blues Rock|Decca records|The Rolling Stones|02-03-2024|");
}

TEST_F(TrackOperationsTest, OneValueGoesIntoEveryTrackOfTheSourceAsGiven) {
    AddTrack("CD", 1, "", 1, "One", "Rock");
    const uint32_t second = AddTrack("CD", 1, "", 2, "Two", "Jazz");
    const uint32_t other = AddTrack("CD", 2, "", 1, "Other", "Rock");
    AddTrack("CD", 10, "", 1, "Ten", "Rock");  // "CD 1" must not reach "CD 10"
    art().SetOrder(2);
    art().Go(second);
    dm1().ReplaceVeld("cd", "1", "new wave", "SOORT");
    EXPECT_EQ(art().IndexOrd(), 2);
    EXPECT_EQ(art().RecNo(), second);
    art().SetOrder(10);
    Strings styles;
    for (art().GoTop(); !art().Eof(); art().Skip(1))
        styles.push_back(Trim(art().GetString("TITEL").bytes()) + ":" +
                         Trim(art().GetString("SOORT").bytes()));
    EXPECT_EQ(styles, (Strings{"One:new wave", "Two:new wave", "Other:Rock", "Ten:Rock"}));
    EXPECT_EQ(Trim(Field(other, "SOORT")), "Rock");
    EXPECT_EQ(ui_.statuses.front(), "Replacing fields...");
    EXPECT_EQ(ui_.statuses.back(), "");
    EXPECT_EQ(ui_.busyDepth, 0);
    // A value too long for the field changes nothing and leaves no edit open.
    EXPECT_THROW(dm1().ReplaceVeld("CD", "1", std::string(31, 'x'), "SOORT"), TableError);
    EXPECT_EQ(dm1().ArtTable.state(), TTable::State::Browse);
    EXPECT_EQ(Trim(Field(second, "SOORT")), "new wave");
}

TEST_F(TrackOperationsTest, RenumberingRunsOnAcrossTheSidesOnlyWhenConfirmedAndAllowed) {
    const std::tuple<const char*, int, const char*> tracks[] = {
        {"B", 2, "B2"},       {"A", 5, "A5"}, {"A", 1, "A1"},
        {"A", 2, "A2 first"}, {"B", 1, "B1"}, {"A", 2, "A2 second"}};
    for (const auto& [side, track, title] : tracks)
        AddTrack("LP", 3, side, track, title);
    const uint32_t elsewhere = AddTrack("LP", 4, "A", 9, "Elsewhere");
    const Strings before = TracksOf("LP", 3);
    ui_.answers = {MsgAnswer::No};  // refused, then not allowed: nothing changes
    EXPECT_FALSE(dm1().HernummerTrackVeld("LP", "3"));
    IniWriteBool("Diversen", "TrackBvAan", true);
    EXPECT_FALSE(dm1().HernummerTrackVeld("LP", "3"));
    EXPECT_EQ(ui_.MessageTexts().back(), "You are not authorized to use this option.");
    EXPECT_EQ(TracksOf("LP", 3), before);
    IniWriteBool("Diversen", "TrackBvAan", false);
    ui_.messages.clear();
    ui_.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(dm1().HernummerTrackVeld("lp", "3"));
    EXPECT_EQ(TracksOf("LP", 3),
              (Strings{"A 1 A1", "A 2 A2 first", "A 3 A2 second", "A 4 A5", "B 5 B1", "B 6 B2"}));
    EXPECT_EQ(ui_.MessageTexts(),
              (Strings{"Do you want to renumber the tracks in chronological order?",
                       "Tracks are renumbered."}));
    EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Trim(Field(elsewhere, "TITEL")), "Elsewhere");
    EXPECT_EQ(art().GetInteger("TRACK"), 9);
}

TEST_F(TrackOperationsTest, ASourceOfMoreThan999TracksIsWalkedWhole) {
    for (int track = 1; track <= 1001; ++track)
        AddTrack("MP3", 1, "", 1001 - track + 1, "T" + std::to_string(track));
    ui_.answers = {MsgAnswer::Yes};
    ASSERT_TRUE(dm1().HernummerTrackVeld("MP3", "1"));
    const Strings tracks = TracksOf("MP3", 1);
    ASSERT_EQ(tracks.size(), 1001u);
    EXPECT_EQ(tracks.front(), "1 T1001");
    EXPECT_EQ(tracks.back(), "1001 T1");
    dm1().ReplaceVeld("MP3", "1", "Electronic", "SOORT");
    art().SetOrder(7);
    EXPECT_FALSE(art().Seek(PadRight("POP", 30)));  // every one of them changed
}

// A taken key is refused and the old one comes back with the other changes kept; an unchanged key
// does nothing; a free key takes the source's tracks along.
TEST_F(TrackOperationsTest, ASourceMovesWithItsTracksToAFreeKeyOnly) {
    IniWriteBool("Diversen", "Geluid", true);
    WriteFile(File("error.wav"), "RIFF");
    const uint32_t title = AddTitle("CD", 5, "Moving");
    AddTitle("CD", 6, "Taken");
    AddTrack("CD", 5, "", 1, "M1");
    AddTrack("CD", 5, "", 2, "M2");
    AddTrack("CD", 6, "", 1, "T1");
    dm2().HfAccess.Go(title);
    dm2().HfTable.Edit();
    dm2().HfTable.SetFieldAsInteger("CDNUMMER", 6);
    dm2().HfTable.SetFieldAsString("HTITEL", "Renamed");
    dm2().KapitaliseerData2();
    EXPECT_FALSE(dm1().ChangeTracks(dm2(), "CD", "5", "6", "CD"));
    EXPECT_EQ(ui_.Log(),
              (Strings{"sound:error.wav", "Source CD 6 already exist. Canceling changes."}));
    EXPECT_EQ(ui_.messages[0].kind, MsgKind::Warning);
    EXPECT_EQ(dm2().HfTable.state(), TTable::State::Browse);  // the old key is stored already
    dm2().HfAccess.Go(title);
    EXPECT_EQ(dm2().HfAccess.GetInteger("CDNUMMER"), 5);
    EXPECT_EQ(Trim(dm2().HfAccess.GetString("HTITEL").bytes()), "Renamed");  // other changes stay
    EXPECT_EQ(TracksOf("CD", 5), (Strings{"1 M1", "2 M2"}));
    EXPECT_EQ(TracksOf("CD", 6), Strings{"1 T1"});
    ui_.messages.clear();
    EXPECT_TRUE(dm1().ChangeTracks(dm2(), "CD", "5", " 5", "cd"));
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(TracksOf("CD", 5), (Strings{"1 M1", "2 M2"}));

    dm2().HfAccess.SetOrder(1);
    dm2().HfAccess.Go(title);
    dm2().HfTable.Edit();
    dm2().HfTable.SetFieldAsString("DRAGER", "lp");
    dm2().HfTable.SetFieldAsInteger("CDNUMMER", 12);
    dm2().KapitaliseerData2();
    EXPECT_TRUE(dm1().ChangeTracks(dm2(), "CD", "5", "12", "lp"));
    EXPECT_EQ(TracksOf("LP", 12), (Strings{"1 M1", "2 M2"}));
    EXPECT_TRUE(TracksOf("CD", 5).empty());
    EXPECT_EQ(TracksOf("CD", 6), Strings{"1 T1"});
    EXPECT_EQ(dm2().HfAccess.IndexOrd(), 1);
    EXPECT_EQ(dm2().HfAccess.RecNo(), title);
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(ui_.statuses.back(), "");
}

TEST_F(TrackOperationsTest, OneTrackIsDeletedOnlyWhenConfirmed) {
    AddTrack("CD", 1, "", 1, "Keep");
    const uint32_t gone = AddTrack("CD", 1, "", 2, "Gone");
    art().Go(gone);
    ui_.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(dm1().DeleteOneTrack());
    EXPECT_EQ(TracksOf("CD", 1), (Strings{"1 Keep", "2 Gone"}));
    art().Go(gone);
    EXPECT_TRUE(dm1().DeleteOneTrack());
    EXPECT_EQ(TracksOf("CD", 1), Strings{"1 Keep"});
    EXPECT_EQ(ui_.messages[0].text, "Do you want to delete this track?");
    art().GoBottom();
    art().Skip(1);
    EXPECT_FALSE(dm1().DeleteOneTrack());  // no track to delete: nothing asked
    EXPECT_EQ(ui_.messages.size(), 2u);
}

}  // namespace
