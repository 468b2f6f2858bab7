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

    ScriptedUi ui_;
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
    EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{});
}

// A medium goes to the catalogue's own carrier of that name, else to the usual one; the user's
// choice goes first. Numbers follow the catalogue's highest of each carrier, or its counter.
TEST_F(ForeignImportTest, CarriersAndNumbersFollowTheCatalogue) {
    AppendRow(catalogue_->dm2.HfTable.table(), {{"DRAGER", "CD"}, {"CDNUMMER", "40"}});
    AppendRow(catalogue_->dm2.HfTable.table(), {{"DRAGER", "LP"}, {"CDNUMMER", "3"}});
    for (const char* carrier : {"VINYL", "CD"})
        AppendRow(catalogue_->dm3.ItemsTable.table(), {{"OMS", carrier}, {"CODE", "D"}});
    IniWriteInteger("Geluidsdragers", "CD", 7);
    IniWriteInteger("Geluidsdragers", "MC", 20);
    const std::pair<const char*, const char*> guesses[] = {
        {"CD, Album", "CD"},     {"Vinyl, LP", "VINYL"},           {"2xCassette, Album", "MC"},
        {"Shellac, 10\"", "78"}, {"Laserdisc, NTSC", "LASERDISC"}, {"", "CD"},
        {"cdr", "CD"},           {"Compact Disc", "CD"},           {"Music Box Roll", "MUSIC"},
    };
    for (const auto& [medium, carrier] : guesses)
        EXPECT_EQ(ForeignImport::GuessCarrier(*catalogue_, medium), carrier) << medium;

    ForeignImport import;
    ForeignImportOptions options;
    options.carriers = {{"Vinyl, LP, Album", "x"}};
    ASSERT_TRUE(import.Prepare(*catalogue_, Fixture("discogs.csv"), options).ok());
    // The user changes the mapping in the preview: read again.
    options.carriers = {{"Vinyl, LP, Album", "lp"}, {"2xCD, Album", "CDR"}};
    ASSERT_TRUE(import.Prepare(*catalogue_, Fixture("discogs.csv"), options).ok());
    EXPECT_EQ(import.media()[1], (std::pair<std::string, std::string>{"Vinyl, LP, Album", "LP"}));
    ASSERT_TRUE(import.Apply(*catalogue_).ok());
    EXPECT_EQ(Keys({&catalogue_->dm2.HfAccess}), "CD40 LP3 CD41 LP4 MC20 CDR1 CD42 | ");

    // A number the file gives that the catalogue holds refuses that entry, named by its line.
    const std::string mapped = File("numbered.csv");
    WriteFile(mapped, "Medium,No.,Album\r\nCD,40,X\r\nCD,43,Y\r\nCD,\"41\",Z\r\n");
    options.format = foreign::Format::Csv;
    options.columns = {{"Medium", "No.", "Album"}, {"carrier", "number", "main title"}};
    ASSERT_TRUE(import.Prepare(*catalogue_, mapped, options).ok());
    std::string refused;
    for (const ForeignRefusal& refusal : import.refusals())
        refused += refusal.origin + ": " + refusal.reason + "\n";
    EXPECT_EQ(refused,
              "line 2: source CD 40 is already in the catalogue\n"
              "line 4: source CD 41 is already in the catalogue\n");
    EXPECT_EQ(import.refusedRows(), 2u);
    EXPECT_EQ(import.Summary(), "1 source and no tracks");
    // A file that cannot be read leaves nothing to add.
    EXPECT_FALSE(import.Prepare(*catalogue_, File("missing.csv"), {}).ok());
    EXPECT_FALSE(import.Apply(*catalogue_).ok());
    EXPECT_EQ(catalogue_->dm2.HfAccess.Count(), 7u);
}

