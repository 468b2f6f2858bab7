// The CD operations other screens call: track times, playing, the in-use check, hiding, the source.
#include <gtest/gtest.h>

#include "cd/cd_player_view.h"
#include "cd/cd_speler.h"
#include "cd_fixture.h"

namespace {

using cdtest::CdTest;
using cdtest::kSecond;

// Remembers what the player showed.
class RecordingView : public CdPlayerView {
public:
    void SetPlayerVisible(bool visible) override { player = visible; }
    void SetCdPanelVisible(bool visible) override { panel = visible; }
    void SetIntroPanelVisible(bool visible) override { intro = visible; }
    void ShowPosition(const std::string& t, const std::string& at) override {
        track = t;
        time = at;
    }
    bool player = false;
    bool panel = false;
    bool intro = false;
    std::string track;
    std::string time;
};

class CdOperationsTest : public CdTest {
protected:
    CdOperationsTest() {
        // Track 2 is shorter than a second: no time on the CD. The last track ends a frame
        // before the lead-out.
        InsertDisc({3 * kSecond + 45, 40, 2 * kSecond + 10, 4 * kSecond});
        player = MakePlayer();
        player->setView(&view);
        player->OpenCDPlayer();
    }
    std::string Time(uint32_t recno) {
        catalogue->dm1.ArtAccess.Go(recno);
        return catalogue->dm1.ArtAccess.GetString("MINUTEN").bytes() + ":" +
               catalogue->dm1.ArtAccess.GetString("SECONDEN").bytes();
    }

    RecordingView view;
    std::unique_ptr<TCdSpeler> player;
};

// Opening shows the player by the setting and keeps a playing disc playing; hiding closes it.
TEST_F(CdOperationsTest, OpeningAndHidingFollowTheSettingAndKeepAPlayingDisc) {
    EXPECT_TRUE(view.player);
    EXPECT_FALSE(view.panel);
    EXPECT_EQ(player->GetTracks(), 4);
    player->PlayCdTrack(3);
    At(std::chrono::seconds(2));
    player->OpenCDPlayer();
    EXPECT_EQ(player->GetCDMode(), 2);
    EXPECT_TRUE(view.panel);
    EXPECT_EQ(player->device().Position().track, 3);
    EXPECT_EQ(player->device().Position().seconds, 2);

    player->StartIntro();
    player->HideCdPlayer();
    EXPECT_FALSE(IniReadBool("Opstart", "ToonCdSpeler", true));
    EXPECT_FALSE(view.player || view.panel || view.intro || player->CDPanelActive());
    EXPECT_EQ(player->GetCDMode(), 0);
    player->OpenCDPlayer();
    EXPECT_FALSE(view.player || player->device().IsOpen());
}

TEST_F(CdOperationsTest, TrackTimesAreWrittenIntoTheCurrentTrackOrAskedForFirst) {
    // The last track: the lead-out's frame is not the track's.
    for (const auto& [number, time] : {std::pair{1, "00 :03"}, {3, "00 :02"}, {4, "00 :03"}}) {
        const uint32_t track = AddTrack("CD", 1, number);
        EXPECT_EQ(player->GetTrackTime(number), MsgAnswer::Yes);
        EXPECT_EQ(Time(track), time) << number;
    }
    EXPECT_TRUE(ui.messages.empty());

    // A track without time on the CD asks first.
    const uint32_t track = AddTrack("CD", 1, 2);
    ui.answers = {MsgAnswer::No, MsgAnswer::Abort, MsgAnswer::Yes};
    EXPECT_EQ(player->GetTrackTime(2), MsgAnswer::No);
    EXPECT_EQ(player->GetTrackTime(2), MsgAnswer::Abort);
    EXPECT_EQ(Time(track), "   :  ");
    catalogue->dm1.ArtAccess.Go(track);
    EXPECT_EQ(player->GetTrackTime(2), MsgAnswer::Yes);
    EXPECT_EQ(Time(track), "00 :00");
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text,
              "Track 2 has no time on the CD! Check if the track numbers are right. Do you want to "
              "save the time?");
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNoAbort);
    EXPECT_EQ(ui.messages[0].helpContext, 0);
    EXPECT_TRUE(ui.sounds.empty());

    InsertDisc({62 * kSecond + 10, kSecond}, "long");  // minutes and seconds
    player->OpenCDPlayer();
    const uint32_t first = AddTrack("CD", 1, 1);
    EXPECT_EQ(player->GetTrackTime(1), MsgAnswer::Yes);
    EXPECT_EQ(Time(first), "01 :02");
}

