// The CSV side of other programs' files: recognising the format, the Discogs export's values and
// a column-mapped CSV read into sources.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/foreign/collection_readers.h"
#include "platform/foreign/foreign_text.h"
#include "platform/foreign/mapped_csv.h"
#include "test_util.h"

namespace {

const std::string kDiscogsHeader =
    "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,Date Added\r\n";

class ForeignCsvTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_.File(name), std::ios::binary) << bytes;
        return dir_.File(name);
    }

    // Every source read, or the failure.
    std::vector<foreign::Source> Read(const std::string& path, tunelo::Status* status,
                                      const foreign::ColumnMap* map = nullptr) {
        std::vector<foreign::Source> sources;
        const foreign::Sink sink = [&](foreign::Source&& source) {
            sources.push_back(std::move(source));
            return tunelo::Status::OK();
        };
        *status =
            map ? foreign::ReadMappedCsv(path, *map, sink) : foreign::ReadDiscogsCsv(path, sink);
        return sources;
    }

    testutil::TempDir dir_;
};

TEST_F(ForeignCsvTest, RecognisesTheFormatFromTheFile) {
    const struct {
        const char* name;
        std::string bytes;
        std::optional<foreign::Format> format;
    } cases[] = {
        {"export.csv", kDiscogsHeader + "1,A,T,L,CD,,,1,F,\r\n", foreign::Format::Discogs},
        {"renamed.txt", "\xEF\xBB\xBF" + kDiscogsHeader, foreign::Format::Discogs},
        {"list.csv", "Album,Band\r\nA,B\r\n", foreign::Format::Csv},
        {"music.tc", "PK\x03\x04rest", foreign::Format::Tellico},
        {"tellico.xml", "<?xml version=\"1.0\"?>\n<tellico syntaxVersion=\"11\">",
         foreign::Format::Tellico},
        {"music.gcs", "<?xml version=\"1.0\"?>\n<collection type=\"GCmusics\">",
         foreign::Format::Gcstar},
        {"letter.docx", "PK\x03\x04rest", std::nullopt},
        {"page.html", "<html><body>", std::nullopt},
        {"image.png", std::string("\x89PNG\r\n\x1A\n\0\0\0", 11), std::nullopt},
        {"utf16.csv",
         "\xFF\xFE"
         "A\0,\0B\0",
         std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(foreign::DetectFormat(Write(c.name, c.bytes)), c.format) << c.name;
    EXPECT_EQ(foreign::DetectFormat(dir_.File("missing.csv")), std::nullopt);
}

// Discogs' values as the neutral form holds them: numbers that tell artists apart dropped, the
// year and the purchase date taken from its dates, what has no field of its own kept as notes.
TEST_F(ForeignCsvTest, ReadsTheValuesOfADiscogsExport) {
    const struct {
        std::string row;  // Artist,Title,Label,Format,Rating,Released,release_id,Folder,Date Added
        std::string artist, year, purchaseDate, notes;
    } cases[] = {
        {"Nirvana (2),T,L,CD,0,1991-09-24,42,F,2019-05-12 10:23:45", "Nirvana", "1991",
         "2019-05-12", "Catalog#=C|Folder=F|Discogs=https://www.discogs.com/release/42|"},
        {"\"A (2), B (13) & C\",T,L,CD,3,1994-00-00,x,F,2019-05-12", "A, B & C", "1994",
         "2019-05-12", "Catalog#=C|Rating=3|Folder=F|release_id=x|"},
        {"Band (Live),T,L,CD,,Unknown,,F,12/05/2019", "Band (Live)", "", "",
         "Catalog#=C|Released=Unknown|Folder=F|Date added=12/05/2019|"},
        {"The 5th (1),T,L,CD,,0,,,", "The 5th", "", "", "Catalog#=C|"},
    };
    for (const auto& c : cases) {
        tunelo::Status status;
        const auto sources = Read(Write("d.csv", kDiscogsHeader + "C," + c.row + "\r\n"), &status);
        ASSERT_TRUE(status.ok()) << status.ToString();
        ASSERT_EQ(sources.size(), 1u) << c.row;
        const foreign::Source& source = sources[0];
        std::string notes;
        for (const auto& [label, text] : source.notes)
            notes += label + "=" + text + "|";
        EXPECT_EQ(source.refusal, "") << c.row;
        EXPECT_EQ(source.origin, "line 2");
        EXPECT_EQ(source.artist, c.artist) << c.row;
        EXPECT_EQ(source.year, c.year) << c.row;
        EXPECT_EQ(source.purchaseDate, c.purchaseDate) << c.row;
        EXPECT_EQ(notes, c.notes) << c.row;
    }
    tunelo::Status status;
    Read(Write("other.csv", "Album,Band\r\nA,B\r\n"), &status);
    EXPECT_EQ(status.message(), "is not a Discogs collection export: it has no column Artist");
}

// Mapped rows group into sources with their tracks; a value a target cannot take refuses the
// source, naming the row when it is not the source's first.
TEST_F(ForeignCsvTest, GroupsMappedRowsIntoSources) {
    const std::string path = Write("m.csv",
                                   "Album,Song,Length,Where\r\n"
                                   "One,a,4:05,shelf\r\n"
                                   "One,b,1:02:03,shelf\r\n"
                                   "Two,c,61,box\r\n"
                                   "Two,d,4:5,box\r\n"
                                   "Two,e,x,box\r\n"
                                   "\xC9t\xE9,f,,\r\n");
    foreign::ColumnMap map{{"Album", "Song", "Length", "Where"},
                           {"main title", "title", "time", "memo"}};
    tunelo::Status status;
    const auto sources = Read(path, &status, &map);
    ASSERT_TRUE(status.ok()) << status.ToString();
    std::string read;
    for (const foreign::Source& source : sources) {
        read += source.origin + " " + source.title + ":";
        for (const foreign::Track& track : source.tracks)
            read += " " + track.title + "=" + std::to_string(track.seconds);
        for (const auto& [label, text] : source.notes)
            read += " " + label + "=" + text;
        read += " [" + source.refusal + "][" + source.remark + "]\n";
    }
    EXPECT_EQ(
        read,
        "line 2 One: a=245 b=3723 Where=shelf [][]\n"
        "line 4 Two: c=61 d=-1 e=-1 Where=box [line 5: time: \"4:5\" is not a time (m:ss)][]\n"
        "line 7 \xC3\x89t\xC3\xA9: f=-1 [][not UTF-8: read as Windows-1252]\n");

    const struct {
        std::string map;
        std::string message;  // "" when read
    } maps[] = {
        {"[Columns]\nalbum=Main Title\nSong=title\n", ""},
        {"[Other]\nAlbum=nonsense\n[Columns]\r\nAlbum = main title\r\n", ""},
        {"[Columns]\nAlbum=tracklist\n", "line 2: \"tracklist\" is not a field a column can go to"},
        {"[Columns]\nDisc=number\n", "line 2: the file has no column \"Disc\""},
    };
    const std::vector<std::string> header = {"Album", "Song", "Length", "Where"};
    for (const auto& c : maps) {
        foreign::ColumnMap fromFile;
        status = foreign::ReadColumnMapFile(Write("m.ini", c.map), header, &fromFile);
        EXPECT_EQ(status.message(), c.message) << c.map;
        EXPECT_EQ(fromFile.targets[0], status.ok() ? "main title" : fromFile.targets[0]);
    }
    map.targets = {"title", "ignore", "ignore", "ignore"};
    Read(path, &status, &map);
    EXPECT_EQ(status.message(), "no column goes to the main title");
}

}  // namespace
