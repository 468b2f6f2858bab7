// Import of other programs' collection files into an empty catalogue, through ForeignImport and
// the command line's entry point: where each field lands, what is refused, and that a refusal
// adds nothing.
#include <sstream>

#include "base/clock.h"
#include "base/ini.h"
#include "store/catalogue_fixture.h"
#include "store/csv_export.h"
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

}  // namespace