// Refused by the disc check, nothing plays; once the disc is tied to the source its track plays.
TEST_F(CdOperationsTest, PlayTrackPlaysTheRecordsTrackOnceTheDiscIsItsSources) {
    AddSource("CD", 4, "Red");
    AddTrack("CD", 4, 1);
    const uint32_t third = AddTrack("CD", 4, 3);
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    player->PlayTrack(std::to_string(third));
    EXPECT_EQ(player->GetCDMode(), 1);
    EXPECT_FALSE(player->CDPanelActive());
    catalogue->dm1.ArtAccess.Go(1);
    player->PlayTrack(std::to_string(third));
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(catalogue->dm1.ArtAccess.RecNo(), third);
    EXPECT_EQ(player->GetCDMode(), 2);
    EXPECT_TRUE(player->CDPanelActive() && view.panel);
    At(std::chrono::seconds(1));
    EXPECT_EQ(player->device().Position().track, 3);
    EXPECT_EQ(player->device().Position().seconds, 1);

    player->StopTrack();
    EXPECT_EQ(player->GetCDMode(), 1);
    EXPECT_FALSE(player->CDPanelActive() || view.panel);
}

TEST_F(CdOperationsTest, AFailedOpenIsRetriedAndNamedNotReadyOrInUse) {
    const std::string disc = IniReadString("Opstart", "CdDevice");
    IniWriteString("Opstart", "CdDevice", folder() + "/missing.cue");
    player->OpenCDPlayer();
    EXPECT_TRUE(player->CDOpenFailed());
    EXPECT_TRUE(ui.messages.empty());  // a failed open alone shows nothing

    EXPECT_TRUE(player->CDPlayerInUse());
    player->StopTrack();
    player->EjectCD();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>(3, "CD-ROM drive is not ready: the disc image \"" +
                                              folder() + "/missing.cue\" does not exist."));
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.messages[0].helpContext, 34);
    EXPECT_EQ(ui.sounds, std::vector<std::string>(3, "error.wav"));

    // Once the disc is there the next command opens it again.
    IniWriteString("Opstart", "CdDevice", disc);
    EXPECT_FALSE(player->CDPlayerInUse());
    EXPECT_FALSE(player->CDOpenFailed());
    EXPECT_EQ(player->GetTracks(), 4);

    auto device = std::make_unique<cdtest::ScriptedDevice>();
    device->held = true;
    TCdSpeler held(*catalogue, std::move(device));
    held.OpenCDPlayer();
    EXPECT_TRUE(held.CDPlayerInUse());
    EXPECT_EQ(ui.MessageTexts().back(),
              "The CD player is probably in use by an other program. Close the other program "
              "and try again!");
}

TEST_F(CdOperationsTest, TrackNumbersCountTheAudioTracksOfADiscThatStartsWithData) {
    IniWriteString(
        "Opstart", "CdDevice",
        testutil::WriteMixedCueBinImage(
            folder(),
            {{2 * kSecond, false}, {3 * kSecond, true}, {5 * kSecond, true}, {kSecond, true}},
            "mixed"));
    player->OpenCDPlayer();
    EXPECT_EQ(player->GetTracks(), 3);
    AddSource("CD", 5, "Mixed", std::to_string(player->GetCDID()));
    const uint32_t second = AddTrack("CD", 5, 2);
    player->PlayTrack(std::to_string(second));
    EXPECT_EQ(player->device().Position().track, 2);
    EXPECT_EQ(player->GetTrackTime(2), MsgAnswer::Yes);
    EXPECT_EQ(Time(second), "00 :05");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CdOperationsTest, DirectlyToTheSourceOfTheDiscOrSaysItIsUnknown) {
    std::vector<std::string> opened;
    player->setSourceOpener([&opened](const std::string& key) { opened.push_back(key); });
    TTableAccess& hf = catalogue->dm2.HfAccess;
    const uint32_t other = AddSource("LP", 1, "Other", "555");
    hf.SetOrder(4);
    hf.Go(other);
    player->DirectNaarCDInhoud();  // a disc the catalogue does not know
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The CD or ID is not found in the database!");
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(hf.IndexOrd(), 4);
    EXPECT_EQ(hf.RecNo(), other);
    ui.messages.clear();

    AddSource("cd", 12, "Red", std::to_string(player->GetCDID()));
    AddTrack("LP", 1, 1);

    // The disc's source has no tracks yet: nothing opens.
    hf.SetOrder(1);
    hf.Go(other);
    player->DirectNaarCDInhoud();
    EXPECT_TRUE(opened.empty() && ui.messages.empty());
    EXPECT_EQ(hf.IndexOrd(), 1);
    EXPECT_EQ(hf.RecNo(), other);

    const uint32_t track = AddTrack("CD", 12, 2);
    hf.Go(other);
    player->DirectNaarCDInhoud();
    EXPECT_EQ(opened, std::vector<std::string>{"CD                12"});
    EXPECT_EQ(catalogue->dm1.ArtAccess.RecNo(), track);
    EXPECT_EQ(hf.IndexOrd(), 1);
    EXPECT_EQ(hf.RecNo(), other);
}

}  // namespace
