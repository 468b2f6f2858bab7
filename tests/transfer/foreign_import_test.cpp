// Import of other programs' collection files into an empty catalogue, through ForeignImport and
// the command line's entry point: where each field lands, what is refused, and that a refusal
// adds nothing.
#include <sstream>

#include "base/clock.h"
#include "base/ini.h"
#include "store/catalogue_fixture.h"
#include "store/csv_export.h"
#include "transfer/foreign_command.h"
#include "transfer/foreign_import.h"

namespace {

namespace fs = std::filesystem;

std::string Fixture(const std::string& name) {
    return std::string(TUNELO_SOURCE_DIR) + "/tests/data/foreign/" + name;
}

class ForeignImportTest : public CatalogueTest {
protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        Clock::Set(std::chrono::sys_days(std::chrono::year(2026) / 3 / 14) +
                   std::chrono::hours(12));
        catalogue_ = OpenBuilt();
    }
    void TearDown() override { Clock::Reset(); }

    // sources.csv and tracks.csv of the catalogue as the export writes them.
    std::string Dump() {
        testutil::TempDir out;
        EXPECT_TRUE(ExportCsv(*catalogue_, out.path().string(), {}).ok());
        std::string dump =
            ReadFile(out.path() / "sources.csv") + "--\r\n" + ReadFile(out.path() / "tracks.csv");
        for (size_t at = dump.find('\r'); at != std::string::npos; at = dump.find('\r', at))
            dump.erase(at, 1);
        return dump;
    }

    std::unique_ptr<Catalogue> catalogue_;
};

// Artist and label lose Discogs' " (2)"; Format goes to a carrier, each numbered from its own
// highest; Released gives the year, Date Added the purchase date; the rest is in the memo.
TEST_F(ForeignImportTest, DiscogsExportLandsFieldByField) {
    IniWriteInteger("Geluidsdragers", "CD", 7);
    ForeignImport import;
    ASSERT_TRUE(import.Prepare(*catalogue_, Fixture("discogs.csv"), {}).ok());
    EXPECT_EQ(import.Summary(), "5 sources and no tracks");
    EXPECT_TRUE(import.refusals().empty());
    EXPECT_EQ(import.media(),
              (std::vector<std::pair<std::string, std::string>>{{"CD, Album, RE, RM", "CD"},
                                                                {"Vinyl, LP, Album", "LP"},
                                                                {"Cassette, Comp", "MC"},
                                                                {"2xCD, Album", "CD"},
                                                                {"CD", "CD"}}));
    EXPECT_EQ(import.cutNotes(),
              std::vector<std::string>{"line 5: main title cut to 50 characters; "
                                       "the full text is in the memo"});
    ASSERT_TRUE(import.Apply(*catalogue_).ok());
    EXPECT_EQ(
        Dump(),
        R"(OPNAME,HTITEL,SOORT,CDNUMMER,MEMO,DRAGER,LABEL,RMNR,AANKOOPDAT,INVOERDAT,AANKOOP,HOOFDART,WIJZIGDAT,TEKSTDAT,AANKPPRS
,Kind Of Blue,,7,"Catalog#: CK 64935
Rating: 5
Folder: Uncategorized
Media condition: Near Mint (NM or M-)
Sleeve condition: Very Good Plus (VG+)
Notes: Bought in Utrecht
second shelf
Discogs: https://www.discogs.com/release/1234567
Year: 1997",CD,Columbia,,2019-05-12,2026-03-14,,Miles Davis,,,
,The Dark Side Of The Moon,,1,"Catalog#: SHVL 804
Folder: Rock
Media condition: Very Good (VG)
Sleeve condition: Good (G)
Discogs: https://www.discogs.com/release/2000
Year: 1973",LP,Harvest,,2020-01-02,2026-03-14,,Pink Floyd,,,
,"Songs From A Very Long Evening Of Music, Recorded",,1,"Folder: Uncategorized
Discogs: https://www.discogs.com/release/3000
Year: 1994
Main title: Songs From A Very Long Evening Of Music, Recorded Live In The Park",MC,Warner Bros. Records,,2021-11-30,2026-03-14,,"Simon & Garfunkel, Art Garfunkel",,,
,Vivaldi: Le Quattro Stagioni,,8,"Catalog#: DG ""415"" 999
Rating: 4
Folder: Classical
Media condition: Mint (M)
Discogs: https://www.discogs.com/release/4000",CD,Deutsche Grammophon,,,2026-03-14,,Anne-Sophie Mutter,,,
,Re,,9,"Folder: Latin
Discogs: https://www.discogs.com/release/5000
Year: 1994",CD,WEA,,2022-02-02,2026-03-14,,Café Tacvba,,,
--
TITEL,ARTIEST,TREF,TRACK,COMPONIST,MINUTEN,SECONDEN,CDNUMMER,SOORT,DRAGER,DUBBEL,DUBNW,UITVOER,AKANT,WIJZIGDAT,JAAR
)");
    // The entry screen offers each carrier's number after the highest imported.
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD"), 10);
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "LP"), 2);
    EXPECT_EQ(ItemsOf(*catalogue_, 'D'), (std::vector<std::string>{"CD", "LP", "MC"}));
}

