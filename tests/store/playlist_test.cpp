// The playlist: adding tracks, its totals, deleting one entry and the whole list.
#include <tuple>

#include "base/ini.h"
#include "store/catalogue_fixture.h"
#include "store/playlist_totals.h"

namespace {

class PlaylistTest : public BuiltCatalogueTest {
protected:
    void SetUp() override {
        BuiltCatalogueTest::SetUp();
        IniWriteBool("Diversen", "Geluid", true);
        WriteFile(File("error.wav"), "");
    }
    TDataModule3& dm3() { return catalogue_->dm3; }
    // Adds a track record; its record number as text.
    std::string Track(const char* carrier, const char* number, const char* side, const char* title,
                      const char* minutes = "3", const char* seconds = "00") {
        Add(catalogue_->dm1.ArtTable, {{"DRAGER", carrier},
                                       {"CDNUMMER", number},
                                       {"AKANT", side},
                                       {"TRACK", "1"},
                                       {"TITEL", title},
                                       {"ARTIEST", "Band"},
                                       {"MINUTEN", minutes},
                                       {"SECONDEN", seconds}});
        return std::to_string(catalogue_->dm1.ArtAccess.RecNo());
    }
};

TEST_F(PlaylistTest, ATrackIsListedOnceByCarrierNumberTrackAndSide) {
    const std::string first = Track("CD", "5", " ", "Song");
    const std::string otherSource = Track("CD", "6", " ", "Song");
    const std::string otherSide = Track("CD", "5", "B", "Song");
    const std::string noNumber = Track("CD", "0", " ", "Lost");
    for (const auto& [recno, added, message] :
         {std::tuple{first, true, ""},
          {first, false, "Track already exist in the playlist."},
          {otherSource, true, ""},
          {otherSide, true, ""},
          {noNumber, false, "This record has no number!"}}) {
        ui_.messages.clear();
        ui_.sounds.clear();
        EXPECT_EQ(dm3().AddToPlayList(catalogue_->dm1, recno), added) << recno;
        if (added) {
            EXPECT_TRUE(ui_.messages.empty()) << recno;
            EXPECT_EQ(dm3().PlaylistAccess.IndexOrd(), 7);
        } else {
            EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{message}) << recno;
            EXPECT_EQ(ui_.sounds, std::vector<std::string>{"error.wav"}) << recno;
        }
    }
    EXPECT_EQ(dm3().PlaylistAccess.Count(), 3u);
    dm3().PlaylistAccess.SetOrder(0);
    dm3().PlaylistAccess.GoTop();
    EXPECT_EQ(dm3().PlaylistAccess.GetString("TITEL").bytes().substr(0, 5), "Song ");
    EXPECT_EQ(dm3().PlaylistAccess.GetString("MINUTEN").bytes(), "3  ");
}

TEST_F(PlaylistTest, TotalsAddMinutesAndCarrySeconds) {
    using Times = std::vector<std::pair<const char*, const char*>>;
    for (const auto& [times, count, playing] :
         {std::tuple{Times{{"2", "40"}, {"3", "30"}}, 2, "06:10"},
          {Times{{"", ""}, {"2", "40"}}, 2, "02:40"},
          {Times{{"4", ""}, {"1", "30"}}, 2, "05:30"},
          {Times{{"99", "59"}, {"25", "08"}}, 2, "125:07"},
          {Times{}, 0, "00:00"}}) {
        ASSERT_TRUE(dm3().ZapPlaylist());
        for (const auto& [minutes, seconds] : times)
            Add(dm3().PlaylistTable,
                {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"MINUTEN", minutes}, {"SECONDEN", seconds}});
        dm3().PlaylistAccess.GoTop();
        const uint32_t current = dm3().PlaylistAccess.RecNo();
        const PlaylistTotals totals = CountPlaylist(dm3().PlaylistAccess);
        EXPECT_EQ(totals.count, count) << playing;
        EXPECT_EQ(totals.PlayingTime(), playing);
        EXPECT_EQ(dm3().PlaylistAccess.RecNo(), current);
    }
}

TEST_F(PlaylistTest, DeletesAskFirstAndAnEmptiedListStaysEmptyAfterARestart) {
    for (const char* number : {"1", "2", "3"})
        ASSERT_TRUE(dm3().AddToPlayList(catalogue_->dm1, Track("CD", number, " ", "Song")));
    WritePrintIni("PlayList", "PlaylistOms", "Party");
    TTableAccess& list = dm3().PlaylistAccess;
    list.GoTop();
    ui_.answers = {MsgAnswer::No, MsgAnswer::Yes};
    EXPECT_FALSE(dm3().DeletePlaylistTrack());
    EXPECT_TRUE(dm3().DeletePlaylistTrack());
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(ui_.messages[0].buttons, MsgButtons::YesNoDefaultNo);

    IniWriteBool("Diversen", "TrackBvAan", true);
    EXPECT_FALSE(dm3().DeletePlaylist());
    EXPECT_EQ(ui_.MessageTexts().back(), "You are not authorized to use this option.");
    IniWriteBool("Diversen", "TrackBvAan", false);
    ui_.answers = {MsgAnswer::No};
    EXPECT_FALSE(dm3().DeletePlaylist());
    EXPECT_EQ(list.Count(), 2u);
    EXPECT_EQ(ReadPrintIni("Playlist", "PlayListOms"), "Party");

    ui_.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(dm3().DeletePlaylist());
    EXPECT_EQ(ReadPrintIni("Playlist", "PlayListOms"), "");
    catalogue_.reset();
    catalogue_ = std::make_unique<Catalogue>(folder());
    catalogue_->OpenIndexes();
    // Emptied, not merely marked: no deleted entry is left to come back.
    EXPECT_EQ(dm3().PlaylistTable.table().recordCount(), 0u);
    EXPECT_EQ(dm3().PlaylistAccess.Count(), 0u);
    EXPECT_TRUE(dm3().AddToPlayList(catalogue_->dm1, "1"));
}

}  // namespace
