// A new catalogue's files: the five tables with their fields, and the index files with every
// tag in order, rebuilt from whatever the tables hold.
#include "store/catalogue_files.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/xbase/cdx_file.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue_schema.h"
#include "test_util.h"

namespace {

TEST(CatalogueFilesTest, NewCatalogueHasEveryTableAndTag) {
    testutil::TempDir dir;
    ASSERT_TRUE(CreateCatalogueTables(dir.path().string()).ok());
    ASSERT_TRUE(CreateCatalogueIndexes(dir.path().string()).ok());
    for (const TableDefinition& def : CatalogueTables()) {
        std::unique_ptr<xbase::Table> table;
        ASSERT_TRUE(xbase::Table::Open(dir.File(def.file), {}, &table).ok()) << def.file;
        ASSERT_EQ(table->schema().size(), def.fields.size());
        for (size_t i = 0; i < def.fields.size(); ++i) {
            EXPECT_EQ(table->schema()[i].name, def.fields[i].name);
            EXPECT_EQ(table->schema()[i].type, def.fields[i].type);
        }
        std::unique_ptr<xbase::CdxFile> cdx;
        ASSERT_TRUE(xbase::CdxFile::Open(dir.File(def.indexFile), false, &cdx).ok())
            << def.indexFile;
        ASSERT_EQ(cdx->tags().size(), def.tags.size());
        for (const TagDefinition& tag : def.tags) {
            ASSERT_NE(cdx->FindTag(tag.name), nullptr) << def.indexFile << " tag " << tag.name;
            EXPECT_EQ(cdx->FindTag(tag.name)->info().expression, tag.expression);
        }
    }
    // New index files carry the spelling "Index1.cdx"; the upper-case names still reach them.
    EXPECT_TRUE(std::filesystem::exists(dir.File("Index1.cdx")));
}

TEST(CatalogueFilesTest, ExistingTablesAreNeverOverwritten) {
    testutil::TempDir dir;
    ASSERT_TRUE(CreateCatalogueTables(dir.path().string()).ok());
    EXPECT_FALSE(CreateCatalogueTables(dir.path().string()).ok());
}

TEST(CatalogueFilesTest, IndexesAreBuiltAnewFromTheTables) {
    testutil::TempDir dir;
    ASSERT_TRUE(CreateCatalogueTables(dir.path().string()).ok());
    ASSERT_TRUE(CreateCatalogueIndexes(dir.path().string()).ok());
    {
        std::unique_ptr<xbase::Table> tracks;
        ASSERT_TRUE(xbase::Table::Open(dir.File("artdat.dat"), {}, &tracks).ok());
        std::vector<uint8_t> rec(tracks->recordLength(), ' ');
        for (const xbase::FieldDef& f : tracks->schema().fields())
            xbase::SetBlank(rec.data(), f);
        const xbase::Schema& s = tracks->schema();
        ASSERT_TRUE(xbase::SetText(rec.data(), s[size_t(s.Find("ARTIEST"))], "Beatles").ok());
        ASSERT_TRUE(xbase::SetNumber(rec.data(), s[size_t(s.Find("CDNUMMER"))], 7).ok());
        uint32_t recno = 0;
        ASSERT_TRUE(tracks->Append(rec.data(), {}, &recno).ok());  // no index open: tags now stale
    }
    // An old index spelled otherwise is replaced, not kept beside the new one.
    std::filesystem::rename(dir.File("Index1.cdx"), dir.File("INDEX1.CDX"));
    int calls = 0;
    ASSERT_TRUE(CreateCatalogueIndexes(dir.path().string(), [&](uint64_t done, uint64_t total) {
                    ++calls;
                    EXPECT_LE(done, total);
                }).ok());
    EXPECT_GT(calls, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("INDEX1.CDX")));
    std::unique_ptr<xbase::Table> tracks;
    ASSERT_TRUE(xbase::Table::Open(dir.File("artdat.dat"), {}, &tracks).ok());
    ASSERT_TRUE(tracks->OpenIndex(dir.File("INDEX1.CDX")).ok());
    std::vector<std::string> report;
    EXPECT_TRUE(tracks->Check(nullptr, &report).ok());
    EXPECT_EQ(report.size(), 12u);
}

}  // namespace
