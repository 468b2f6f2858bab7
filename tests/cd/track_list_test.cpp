// "Tracks & times": the disc's tracks with their lengths, playing one, the jump to its source.
#include "cd/show_cd_tr_form.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <tuple>

#include "cd_fixture.h"

namespace {

using cdtest::CdTest;
using cdtest::kSecond;

class TrackListTest : public CdTest {
protected:
    TrackListTest() {
        InsertDisc({4 * kSecond + 30, 3 * kSecond + 74, 2 * kSecond, 5 * kSecond});
        player = OpenPlayer();
    }
    QStringList Lines(TShowCdTrForm& form) {
        QStringList lines;
        auto* list = form.findChild<QListWidget*>("ListBox1");
        for (int i = 0; i < list->count(); ++i)
            lines << list->item(i)->text();
        return lines;
    }
    int Track() { return player->device().Position().track; }

    std::unique_ptr<TCdSpeler> player;
};

TEST_F(TrackListTest, OneLinePerTrackWithWholeSeconds) {
    TShowCdTrForm form(*player);
    form.FillTracks();
    EXPECT_EQ(Lines(form), (QStringList{"Track 001   [00:04]", "Track 002   [00:03]",
                                        "Track 003   [00:02]", "Track 004   [00:04]"}));
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Reading tracks...", ""}));
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_TRUE(form.findChild<QPushButton*>("Button1")->isDefault());

    // The disc's IDs are shown; its MusicBrainz page opens only on the button.
    const std::string id = player->DiscIds().musicbrainz;
    EXPECT_EQ(form.findChild<QLabel*>("DiscIdLab")->text().toStdString(),
              "Disc ID: " + id + "   freedb: " + player->DiscIds().freedb);
    EXPECT_TRUE(ui.urls.empty());
    form.findChild<QPushButton*>("MusicBrainzBtn")->click();
    ASSERT_EQ(ui.urls.size(), 1u);
    EXPECT_NE(ui.urls[0].find(id), std::string::npos);

    std::vector<int> frames(11, kSecond);
    frames.insert(frames.begin(), 61 * kSecond + 30);
    InsertDisc(frames, "long");
    form.FillTracks();
    const QStringList lines = Lines(form);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines.front(), "Track 001   [01:01]");
    EXPECT_EQ(lines.back(), "Track 012   [00:00]");  // the lead-out's frame is not the track's
}

TEST_F(TrackListTest, TheButtonOrADoubleClickPlaysTheLineAndClosesTheList) {
    // Nothing selected plays track 1; each case starts while track 4 plays.
    for (const auto& [row, doubleClick, track] :
         {std::tuple{2, false, 3}, {-1, false, 1}, {1, true, 2}}) {
        player->PlayCdTrack(4);
        TShowCdTrForm form(*player);
        form.FillTracks();
        form.show();
        auto* list = form.findChild<QListWidget*>("ListBox1");
        list->setCurrentRow(row);
        if (doubleClick) {
            const QRect line = list->visualItemRect(list->item(row));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line.center());
        } else {
            form.findChild<QPushButton*>("Button1")->click();
        }
        EXPECT_EQ(Track(), track) << row;
        EXPECT_EQ(player->GetCDMode(), 2);
        EXPECT_FALSE(form.isVisible());
    }
}

// The jump button follows the disc's CD ID; the catalogue line also names a source entered by
// hand whose times fit the disc's (4, 3, 2 and 5 s), and its button opens that one.
TEST_F(TrackListTest, TheDiscsSourceIsNamedAndOpened) {
    std::vector<std::string> opened;
    player->setSourceOpener([&opened](const std::string& key) { opened.push_back(key); });
    {
        TShowCdTrForm form(*player);
        form.FillTracks();
        EXPECT_FALSE(form.findChild<QLabel*>("lCatalogue")->isVisibleTo(&form));
        EXPECT_FALSE(form.findChild<QPushButton*>("ShowItBtn")->isVisibleTo(&form));
    }
    AddSource("CD", 6, "Blue");
    for (int track = 1; track <= 4; ++track)
        AddTrack("CD", 6, track, std::vector<int>{4, 5, 2, 5}[size_t(track) - 1]);
    AddSource("LP", 7, "Green");
    for (int track = 1; track <= 4; ++track)
        AddTrack("LP", 7, track, std::vector<int>{4, 3, 2, 5}[size_t(track) - 1]);
    struct Case {
        const char* rmnr;  // given to CD 5 "Red"
        const char* line;
        const char* opens;
    };
    const std::string id = std::to_string(player->GetCDID());
    for (const Case& c : {Case{"", "This disc looks like LP 7 \"Green\".", "LP                 7"},
                          Case{id.c_str(), "This disc is already in the catalogue as CD 5 \"Red\".",
                               "CD                 5"}}) {
        if (*c.rmnr) {
            AddSource("CD", 5, "Red", c.rmnr);
            AddTrack("CD", 5, 1);
        }
        TShowCdTrForm form(*player);
        form.FillTracks();
        EXPECT_EQ(form.findChild<QLabel*>("lCatalogue")->text().toStdString(), c.line);
        opened.clear();
        form.findChild<QPushButton*>("ShowItBtn")->click();
        if (*c.rmnr)
            form.findChild<QToolButton*>("SpeedButton1")->click();
        EXPECT_EQ(opened, std::vector<std::string>(*c.rmnr ? 2 : 1, c.opens)) << c.line;
    }
}

TEST_F(TrackListTest, AddToPlaylistTakesTheCatalogueTrackOfTheLine) {
    TShowCdTrForm untied(*player);
    untied.FillTracks();
    untied.findChild<QListWidget*>("ListBox1")->setCurrentRow(0);
    EXPECT_FALSE(untied.findChild<QPushButton*>("AddToPlaylistBtn")->isEnabled());

    AddSource("CD", 5, "Red", std::to_string(player->GetCDID()));
    for (int track : {1, 2})
        AddTrack("CD", 5, track);
    TShowCdTrForm form(*player);
    form.FillTracks();
    auto* add = form.findChild<QPushButton*>("AddToPlaylistBtn");
    for (const auto& [row, offered] : {std::pair{1, true}, {3, false}}) {
        form.findChild<QListWidget*>("ListBox1")->setCurrentRow(row);
        EXPECT_EQ(add->isEnabled(), offered) << row;
    }
    form.findChild<QListWidget*>("ListBox1")->setCurrentRow(1);
    add->click();
    TTableAccess& list = catalogue->dm3.PlaylistAccess;
    ASSERT_EQ(list.Count(), 1u);
    list.GoTop();
    EXPECT_EQ(list.GetInteger("TRACK"), 2);
    EXPECT_EQ(list.GetInteger("CDNUMMER"), 5);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
