// Looking a disc up in a folder of xmcd records: found by its freedb ID in any genre folder,
// confirmed by its table of contents, and every unreadable record named without stopping the
// look-up. The records under tests/data/discdata are written from the published format.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/discinfo/disc_data_folder.h"
#include "test_util.h"

namespace discinfo {
namespace {

const std::string kFolder = std::string(TUNELO_SOURCE_DIR) + "/tests/data/discdata";

// The published 22-track example and a disc of the same freedb ID whose tracks 3 and 4 start
// 20 and 16 s earlier.
const std::vector<int> kExample = {150,    9700,   25887,  39297,  53795,  63735,  77517,  94877,
                                   107270, 123552, 135522, 148422, 161197, 174790, 192022, 205545,
                                   218010, 228700, 239590, 255470, 266932, 288750};

DiscQuery Query(const std::string& id, std::vector<int> offsets, int leadOut) {
    DiscQuery q;
    q.freedbId = id;
    q.offsets = std::move(offsets);
    q.leadOut = leadOut;
    return q;
}

DiscQuery Example() {
    return Query("370fce16", kExample, 303602);
}

DiscQuery Colliding() {
    std::vector<int> offsets = kExample;
    offsets[2] = 24387;
    offsets[3] = 38097;
    return Query("370fce16", offsets, 303602);
}

std::vector<std::string> References(const std::vector<DiscCandidate>& found) {
    std::vector<std::string> out;
    for (const DiscCandidate& c : found)
        out.push_back(c.reference);
    return out;
}

TEST(DiscDataFolderTest, TheTableOfContentsPicksTheRecordAmongThoseOfOneId) {
    std::vector<int> shifted = kExample;
    for (int& offset : shifted)
        offset += 40;  // a drive that reads some frames off
    std::vector<int> fewer = kExample;
    fewer.pop_back();
    const DiscQuery unknown = Query("0a0b0c0d", kExample, 303602);
    const struct {
        const char* what;
        DiscQuery query;
        std::vector<std::string> found;
    } cases[] = {
        {"the example", Example(), {"rock/370fce16"}},
        {"the disc of the same ID", Colliding(), {"misc/370fce16"}},
        {"offsets some frames off", Query("370fce16", shifted, 303602 + 40), {"rock/370fce16"}},
        {"a disc three seconds longer", Query("370fce16", kExample, 303602 + 225), {}},
        {"a track fewer", Query("370fce16", fewer, 303602), {}},
        {"an ID without a record", unknown, {}},
        {"no ID", Query("", kExample, 303602), {}},
        {"an ID that is no file name", Query("../rock", kExample, 303602), {}},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(References(LookUpDiscData(kFolder, c.query, &error)), c.found) << c.what;
        EXPECT_EQ(error, "") << c.what;
    }
}

TEST(DiscDataFolderTest, SeveralRecordsThatFitComeBestFirst) {
    testutil::TempDir dir;
    for (const char* genre : {"misc", "rock"}) {
        std::filesystem::create_directory(dir.File(genre));
        std::filesystem::copy_file(kFolder + "/rock/370fce16",
                                   dir.File(std::string(genre) + "/370fce16"));
    }
    // The copy in misc is the disc as another drive read it.
    std::string text;
    std::ifstream in(dir.File("misc/370fce16"), std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
    text.replace(text.find("#\t9700\n"), 7, "#\t9730\n");
    std::ofstream(dir.File("misc/370fce16"), std::ios::binary) << text;

    std::vector<int> offsets = kExample;
    offsets[1] = 9725;
    std::string error;
    EXPECT_EQ(
        References(LookUpDiscData(dir.path().string(), Query("370fce16", offsets, 303602), &error)),
        (std::vector<std::string>{"misc/370fce16", "rock/370fce16"}));
}

TEST(DiscDataFolderTest, AFoundRecordGivesTheDiscAndItsTracks) {
    std::string error;
    const std::vector<DiscCandidate> rock = LookUpDiscData(kFolder, Example(), &error);
    ASSERT_EQ(rock.size(), 1u);
    const DiscCandidate& c = rock[0];
    EXPECT_EQ(c.origin, Origin::DiscData);
    EXPECT_EQ(c.artist, "Zoë Marchetti");
    EXPECT_EQ(c.title, "Nuits d'été");
    EXPECT_EQ(c.year, "1994");
    ASSERT_EQ(c.tracks.size(), 22u);
    EXPECT_EQ(c.tracks[0].title, "Überall");
    EXPECT_EQ(c.tracks[0].artist, "");
    EXPECT_EQ(c.tracks[0].seconds, (9700 - 150) / 75);
    EXPECT_EQ(c.tracks[4].title,
              "A title long enough that its submitter wrapped it over two lines");
    EXPECT_EQ(c.tracks[6].title, "Back\\slash and break");
    EXPECT_EQ(c.tracks[21].seconds, 4048 - 288750 / 75);

    // The sampler of the same ID: each track with its own artist, and no year.
    const std::vector<DiscCandidate> misc = LookUpDiscData(kFolder, Colliding(), &error);
    ASSERT_EQ(misc.size(), 1u);
    EXPECT_EQ(misc[0].artist, "Various");
    EXPECT_EQ(misc[0].title, "Colliding Sampler");
    EXPECT_EQ(misc[0].year, "");
    EXPECT_EQ(misc[0].tracks[2].artist, "Band 3");
    EXPECT_EQ(misc[0].tracks[2].title, "Song 3");
}

TEST(DiscDataFolderTest, ALatin1RecordIsFoundBesideABrokenOneThatIsNamed) {
    const std::vector<int> fifteen = {150,    17510,  33275,  45910,  57805,  78310,  94650, 109580,
                                      132010, 149160, 165115, 177710, 203325, 215555, 235590};
    std::string error;
    const std::vector<DiscCandidate> found =
        LookUpDiscData(kFolder, Query("b60d770f", fifteen, 258725), &error);
    ASSERT_EQ(References(found), std::vector<std::string>{"jazz/b60d770f"});
    EXPECT_EQ(found[0].artist, "Café Quartet");
    EXPECT_EQ(found[0].title, "Señor Blue");
    EXPECT_EQ(found[0].tracks[0].title, "Mañana");
    EXPECT_EQ(found[0].tracks[14].title, "");
    EXPECT_EQ(error, "blues/b60d770f: does not begin with \"# xmcd\": no disc record");
}

// Whatever lies under the disc's name is refused without being read whole, and never blocks.
TEST(DiscDataFolderTest, HostileFilesAreRefusedByName) {
    testutil::TempDir dir;
    const std::string id = "370fce16";
    for (const char* genre : {"a-huge", "b-binary", "c-fifo", "d-folder", "rock"})
        std::filesystem::create_directory(dir.File(genre));
    {
        std::ofstream huge(dir.File("a-huge/" + id), std::ios::binary);
        huge << "# xmcd\n";
    }
    std::filesystem::resize_file(dir.File("a-huge/" + id), 100u << 20);
    std::ofstream(dir.File("b-binary/" + id), std::ios::binary)
        << std::string("# xmcd\n\0\0\x7f", 10);
    ASSERT_EQ(::mkfifo(dir.File("c-fifo/" + id).c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("d-folder/" + id));
    std::filesystem::copy_file(kFolder + "/rock/" + id, dir.File("rock/" + id));

    std::string error;
    EXPECT_EQ(References(LookUpDiscData(dir.path().string(), Example(), &error)),
              std::vector<std::string>{"rock/370fce16"});
    EXPECT_EQ(error,
              "a-huge/370fce16: larger than 1 MB: no disc record; "
              "b-binary/370fce16: binary data: no disc record; c-fifo/370fce16: not a file; "
              "d-folder/370fce16: not a file");
}

TEST(DiscDataFolderTest, AMissingFolderSaysSo) {
    std::string error;
    EXPECT_TRUE(LookUpDiscData(kFolder + "/none", Example(), &error).empty());
    EXPECT_NE(error.find("The disc data folder " + kFolder + "/none cannot be read"),
              std::string::npos)
        << error;
}

}  // namespace
}  // namespace discinfo