// Rows of one source (the same carrier and number) become its tracks; times, prices and dates
// as spreadsheets write them; an unmapped column is left out, a memo column kept per row.
TEST_F(ForeignImportTest, MappedCsvLandsFieldByField) {
    std::vector<std::string> header;
    ASSERT_TRUE(foreign::ReadCsvHeader(Fixture("mapped.csv"), &header).ok());
    ForeignImportOptions options;
    options.format = foreign::Format::Csv;
    ASSERT_TRUE(foreign::ReadColumnMapFile(Fixture("mapped.ini"), header, &options.columns).ok());
    EXPECT_EQ(options.columns.targets.back(), "ignore");
    // The map written and read again is the same map.
    ForeignImportOptions again = options;
    ASSERT_TRUE(foreign::WriteColumnMapFile(File("again.ini"), options.columns).ok());
    ASSERT_TRUE(foreign::ReadColumnMapFile(File("again.ini"), header, &again.columns).ok());
    EXPECT_EQ(again.columns.targets, options.columns.targets);

    ForeignImport import;
    ASSERT_TRUE(import.Prepare(*catalogue_, Fixture("mapped.csv"), options).ok());
    EXPECT_EQ(import.Summary(), "2 sources and 5 tracks");
    EXPECT_TRUE(import.refusals().empty());
    ASSERT_TRUE(import.Apply(*catalogue_).ok());
    EXPECT_EQ(
        Dump(),
        R"(OPNAME,HTITEL,SOORT,CDNUMMER,MEMO,DRAGER,LABEL,RMNR,AANKOOPDAT,INVOERDAT,AANKOOP,HOOFDART,WIJZIGDAT,TEKSTDAT,AANKPPRS
,Abbey Road,Pop,12,"Remarks: first pressing
Remarks: cover worn",LP,,,1998-05-12,2026-03-14,Kruidvat,The Beatles,,,12.50
,Night Songs,Jazz,1,,CD,,,2001-02-03,2026-03-14,,Various,,,9.99
--
TITEL,ARTIEST,TREF,TRACK,COMPONIST,MINUTEN,SECONDEN,CDNUMMER,SOORT,DRAGER,DUBBEL,DUBNW,UITVOER,AKANT,WIJZIGDAT,JAAR
Come Together,The Beatles,,1,Lennon-McCartney,04,20,12,Pop,LP,,,,A,,1969
Something,The Beatles,,2,Harrison,03,03,12,Pop,LP,,,,A,,1969
Here Comes The Sun,The Beatles,,1,Harrison,03,05,12,Pop,LP,,,,B,,1969
Lullaby,Anna,,1,,00,59,1,Jazz,CD,,,,,,2001
Nocturne,Ben,,2,,62,03,1,Jazz,CD,,,,,,2001
)");
}

// Each entry that cannot be taken is refused with its place in the file and its reason; a file
// that cannot be read at all fails naming it. Either way the command adds nothing.
TEST_F(ForeignImportTest, RefusesWithTheEntryAndAddsNothing) {
    const std::string discogs =
        "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder\r\n";
    struct Case {
        std::string name;
        std::string bytes;
        std::string from;  // "" to recognise
        int status;
        std::string told;  // part of what the command wrote on its error stream
    };
    const Case cases[] = {
        {"ok.csv", discogs + "X1,A,T,L,CD,,,1,F\r\n", "", kImportAdded, ""},
        {"short.csv", discogs + "X1,A,T,L,CD,,,1,F\r\nX2,A,Cut sho", "", kImportRefused,
         "line 3: has 3 values where the header names 9\n1 entry refused; nothing was added."},
        {"quote.csv", discogs + "X1,A,\"T,L,CD\r\n", "", kImportBadInput,
         "quote.csv: invalid argument: line 2: a quoted value is not closed"},
        {"untitled.csv",
         discogs + "X1,A,,L,CD,,,1,F\r\n" + std::string("X2,A,") + std::string(300, 'x') +
             "\xE4\xB8\x80,L,CD,,,2,F\r\n",
         "", kImportRefused, "line 2: has no title\nline 3: main title: \"xxx"},
        {"utf16.csv", "\xFF\xFE" + discogs, "discogs", kImportBadInput,
         "is UTF-16 text; save it as CSV in UTF-8"},
        {"image.csv", std::string("\x89PNG\r\n\x1A\n\0\0", 10), "", kImportBadInput,
         "name its format with --from"},
        {"plain.csv", "Album,Band\r\nA,B\r\n", "", kImportBadInput,
         "a CSV file needs a column map: --map MAPFILE"},
        {"missing.csv", "", "discogs", kImportBadInput, "missing.csv: cannot be opened."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = File("catalogue-" + c.name);
        SetWorkDir(target);
        if (c.name != "missing.csv")
            WriteFile(File(c.name), c.bytes);
        std::ostringstream out, errors;
        EXPECT_EQ(ImportForeignCommand(target, {File(c.name), c.from, ""}, out, errors,
                                       TUNELO_SOURCE_DIR "/data"),
                  c.status);
        EXPECT_NE(errors.str().find(c.told), std::string::npos) << errors.str();
        if (fs::exists(target + "/hfdat.dat")) {
            Catalogue made(target);
            EXPECT_EQ(made.dm2.HfAccess.Count(), c.status == kImportAdded ? 1u : 0u);
        }
    }
    SetWorkDir(folder());
}

}  // namespace
