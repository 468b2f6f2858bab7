// Tellico and GCstar files: every field lands where the catalogue keeps it, and hostile files
// (entities, cut short, wrong encodings, damaged zips) are refused with a message that says why.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <zlib.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/foreign/collection_readers.h"
#include "test_util.h"

namespace foreign {
namespace {

const std::string kData = std::string(TUNELO_SOURCE_DIR) + "/tests/data/foreign/";
using Reader = tunelo::Status (*)(const std::string&, const Sink&, const Progress&);

struct ReadResult {
    tunelo::Status status;
    std::vector<Source> sources;
    size_t count = 0;
    uint64_t done = 0, total = 0, doneAtFirstSource = 0;
};

ReadResult ReadAll(Reader reader, const std::string& path, bool keep = true) {
    ReadResult r;
    r.status = reader(
        path,
        [&r, keep](Source&& source) {
            if (r.count++ == 0)
                r.doneAtFirstSource = r.done;
            if (keep)
                r.sources.push_back(std::move(source));
            return tunelo::Status::OK();
        },
        [&r](uint64_t done, uint64_t total) { r.done = done, r.total = total; });
    return r;
}

std::string Note(const Source& s, const std::string& label) {
    for (const auto& [key, value] : s.notes)
        if (key == label)
            return value;
    return "(none)";
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(CollectionXmlTest, ATellicoFileZippedOrNotGivesEveryField) {
    for (const char* name : {"tellico-music.xml", "tellico-music.tc"}) {
        SCOPED_TRACE(name);
        const ReadResult r = ReadAll(ReadTellico, kData + name);
        ASSERT_TRUE(r.status.ok()) << r.status.ToString();
        ASSERT_EQ(r.sources.size(), 2u);
        EXPECT_EQ(r.done, r.total);
        const Source& s = r.sources[0];
        EXPECT_EQ(s.origin, "entry 1");
        EXPECT_EQ(s.title, "Wandering Ätherwind");
        EXPECT_EQ(s.artist, "Mira Kollenberg; The Northgate Strings");
        EXPECT_EQ(s.label, "Harbour Lane Records");
        EXPECT_EQ(s.medium, "Compact Disc");
        EXPECT_EQ(s.year, "1994");
        EXPECT_EQ(s.genre, "Folk; Chamber");
        EXPECT_EQ(s.purchaseDate, "2003-05-17");
        EXPECT_EQ(s.price, "12.50");
        EXPECT_EQ(Note(s, "Comments"), "Bought at the harbour fair.");
        EXPECT_EQ(Note(s, "Rating"), "4");
        EXPECT_EQ(Note(s, "Keywords"), "signed; gift");
        EXPECT_EQ(Note(s, "Shelf"), "B3");  // a field of the user's own is kept
        EXPECT_EQ(s.notes.size(), 4u);      // no cover, no creation date
        EXPECT_EQ(s.refusal, "");
        ASSERT_EQ(s.tracks.size(), 3u);
        EXPECT_EQ(s.tracks[1].title, "Salt & Stone");
        EXPECT_EQ(s.tracks[1].artist, "The Northgate Strings");
        EXPECT_EQ(s.tracks[0].seconds, 225);
        EXPECT_EQ(s.tracks[1].seconds, 3723);
        EXPECT_EQ(s.tracks[2].seconds, -1);
        // One entry that cannot be taken does not stop the file.
        EXPECT_EQ(r.sources[1].medium, "Vinyl");
        EXPECT_EQ(r.sources[1].refusal, "track 1: the length \"four minutes\" is not a time");
    }
}

TEST(CollectionXmlTest, AGcstarMusicCollectionGivesEveryField) {
    const ReadResult r = ReadAll(ReadGcstar, kData + "gcstar-music.gcs");
    ASSERT_TRUE(r.status.ok()) << r.status.ToString();
    ASSERT_EQ(r.sources.size(), 2u);
    const Source& s = r.sources[0];
    EXPECT_EQ(s.origin, "item 1");
    EXPECT_EQ(s.title, "Harbour Lights");
    EXPECT_EQ(s.artist, "Elin Marsk");
    EXPECT_EQ(s.label, "Bluewater");
    EXPECT_EQ(s.genre, "Jazz");
    EXPECT_EQ(s.medium, "CD");
    EXPECT_EQ(s.year, "1998");
    EXPECT_EQ(Note(s, "Release"), "12/03/1998");
    EXPECT_EQ(Note(s, "Comments"), "Second pressing.");
    EXPECT_EQ(Note(s, "Rating"), "7");
    EXPECT_EQ(Note(s, "Unique"), "5012345678900");
    EXPECT_EQ(s.notes.size(), 4u);
    ASSERT_EQ(s.tracks.size(), 2u);
    EXPECT_EQ(s.tracks[1].number, 2);
    EXPECT_EQ(s.tracks[1].title, "Lantern");
    EXPECT_EQ(s.tracks[1].seconds, 301);
    EXPECT_EQ(r.sources[1].artist, "Pell & Rowan");
    EXPECT_EQ(r.sources[1].year, "2001");
    EXPECT_EQ(Note(r.sources[1], "Release"), "(none)");
    EXPECT_EQ(r.sources[1].refusal, "track 1: the time \"soon\" is not a time");
}

const std::string kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
const std::string kMusic = "<tellico><collection type=\"4\"><entry id=\"1\"><title>";

TEST(CollectionXmlTest, HostileOrWrongFilesAreRefusedWithWhy) {
    const std::string tellico = Slurp(kData + "tellico-music.xml");
    const struct {
        Reader reader;
        std::string text;
        const char* error;
    } cases[] = {
        {ReadTellico, "just some words", "neither a zip archive nor an XML file"},
        {ReadGcstar, "PK\3\4 not xml", "not an XML file"},
        {ReadTellico, kHead + "<tellico><collection type=\"2\"/></tellico>",
         "holds a book collection; only a music collection can be imported"},
        {ReadTellico, kHead + "<html/>", "not a Tellico file"},
        {ReadGcstar, kHead + "<collection type=\"GCfilms\"/>", "holds a GCfilms collection"},
        {ReadTellico,
         kHead + "<!DOCTYPE tellico [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>\n" + kMusic +
             "&x;</title></entry></collection></tellico>",
         "line 2: the document type declares XML entities, which are refused"},
        {ReadGcstar,
         kHead + "<!DOCTYPE c [<!ENTITY % p SYSTEM \"http://example.invalid/p.dtd\"> %p;]>\n" +
             "<collection type=\"GCmusics\"/>",
         "declares XML entities"},
        {ReadTellico,
         kHead + "<!DOCTYPE t SYSTEM \"http://example.invalid/t.dtd\">\n" + kMusic +
             "&nbsp;</title></entry></collection></tellico>",
         "line 3: the XML refers to the entity &nbsp;, which is refused"},
        {ReadTellico, tellico.substr(0, tellico.size() / 2),
         "line 21: the XML stops in the middle: the file is cut short"},
        {ReadTellico, kHead + kMusic + "\xC3\x28</title></entry></collection></tellico>",
         "the text is not valid in the encoding the file declares"},
        {ReadTellico,
         "<?xml version=\"1.0\" encoding=\"x-no-such-42\"?>" + kMusic +
             "A</title></entry></collection></tellico>",
         "the XML is not well formed: Encoding x-no-such-42 is unsupported"},
    };
    testutil::TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 120));
        const std::string path = dir.File("case.tc");
        std::ofstream(path, std::ios::binary) << c.text;
        const ReadResult r = ReadAll(c.reader, path);
        EXPECT_FALSE(r.status.ok());
        EXPECT_NE(r.status.message().find(c.error), std::string::npos) << r.status.message();
        EXPECT_EQ(r.status.file(), path);
    }
}

