// ChkCD: every way the disc in the drive is matched with, or tied to, its source.
#include <gtest/gtest.h>

#include "cd/cd_speler.h"
#include "cd_fixture.h"

namespace {

using cdtest::CdTest;
using cdtest::kSecond;

constexpr char kNotMatching[] =
    "The CD currently in the CD-ROM drive does not match the database information!";

class ChkCdTest : public CdTest {
protected:
    ChkCdTest() {
        InsertDisc({3 * kSecond, 4 * kSecond, 5 * kSecond});
        player = OpenPlayer();
        id = std::to_string(player->GetCDID());
    }
    // Stands artdat.dat on a track of the source, as a screen does before playing it.
    void OnTrackOf(const std::string& drager, int number) {
        catalogue->dm1.ArtAccess.Go(AddTrack(drager, number, 1));
    }
    uint32_t HfRecNo() const { return catalogue->dm2.HfAccess.RecNo(); }
    void Forget() {
        ui.messages.clear();
        ui.sounds.clear();
        ui.statuses.clear();
    }
    void ExpectRefusal(MsgKind kind, const std::string& text, int help) {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, kind);
        EXPECT_EQ(ui.messages[0].text, text);
        EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(ui.messages[0].helpContext, help);
        EXPECT_EQ(ui.sounds, std::vector<std::string>{"error.wav"});
        EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Checking CD-ROM drive...", ""}));
    }

    std::unique_ptr<TCdSpeler> player;
    std::string id;
};

TEST_F(ChkCdTest, DiscOfTheSourceMatches) {
    ASSERT_GT(player->GetCDID(), 0);
    AddSource("LP", 3, "Other", "555");
    const uint32_t home = AddSource("CD", 7, "Red", id);
    OnTrackOf("cd", 7);
    EXPECT_TRUE(player->ChkCD(0));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.sounds.empty());
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Checking CD-ROM drive...", ""}));
    EXPECT_EQ(HfRecNo(), home);
}

TEST_F(ChkCdTest, AnOpenDoorAnEmptyDriveAndAHiddenPlayerAreNotReady) {
    const uint32_t home = AddSource("CD", 7, "Red");
    for (int away = 0; away < 3; ++away) {
        Forget();
        if (away == 0) {
            ASSERT_TRUE(player->device().Eject().ok());
        } else if (away == 1) {
            IniWriteString("Opstart", "CdDevice", "/dev/null");  // a drive without a disc
        } else {
            IniWriteBool("Opstart", "ToonCdSpeler", false);  // no device at all
        }
        player->OpenCDPlayer();
        EXPECT_EQ(player->GetCDID(), -1);
        catalogue->dm2.HfAccess.Go(home);
        EXPECT_FALSE(player->ChkCD(int(home)));
        ExpectRefusal(MsgKind::Information, "CD-ROM drive is not ready!", 34);
        EXPECT_EQ(Rmnr(home), std::string(25, ' '));
    }
}

TEST_F(ChkCdTest, IdentityThatIsNoSigned32BitNumberIsNoId) {
    for (const char* identity : {"4294967295", "12ab", ""}) {
        Forget();
        auto device = std::make_unique<cdtest::ScriptedDevice>();
        device->identity = identity;
        TCdSpeler other(*catalogue, std::move(device));
        other.OpenCDPlayer();
        ASSERT_EQ(other.GetCDMode(), 1);
        EXPECT_EQ(other.GetCDID(), -1);
        const uint32_t home = AddSource("CD", 20, "New");
        EXPECT_FALSE(other.ChkCD(int(home)));
        ExpectRefusal(MsgKind::Warning,
                      "This audio CD has no ID. The CD cannot be written to the database.", 31);
        EXPECT_EQ(Rmnr(home), std::string(25, ' '));
    }
}

