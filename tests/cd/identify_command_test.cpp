// `tunelo --identify`: the disc read from an image, the candidates printed, the exit status.
#include "cd/identify_command.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cd_fixture.h"
#include "support/local_http_server.h"
#include "support/twelve_tones.h"

namespace {

class IdentifyCommandTest : public cdtest::CdTest {
protected:
    // Runs the command on the catalogue folder while the fixture's catalogue is closed.
    int Identify(const std::string& disc, const std::string& catalogueFolder = "") {
        catalogue.reset();
        out.str("");
        errors.str("");
        const int status = IdentifyCommand(catalogueFolder.empty() ? folder() : catalogueFolder,
                                           disc, out, errors);
        catalogue = std::make_unique<Catalogue>(folder());
        catalogue->OpenIndexes();
        return status;
    }
    std::ostringstream out, errors;
};

TEST_F(IdentifyCommandTest, BadInputEndsWithTwoAndNamesTheFile) {
    const std::string audio = testutil::WriteCueBinImage(folder(), {150}, "audio");
    const std::string noCatalogue = folder() + "/none";
    const struct {
        std::string disc, catalogueFolder, named;
    } cases[] = {
        {folder() + "/missing.cue", "", "missing.cue"},
        {testutil::WriteMixedCueBinImage(folder(), {{150, false}}, "data"), "",
         "not an audio disc"},
        {audio, noCatalogue, noCatalogue},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Identify(c.disc, c.catalogueFolder), kIdentifyBadInput) << c.disc;
        EXPECT_EQ(out.str(), "");
        EXPECT_NE(errors.str().find(c.named), std::string::npos) << errors.str();
    }
}

// "Title", artist, year and the twelve tracks with their times, as printed.
std::string TwelveTonesBlock() {
    std::string block = "Title: Twelve Tones\nArtist: The Testers\nYear: 1999\n";
    for (int track = 1; track <= testutil::kTwelveTonesTracks; ++track)
        block += (track < 10 ? " " : "") + std::to_string(track) + "  0:0" +
                 std::to_string(testutil::TwelveTonesSeconds(track)) + "  Tone " +
                 std::to_string(track) + "\n";
    return block;
}

// The twelve-track image looked up with nothing known, then in a disc data folder and the
// catalogue; online only when allowed (at a port where nothing listens: the tests never reach
// the internet).
TEST_F(IdentifyCommandTest, PrintsWhatTheSourcesKnowOfATwelveTrackImage) {
    InsertDisc(testutil::TwelveTonesFrames());
    const std::string image = IniReadString("Opstart", "CdDevice");
    IniWriteString("CdInfo", "MusicBrainz", "http://127.0.0.1:9");
    IniWriteString("CdInfo", "Gnudb", "http://127.0.0.1:9");
    for (const char* online : {"1", "0"}) {
        IniWriteString("CdInfo", "Online", online);
        EXPECT_EQ(Identify(image), kIdentifyNothing);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(errors.str().find("online look-up") != std::string::npos, *online == '1');
    }

    const std::string freedbId = OpenPlayer()->device().Ids().freedb;
    std::filesystem::create_directories(dir.path() / "data" / "rock");
    std::ofstream(dir.path() / "data" / "rock" / freedbId) << testutil::TwelveTonesXmcd(freedbId);
    IniWriteString("CdInfo", "DiscData", (dir.path() / "data").string());
    AddSource("CD", 12, "Twelve Tones", OpenPlayer()->device().MediaIdentity());

    ASSERT_EQ(Identify(image), kIdentifyFound) << errors.str();
    EXPECT_EQ(out.str().find("Found in: catalogue (CD 12)\nTitle: Twelve Tones\n"), 0u)
        << out.str();
    EXPECT_NE(out.str().find("Found in: disc data (rock/" + freedbId + ")\n" + TwelveTonesBlock()),
              std::string::npos)
        << out.str();
}

// The online databases played by a local server: MusicBrainz knowing the disc, or only gnudb
// (after MusicBrainz's 404s by disc ID and by table of contents). Nothing is asked until the
// internet is allowed.
TEST_F(IdentifyCommandTest, PrintsWhatTheOnlineDatabasesKnow) {
    using testutil::TwelveTonesService;
    InsertDisc(testutil::TwelveTonesFrames());
    const std::string image = IniReadString("Opstart", "CdDevice");
    const cdaudio::DiscIds ids = OpenPlayer()->device().Ids();
    const struct {
        const char* online;
        TwelveTonesService service;
        std::string origin;  // "": nothing found
        size_t requests;
    } cases[] = {
        {"1", TwelveTonesService::MusicBrainz,
         std::string("MusicBrainz (") + testutil::kTwelveTonesRelease + ")", 1},
        {"1", TwelveTonesService::Gnudb, "gnudb (rock " + ids.freedb + ")", 4},
        {"0", TwelveTonesService::Gnudb, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.origin);
        LocalHttpServer server;
        testutil::ServeTwelveTones(server, c.service, ids.musicbrainz, ids.freedb);
        IniWriteString("CdInfo", "Online", c.online);
        IniWriteString("CdInfo", "MusicBrainz", server.url().toString().toStdString());
        IniWriteString("CdInfo", "Gnudb", server.url().toString().toStdString());
        EXPECT_EQ(Identify(image), c.origin.empty() ? kIdentifyNothing : kIdentifyFound)
            << errors.str();
        EXPECT_EQ(out.str(),
                  c.origin.empty() ? "" : "Found in: " + c.origin + "\n" + TwelveTonesBlock());
        EXPECT_EQ(server.requests().size(), c.requests);
    }
}

TEST(PrintCandidatesTest, OneBlockPerCandidate) {
    discinfo::DiscCandidate blue, bare;
    blue.origin = discinfo::Origin::MusicBrainz;
    blue.title = "Blue";
    blue.artist = "Joni";
    blue.year = "1971";
    bare.origin = discinfo::Origin::Gnudb;
    blue.tracks = {{"All I Want", "", 212}, {"Carey", "Guest", -1}};
    std::ostringstream out;
    EXPECT_EQ(PrintCandidates({blue, bare}, out), kIdentifyFound);
    EXPECT_EQ(out.str(),
              "Found in: MusicBrainz\nTitle: Blue\nArtist: Joni\nYear: 1971\n 1  3:32  All I Want\n"
              " 2  -:--  Carey / Guest\n\nFound in: gnudb\nTitle: -\nArtist: -\nYear: -\n");
    EXPECT_EQ(PrintCandidates({}, out), kIdentifyNothing);
}

}  // namespace