TEST(CollectionXmlTest, ABillionLaughsIsRefusedBeforeAnythingExpands) {
    std::string dtd = "<!DOCTYPE tellico [<!ENTITY l0 \"ha\">";
    for (int i = 1; i <= 20; ++i)
        dtd += "<!ENTITY l" + std::to_string(i) + " \"" + [&] {
            std::string refs;
            for (int j = 0; j < 10; ++j)
                refs += "&l" + std::to_string(i - 1) + ";";
            return refs;
        }() + "\">";
    testutil::TempDir dir;
    const std::string path = dir.File("laughs.xml");
    std::ofstream(path) << kHead << dtd << "]>" << kMusic
                        << "&l20;</title></entry></collection></tellico>";
    const ReadResult r = ReadAll(ReadTellico, path);
    EXPECT_NE(r.status.message().find("declares XML entities"), std::string::npos);
    EXPECT_TRUE(r.sources.empty());
}

TEST(CollectionXmlTest, DefaultFieldsAreTitledByTheirNamesAndABadYearRefusesTheEntry) {
    testutil::TempDir dir;
    const std::string path = dir.File("defaults.xml");
    std::ofstream(path) << kHead << kMusic << "A</title><year>94a</year><comments>c</comments>"
                        << "<pur_date>last May</pur_date></entry></collection></tellico>";
    const ReadResult r = ReadAll(ReadTellico, path);
    ASSERT_EQ(r.sources.size(), 1u) << r.status.ToString();
    EXPECT_EQ(Note(r.sources[0], "Comments"), "c");
    EXPECT_EQ(Note(r.sources[0], "Purchase date"), "last May");
    EXPECT_EQ(r.sources[0].refusal, "the year \"94a\" is not a year");
}