// A track's source (CD 7 "Red") beside CD 8 with the given main title and ID.
TEST_F(ChkCdTest, ADiscThatIsNotTheTracksSourceIsRefused) {
    const struct {
        std::string title, rmnr;  // of CD 8
        std::string homeRmnr;     // of CD 7
        int track;                // the number of the track's source
        MsgKind kind;
        std::string text;
        int help;
    } cases[] = {
        {"Red", id, "555", 9, MsgKind::Warning, "Record from the main title is not found!", 33},
        // An ID that merely begins with the disc's is not the disc's.
        {"Longer", id + "7", "555", 7, MsgKind::Information, kNotMatching, 32},
        {"Blue  ", id, "555", 7, MsgKind::Information,
         "The CD currently in the CD-ROM drive has the main title \"Blue\". The track you want "
         "to play or read has the main title \"Red\".",
         0},
        // Table text (Windows-1252) reaches the question as the user's text.
        {"\351t\351 \347a", id, "555", 7, MsgKind::Information,
         "The CD currently in the CD-ROM drive has the main title \"été ça\". The track you "
         "want to play or read has the main title \"Red\".",
         0},
        {"", id, "", 7, MsgKind::Information,
         "The ID from this CD already exist in the main title \"Main title is not known yet!\"",
         30},
    };
    TTableAccess& hf = catalogue->dm2.HfAccess;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        for (hf.SetOrder(0), hf.GoTop(); !hf.Eof();)
            hf.Delete();
        Forget();
        AddSource("CD", 8, c.title, c.rmnr);
        const uint32_t home = AddSource("CD", 7, "Red", c.homeRmnr);
        OnTrackOf("CD", c.track);
        EXPECT_FALSE(player->ChkCD(0));
        ExpectRefusal(c.kind, c.text, c.help);
        EXPECT_TRUE(c.track != 7 || HfRecNo() == home);
    }
}

TEST_F(ChkCdTest, SourceWithoutIdStoresTheDiscsAfterYes) {
    AddSource("CD", 8, "Longer", id + "7");
    const uint32_t home = AddSource("CD", 7, "Red");
    OnTrackOf("CD", 7);
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};

    EXPECT_FALSE(player->ChkCD(0));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Warning);
    EXPECT_EQ(ui.messages[0].text,
              "The CD in the database does not have an ID yet. Convince yourself that the right "
              "CD with the main title \"Red\" is in the CD-ROM drive. Do you want to save the "
              "detected ID \"" +
                  id + "\"");
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(ui.messages[0].helpContext, 25);
    EXPECT_TRUE(ui.sounds.empty());
    EXPECT_EQ(HfRecNo(), home);
    EXPECT_EQ(Rmnr(home), std::string(25, ' '));

    ui.statuses.clear();
    catalogue->dm1.ArtAccess.Go(1);
    EXPECT_TRUE(player->ChkCD(0));
    EXPECT_EQ(ui.statuses,
              (std::vector<std::string>{"Checking CD-ROM drive...", "", "Saving ID...", ""}));
    EXPECT_EQ(HfRecNo(), home);
    EXPECT_EQ(Rmnr(home).substr(0, id.size() + 1), id + " ");
    // From now on the disc matches without a question.
    EXPECT_TRUE(player->ChkCD(0));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(ChkCdTest, NewSourceAsksTheReadQuestion) {
    AddSource("CD", 1, "Other", "555");
    const uint32_t fresh = AddSource("CD", 2, "");
    catalogue->dm2.HfAccess.Go(fresh);
    ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(player->ChkCD(int(fresh)));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Do you want to save the detected ID, and read the track and time information "
              "from the CD?");
    EXPECT_EQ(ui.messages[0].helpContext, 25);
    EXPECT_EQ(Trim(Rmnr(fresh)), id);
    // Reading the same disc again for the same new source is no conflict.
    catalogue->dm2.HfAccess.Go(fresh);
    EXPECT_TRUE(player->ChkCD(int(fresh)));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ChkCdTest, IdOfAnotherSourceIsNeverStoredTwice) {
    AddSource("CD", 8, "Blue \347a", id);
    const uint32_t fresh = AddSource("CD", 9, "");
    catalogue->dm2.HfAccess.Go(fresh);
    EXPECT_FALSE(player->ChkCD(int(fresh)));
    ExpectRefusal(MsgKind::Information,
                  "The ID from this CD already exist in the main title \"Blue ça\"", 30);
    EXPECT_EQ(HfRecNo(), fresh);
    EXPECT_EQ(Rmnr(fresh), std::string(25, ' '));
}

}  // namespace
