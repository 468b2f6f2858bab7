// Exported cells that a spreadsheet would run as formulas are written as text, and an import
// takes back exactly what the export added.
#include <fstream>
#include <sstream>

#include "catalogue_fixture.h"
#include "store/csv_command.h"
#include "store/csv_export.h"

namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class CsvFormulaCellsTest : public CatalogueTest {};

TEST_F(CsvFormulaCellsTest, FormulaCellsAreGuardedAndComeBackAsTheyWere) {
    const struct {
        std::string text;  // a track's title, a source's memo
        std::string cell;  // as tracks.csv holds it
    } cases[] = {
        {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
        {"@SUM(1)", "'@SUM(1)"},
        {"+1+1", "'+1+1"},
        {"-1", "'-1"},
        {"\tTab", "'\tTab"},
        {"\rx", "\"'\rx\""},
        {"'=1", "''=1"},  // an apostrophe of its own stays
        {"''+1", "'''+1"},
        {"'quoted'", "'quoted'"},
        {"a=b", "a=b"},
        {std::string(50, '='), "'" + std::string(50, '=')},  // a full field
    };
    auto c = OpenBuilt();
    for (size_t i = 0; i < std::size(cases); ++i) {
        const std::string number = std::to_string(i + 1);
        AppendRow(c->dm1.ArtTable.table(),
                  {{"DRAGER", "CD"}, {"CDNUMMER", number}, {"TITEL", cases[i].text}});
        AppendRow(c->dm2.HfTable.table(),
                  {{"DRAGER", "CD"}, {"CDNUMMER", number}, {"AANKPPRS", "-12.50"}},
                  {{4, cases[i].text}});
    }
    const std::string first = File("first"), second = File("second");
    ASSERT_TRUE(ExportCsv(*c, first, {true, true}).ok());
    const std::string tracks = Read(fs::path(first) / "tracks.csv");
    for (const auto& test : cases)
        EXPECT_NE(tracks.find("\r\n" + test.cell + ","), std::string::npos) << test.cell;
    EXPECT_NE(Read(fs::path(first) / "sources.csv").find(",-12.50\r\n"), std::string::npos);

    testutil::TempDir other;
    ASSERT_TRUE(CreateCatalogueTables(other.path().string()).ok());
    ASSERT_TRUE(CreateCatalogueIndexes(other.path().string()).ok());
    Catalogue empty(other.path().string());
    empty.OpenIndexes();
    std::ostringstream out, errors;
    ASSERT_EQ(ImportCsvCommand(empty, first, out, errors), 0) << errors.str();
    ASSERT_TRUE(ExportCsv(empty, second, {true, true}).ok());
    for (const char* file : {"sources.csv", "tracks.csv"})
        EXPECT_TRUE(Read(fs::path(first) / file) == Read(fs::path(second) / file)) << file;
}

}  // namespace