// Bytes of the fixture archive, changed where a damaged or hostile archive differs.
TEST(CollectionXmlTest, ADamagedOrHostileArchiveIsRefusedWithWhy) {
    const std::string zip = Slurp(kData + "tellico-music.tc");
    const size_t end = zip.size() - 22;  // the end record, no comment
    const size_t dir =
        static_cast<unsigned char>(zip[end + 16]) | static_cast<unsigned char>(zip[end + 17]) << 8;
    const auto patched = [&zip](size_t at, std::string bytes) {
        std::string z = zip;
        return z.replace(at, bytes.size(), bytes);
    };
    const struct {
        std::string bytes;
        const char* error;
    } cases[] = {
        {zip.substr(0, zip.size() / 2), "one cut short: its central directory is missing"},
        {patched(dir + 16, "\1\2\3\4"), "tellico.xml: its CRC does not match"},
        {patched(dir + 8, "\1"), "tellico.xml: it is encrypted"},
        {patched(dir + 10, "\x0e"), "compressed in a way that cannot be read (method 14)"},
        {patched(dir + 24, std::string("\x10\0\0\0", 4)), "unpacks to more than the 16 bytes"},
        {patched(dir + 24, std::string("\0\0\0\x70", 4)), "more than the 1073741824 allowed"},
        {patched(dir + 20, std::string("\0\0\0\x70", 4)), "its data runs past the end"},
        {patched(dir + 46, "TELLICO"), "the archive holds no tellico.xml"},
        {patched(60, std::string(40, '\xff')), "its compressed data is damaged"},
    };
    testutil::TempDir tmp;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        const std::string path = tmp.File("damaged.tc");
        std::ofstream(path, std::ios::binary) << c.bytes;
        const ReadResult r = ReadAll(ReadTellico, path);
        EXPECT_FALSE(r.status.ok());
        EXPECT_NE(r.status.message().find(c.error), std::string::npos) << r.status.message();
    }
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A zip archive of one deflated member whose sizes and CRC stand only in the central directory,
// as a writer that streams does it.
void WriteZip(const std::string& path, const std::string& name,
              const std::function<bool(std::string*)>& next) {
    std::ofstream out(path, std::ios::binary);
    const auto le = [&out](uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.put(static_cast<char>(v >> (8 * i)));
    };
    le(0x04034b50, 4), le(20, 2), le(8, 2), le(8, 2), le(0, 16), le(name.size(), 2), le(0, 2);
    out << name;
    z_stream zs{};
    deflateInit2(&zs, 1, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    uLong crc = crc32(0, nullptr, 0);
    std::string piece, packed(1 << 16, '\0');
    for (bool more = true; more;) {
        more = next(&piece);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(piece.data()), piece.size());
        zs.next_in = reinterpret_cast<Bytef*>(piece.data());
        zs.avail_in = static_cast<uInt>(piece.size());
        do {
            zs.next_out = reinterpret_cast<Bytef*>(packed.data());
            zs.avail_out = static_cast<uInt>(packed.size());
            deflate(&zs, more ? Z_NO_FLUSH : Z_FINISH);
            out.write(packed.data(), static_cast<std::streamsize>(packed.size() - zs.avail_out));
        } while (zs.avail_out == 0);
    }
    const uint64_t dir = static_cast<uint64_t>(out.tellp());
    le(0x02014b50, 4), le(20, 2), le(20, 2), le(8, 2), le(8, 2), le(0, 4), le(crc, 4);
    le(zs.total_out, 4), le(zs.total_in, 4), le(name.size(), 2), le(0, 12), le(0, 4);
    out << name;
    const uint64_t dirSize = static_cast<uint64_t>(out.tellp()) - dir;
    le(0x06054b50, 4), le(0, 4), le(1, 2), le(1, 2), le(dirSize, 4), le(dir, 4), le(0, 2);
    deflateEnd(&zs);
}

TEST(CollectionXmlTest, A200MegabyteFileZippedOrNotIsReadPieceByPiece) {
    constexpr int kEntries = 2000;
    const std::string comment(100 * 1024, 'x');
    for (const bool zipped : {false, true}) {
        SCOPED_TRACE(zipped ? "zipped" : "plain");
        testutil::TempDir dir;
        const std::string path = dir.File(zipped ? "big.tc" : "big.xml");
        int written = -1;
        const auto next = [&](std::string* piece) {
            if (written == -1)
                *piece = kHead + "<tellico><collection type=\"4\">";
            else if (written < kEntries)
                *piece = "<entry id=\"" + std::to_string(written + 1) +
                         "\"><title>T</title><comments>" + comment + "</comments></entry>\n";
            else
                *piece = "</collection></tellico>";
            return ++written <= kEntries;
        };
        if (zipped) {
            WriteZip(path, "tellico.xml", next);
        } else {
            std::ofstream out(path, std::ios::binary);
            for (std::string piece; next(&piece);)
                out << piece;
            out << "</collection></tellico>";
        }
        const long before = PeakKilobytes();
        const ReadResult r = ReadAll(ReadTellico, path, false);
        ASSERT_TRUE(r.status.ok()) << r.status.ToString();
        EXPECT_EQ(r.count, size_t{kEntries});
        EXPECT_EQ(r.done, r.total);
        EXPECT_LT(r.doneAtFirstSource * 2, r.total);     // the first entry came early
        EXPECT_LT(PeakKilobytes() - before, 64 * 1024);  // never the file whole in memory
    }
}

}  // namespace
}  // namespace foreign
