// Looking a disc up in a folder of xmcd records: found by its freedb ID in any genre folder,
// confirmed by its table of contents, and every unreadable record named without stopping the
// look-up. The records under tests/data/discdata are written from the published format.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/discinfo/disc_data_folder.h"
#include "test_util.h"

namespace discinfo {
namespace {

const std::string kFolder = std::string(TUNELO_SOURCE_DIR) + "/tests/data/discdata";
// The published 22-track example (freedb ID 370fce16, lead-out 303602).
const std::vector<int> kExample = {150,    9700,   25887,  39297,  53795,  63735,  77517,  94877,
                                   107270, 123552, 135522, 148422, 161197, 174790, 192022, 205545,
                                   218010, 228700, 239590, 255470, 266932, 288750};

DiscQuery Query(std::vector<int> offsets, int leadOut = 303602, std::string id = "370fce16") {
    DiscQuery q;
    q.freedbId = std::move(id);
    q.offsets = std::move(offsets);
    q.leadOut = leadOut;
    return q;
}

// The offsets with `frames` added to track `track` (0-based) or, for -1, to every track.
std::vector<int> Moved(int track, int frames, std::vector<int> offsets = kExample) {
    for (size_t i = 0; i < offsets.size(); ++i)
        offsets[i] += track < 0 || size_t(track) == i ? frames : 0;
    return offsets;
}

std::string Found(const std::string& folder, const DiscQuery& query, std::string* error) {
    std::string refs;
    for (const DiscCandidate& c : LookUpDiscData(folder, query, error))
        refs += (refs.empty() ? "" : " ") + c.reference;
    return refs;
}

TEST(DiscDataFolderTest, TheTableOfContentsPicksTheRecordAmongThoseOfOneId) {
    // misc/370fce16 is another disc of the same ID: its tracks 3 and 4 start 20 and 16 s earlier.
    const DiscQuery colliding = Query(Moved(3, -16 * 75, Moved(2, -20 * 75)));
    std::vector<int> fewer = kExample;
    fewer.pop_back();
    const struct {
        DiscQuery query;
        const char* found;
    } cases[] = {
        {Query(kExample), "rock/370fce16"},
        {colliding, "misc/370fce16"},
        {Query(Moved(-1, 40), 303602 + 40), "rock/370fce16"},  // a drive some frames off
        {Query(Moved(5, 80)), ""},                             // one track more than 1 s off
        {Query(kExample, 303602 + 225), ""},                   // 3 s longer
        {Query(fewer), ""},
        {Query(kExample, 303602, "0a0b0c0d"), ""},
        {Query(kExample, 303602, "../rock"), ""},
        {Query(kExample, 303602, ""), ""},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_EQ(Found(kFolder, c.query, &error), c.found) << c.query.freedbId;
        EXPECT_EQ(error, "");
    }
}

TEST(DiscDataFolderTest, ARecordGivesTheDiscAndItsTracks) {
    std::string error;
    const std::vector<DiscCandidate> rock = LookUpDiscData(kFolder, Query(kExample), &error);
    ASSERT_EQ(rock.size(), 1u);
    EXPECT_EQ(rock[0].origin, Origin::DiscData);
    EXPECT_EQ(rock[0].artist + " | " + rock[0].title + " | " + rock[0].year,
              "Zoë Marchetti | Nuits d'été | 1994");
    ASSERT_EQ(rock[0].tracks.size(), 22u);
    EXPECT_EQ(rock[0].tracks[0].title, "Überall");
    EXPECT_EQ(rock[0].tracks[0].seconds, (9700 - 150) / 75);
    EXPECT_EQ(rock[0].tracks[21].seconds, (303602 - 288750) / 75);
    EXPECT_EQ(rock[0].tracks[4].title,
              "A title long enough that its submitter wrapped it over two lines");
    EXPECT_EQ(rock[0].tracks[6].title, "Back\\slash and break");

    // A sampler gives each track its artist.
    const DiscCandidate various =
        LookUpDiscData(kFolder, Query(Moved(3, -1200, Moved(2, -1500))), &error).at(0);
    EXPECT_EQ(various.artist + " | " + various.title + " | " + various.year,
              "Various | Colliding Sampler | ");
    EXPECT_EQ(various.tracks[2].artist + " | " + various.tracks[2].title, "Band 3 | Song 3");

    // Latin-1 with CR LF, beside a file of the same ID that is no record.
    const std::vector<int> fifteen = {150,    17510,  33275,  45910,  57805,  78310,  94650, 109580,
                                      132010, 149160, 165115, 177710, 203325, 215555, 235590};
    const std::vector<DiscCandidate> jazz =
        LookUpDiscData(kFolder, Query(fifteen, 258725, "b60d770f"), &error);
    ASSERT_EQ(jazz.size(), 1u);
    EXPECT_EQ(jazz[0].reference, "jazz/b60d770f");
    EXPECT_EQ(jazz[0].artist + " | " + jazz[0].title + " | " + jazz[0].tracks[0].title,
              "Café Quartet | Señor Blue | Mañana");
    EXPECT_EQ(error, "blues/b60d770f: does not begin with \"# xmcd\": no disc record");
}

// Records that fit come best first; whatever else lies under the disc's name is refused without
// being read whole, and never blocks.
TEST(DiscDataFolderTest, FittingRecordsComeBestFirstAndHostileFilesAreNamed) {
    testutil::TempDir dir;
    const std::string id = "370fce16";
    for (const char* genre : {"a-huge", "b-binary", "c-fifo", "d-folder", "misc", "rock"})
        std::filesystem::create_directory(dir.File(genre));
    std::ofstream(dir.File("a-huge/" + id)) << "# xmcd\n";
    std::filesystem::resize_file(dir.File("a-huge/" + id), 100u << 20);
    std::ofstream(dir.File("b-binary/" + id)) << std::string("# xmcd\n\0\0\x7f", 10);
    ASSERT_EQ(::mkfifo(dir.File("c-fifo/" + id).c_str(), 0600), 0);
    std::filesystem::create_directory(dir.File("d-folder/" + id));
    std::filesystem::copy_file(kFolder + "/rock/" + id, dir.File("rock/" + id));
    std::filesystem::copy_file(kFolder + "/rock/" + id, dir.File(id));  // a folder without genres
    std::ifstream in(kFolder + "/rock/" + id, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    std::ofstream(dir.File("misc/" + id)) << text.replace(text.find("\t9700\n"), 6, "\t9730\n");

    std::string error;
    EXPECT_EQ(Found(dir.path().string(), Query(Moved(1, 25)), &error),
              "misc/" + id + " " + id + " rock/" + id);
    EXPECT_EQ(error,
              "a-huge/370fce16: larger than 1 MB: no disc record; "
              "b-binary/370fce16: binary data: no disc record; c-fifo/370fce16: not a file; "
              "d-folder/370fce16: not a file");

    EXPECT_EQ(Found(dir.File("none"), Query(kExample), &error), "");
    EXPECT_EQ(error.find("The disc data folder " + dir.File("none") + " cannot be read"), 0u);
}

}  // namespace
}  // namespace discinfo