// Tellico (zipped or its XML alone) and GCstar: medium to carrier, tracks with their times, the
// rest of each entry in the memo; an entry the reader refuses is named and the rest kept.
TEST_F(ForeignImportTest, TellicoAndGcstarLandFieldByField) {
    const std::string tellico = R"(,Wandering Ätherwind,Folk; Chamber,1,"Rating: 4
Keywords: signed; gift
Comments: Bought at the harbour fair.
Shelf: B3",CD,Harbour Lane Records,,2003-05-17,2026-03-14,,Mira Kollenberg; The Northgate Strings,,,12.50
--
First Light,Mira Kollenberg,,1,,03,45,1,Folk; Chamber,CD,,,,,,1994
Salt & Stone,The Northgate Strings,,2,,62,03,1,Folk; Chamber,CD,,,,,,1994
Coda,Mira Kollenberg; The Northgate Strings,,3,,,,1,Folk; Chamber,CD,,,,,,1994
)";
    struct Case {
        foreign::Format format;
        const char* file;
        std::string refused;
        std::string dump;  // without the header rows
    };
    const Case cases[] = {
        {foreign::Format::Tellico, "tellico-music.tc",
         "entry 2: track 1: the length \"four minutes\" is not a time\n", tellico},
        {foreign::Format::Tellico, "tellico-music.xml",
         "entry 2: track 1: the length \"four minutes\" is not a time\n", tellico},
        {foreign::Format::Gcstar, "gcstar-music.gcs",
         "item 2: track 1: the time \"soon\" is not a time\n",
         R"(,Harbour Lights,Jazz,1,"Release: 12/03/1998
Rating: 7
Unique: 5012345678900
Comments: Second pressing.",CD,Bluewater,,,2026-03-14,,Elin Marsk,,,
--
Low Tide,Elin Marsk,,1,,04,12,1,Jazz,CD,,,,,,1998
Lantern,Elin Marsk,,2,,05,01,1,Jazz,CD,,,,,,1998
)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(foreign::DetectFormat(Fixture(c.file)), c.format);
        const std::string empty = File(std::string("catalogue-") + c.file);
        fs::create_directories(empty);
        ASSERT_TRUE(CreateCatalogueTables(empty).ok());
        ASSERT_TRUE(CreateCatalogueIndexes(empty).ok());
        SetWorkDir(empty);
        catalogue_ = std::make_unique<Catalogue>(empty);
        catalogue_->OpenIndexes();
        ForeignImport import;
        ForeignImportOptions options;
        options.format = c.format;
        ASSERT_TRUE(import.Prepare(*catalogue_, Fixture(c.file), options).ok());
        std::string refused;
        for (const ForeignRefusal& refusal : import.refusals())
            refused += refusal.origin + ": " + refusal.reason + "\n";
        EXPECT_EQ(refused, c.refused);
        ASSERT_TRUE(import.Apply(*catalogue_).ok());
        std::string dump = c.dump;
        dump.insert(dump.find("--\n") + 3,
                    "TITEL,ARTIEST,TREF,TRACK,COMPONIST,MINUTEN,SECONDEN,CDNUMMER,SOORT,DRAGER,"
                    "DUBBEL,DUBNW,UITVOER,AKANT,WIJZIGDAT,JAAR\n");
        EXPECT_EQ(Dump(),
                  "OPNAME,HTITEL,SOORT,CDNUMMER,MEMO,DRAGER,LABEL,RMNR,AANKOOPDAT,INVOERDAT,"
                  "AANKOOP,HOOFDART,WIJZIGDAT,TEKSTDAT,AANKPPRS\n" +
                      dump);
    }
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

// Nothing is cut silently: a track's text too long for its field is cut in the track, whole in
// the source's memo, and the preview says so.
TEST_F(ForeignImportTest, CutsLongTrackTextsIntoTheMemo) {
    const std::string title(30, 'a'), longer = std::string(50, 'b') + " tail";
    WriteFile(File("long.csv"), "Album,Song,Year\r\nOne,short,1994-05-01\r\nOne," + longer +
                                    ",\r\n" + title + ",x,c. 1990\r\n");
    ForeignImportOptions options;
    options.format = foreign::Format::Csv;
    options.columns = {{"Album", "Song", "Year"}, {"main title", "title", "year"}};
    ForeignImport import;
    ASSERT_TRUE(import.Prepare(*catalogue_, File("long.csv"), options).ok());
    EXPECT_EQ(import.cutNotes(),
              std::vector<std::string>{"line 2: track 2 title cut to 50 "
                                       "characters; the full text is in the memo"});
    ASSERT_TRUE(import.Apply(*catalogue_).ok());
    const std::string dump = Dump();
    EXPECT_NE(dump.find(",One,,1,Track 2 title: " + longer + ",CD,"), std::string::npos) << dump;
    EXPECT_NE(dump.find("\n" + std::string(50, 'b') + ",,,2,,,,1,,CD,,,,,,1994\n"),
              std::string::npos);
    // A year that is no year is kept in the memo, never guessed at.
    EXPECT_NE(dump.find("," + title + ",,2,Year: c. 1990,CD,"), std::string::npos) << dump;
}

// Each entry that cannot be taken is refused with its place in the file and its reason; a file
// that cannot be read at all fails naming it. Either way the command adds nothing.
TEST_F(ForeignImportTest, RefusesWithTheEntryAndAddsNothing) {
    const std::string discogs =
        "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder\r\n";
    std::string refusedRows;
    for (int row = 0; row < 10000; ++row)
        refusedRows += "x\r\n";
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
        {"latin.csv", discogs + "X1,Caf\xE9,T,L,CD,,,1,F\r\n", "", kImportAdded,
         "line 2: not UTF-8: read as Windows-1252\nAdded 1 source and no tracks"},
        {"refused.csv", discogs + refusedRows, "", kImportRefused,
         "line 10001: has 1 values where the header names 9\n"
         "10000 entries refused; nothing was added."},
        // 200 MB without a line break: read no further than one value may reach.
        {"big.csv", discogs + "X1,A,\"", "", kImportBadInput, "line 2: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = File("catalogue-" + c.name);
        SetWorkDir(target);
        if (c.name != "missing.csv")
            WriteFile(File(c.name), c.bytes);
        if (c.name == "big.csv") {
            std::ofstream big(File(c.name), std::ios::binary | std::ios::app);
            const std::string block(1 << 20, 'a');
            for (int mb = 0; mb < 200; ++mb)
                big << block;
        }
        std::ostringstream out, errors;
        EXPECT_EQ(ImportForeignCommand(target, {File(c.name), c.from, ""}, out, errors,
                                       TUNELO_SOURCE_DIR "/data"),
                  c.status);
        const std::string told = out.str() + errors.str();
        EXPECT_NE(told.find(c.told), std::string::npos) << told.substr(0, 2000);
        if (fs::exists(target + "/hfdat.dat")) {
            Catalogue made(target);
            EXPECT_EQ(made.dm2.HfAccess.Count(), c.status == kImportAdded ? 1u : 0u);
        }
    }
    SetWorkDir(folder());
}

}  // namespace
