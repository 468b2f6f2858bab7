// A new catalogue's files: the tables with their fields, the index files with every tag.
#include "store/catalogue_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "catalogue_fixture.h"
#include "platform/xbase/cdx_file.h"
#include "store/catalogue_folder.h"
#include "store/catalogue_schema.h"
#include "store/startup_check.h"
#include "support/scripted_ui.h"

namespace {

using CatalogueFilesTest = CatalogueTest;  // a folder with the new catalogue's tables

// A new catalogue and the installation template in data/: empty tables with every field, index
// files with every tag, and a start that goes on without a word.
TEST_F(CatalogueFilesTest, NewAndShippedCataloguesHaveEveryTableAndTag) {
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    testutil::TempDir shipped;
    ASSERT_TRUE(
        CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", shipped.path().string()).ok());
    for (const std::string& dir : {folder(), shipped.path().string()}) {
        SCOPED_TRACE(dir);
        for (const TableDefinition& def : CatalogueTables()) {
            std::unique_ptr<xbase::Table> table;
            ASSERT_TRUE(xbase::Table::Open(dir + "/" + def.file, {}, &table).ok()) << def.file;
            EXPECT_EQ(table->recordCount(), 0u) << def.file;
            ASSERT_EQ(table->schema().size(), def.fields.size());
            for (size_t i = 0; i < def.fields.size(); ++i) {
                EXPECT_EQ(table->schema()[i].name, def.fields[i].name);
                EXPECT_EQ(table->schema()[i].type, def.fields[i].type);
                EXPECT_EQ(table->schema()[i].length, def.fields[i].length);
            }
            std::unique_ptr<xbase::CdxFile> cdx;
            ASSERT_TRUE(xbase::CdxFile::Open(dir + "/" + def.indexFile, false, &cdx).ok())
                << def.indexFile;
            ASSERT_EQ(cdx->tags().size(), def.tags.size());
            for (const TagDefinition& tag : def.tags) {
                ASSERT_NE(cdx->FindTag(tag.name), nullptr) << def.indexFile << " tag " << tag.name;
                EXPECT_EQ(cdx->FindTag(tag.name)->info().expression, tag.expression);
            }
        }
        SetWorkDir(dir);
        ScriptedUi ui;
        Catalogue catalogue(dir);
        EXPECT_EQ(CheckDataFiles(catalogue, nullptr), StartupOutcome::GoOn);
        EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
    }
    SetWorkDir(folder());
    // New index files carry the spelling "Index1.cdx"; the upper-case names still reach them.
    EXPECT_TRUE(Exists("Index1.cdx"));
}

// Index files are built anew from what the tables hold; the tables are never overwritten.
TEST_F(CatalogueFilesTest, IndexesAreBuiltAnewFromTheTablesWhichStay) {
    EXPECT_FALSE(CreateCatalogueTables(folder()).ok());
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    {
        std::unique_ptr<xbase::Table> tracks;
        ASSERT_TRUE(xbase::Table::Open(File("artdat.dat"), {}, &tracks).ok());
        // No index open: the tags are now stale.
        AppendRow(*tracks, {{"ARTIEST", "Beatles"}, {"CDNUMMER", "7"}});
    }
    // An old index spelled otherwise is replaced, not kept beside the new one.
    std::filesystem::rename(File("Index1.cdx"), File("INDEX1.CDX"));
    int calls = 0;
    ASSERT_TRUE(CreateCatalogueIndexes(folder(), [&](uint64_t done, uint64_t total) {
                    ++calls;
                    EXPECT_LE(done, total);
                }).ok());
    EXPECT_GT(calls, 0);
    EXPECT_FALSE(Exists("INDEX1.CDX"));
    std::unique_ptr<xbase::Table> tracks;
    ASSERT_TRUE(xbase::Table::Open(File("artdat.dat"), {}, &tracks).ok());
    ASSERT_TRUE(tracks->OpenIndex(File("INDEX1.CDX")).ok());
    std::vector<std::string> report;
    EXPECT_TRUE(tracks->Check(nullptr, &report).ok());
    EXPECT_EQ(report.size(), 12u);
}

}  // namespace
