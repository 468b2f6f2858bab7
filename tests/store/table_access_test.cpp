// The table component and its direct access as the screens use them.
#include "store/table_access.h"

#include <gtest/gtest.h>

#include <tuple>

#include "store/source_key.h"
#include "store/table_error.h"
#include "test_util.h"

namespace {

class TableAccessTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<xbase::Table> created;
        ASSERT_TRUE(xbase::Table::Create(dir_.File("hfdat.dat"),
                                         {{"HTITEL", 'C', 50, 0},
                                          {"CDNUMMER", 'N', 9, 0},
                                          {"DRAGER", 'C', 10, 0},
                                          {"AANKOOPDAT", 'D', 8, 0},
                                          {"AANKPPRS", 'N', 10, 2},
                                          {"MEMO", 'M', 10, 0}},
                                         &created)
                        .ok());
        created.reset();
        table_.setTableName(dir_.File("hfdat.dat"));
        table_.Open();
        access_.IndexTag(dir_.File("Index2.cdx"), "4", "UPPER(DRAGER)+STR(CDNUMMER)");
        access_.IndexTag(dir_.File("Index2.cdx"), "3", "CDNUMMER");
    }

    void AddSource(const std::string& drager, int number, const std::string& titel) {
        table_.Insert();
        table_.SetFieldAsString("DRAGER", drager);
        table_.SetFieldAsInteger("cdnummer", number);
        table_.SetFieldAsString("HTITEL", titel);
        table_.Post();
    }

    testutil::TempDir dir_;
    TTable table_{"HfTable"};
    TTableAccess access_{&table_};
};

TEST_F(TableAccessTest, SourceKeysFindSourcesInNumberOrder) {
    AddSource("CD", 10, "Ten");
    AddSource("CD", 9, "Nine");
    AddSource("LP", 1, "Vinyl");
    access_.SetOrder(4);
    EXPECT_EQ(access_.IndexOrd(), 4);
    ASSERT_TRUE(access_.Seek("CD        "));
    EXPECT_EQ(access_.GetInteger("CDNUMMER"), 9);  // STR right-aligns: 9 comes before 10
    ASSERT_TRUE(access_.Seek(SourceSeekKey("CD", 10)));
    EXPECT_EQ(access_.GetString("HTITEL").bytes(), "Ten" + std::string(47, ' '));
    EXPECT_FALSE(access_.Seek(SourceSeekKey("CD", 11)));
    EXPECT_TRUE(access_.Eof());
    access_.SetOrder(3);
    ASSERT_TRUE(access_.Seek("1"));
    EXPECT_EQ(access_.GetString("DRAGER").bytes(), "LP        ");
    access_.SetOrder(0);
    access_.GoTop();
    EXPECT_EQ(access_.RecNo(), 1u);
}

TEST_F(TableAccessTest, EditingWritesOnlyOnPostAndRefusesWhatDoesNotFit) {
    AddSource("CD", 1, "First");
    access_.GoTop();
    table_.Edit();
    table_.SetFieldAsString("HTITEL", "Changed");
    EXPECT_THROW(table_.SetFieldAsString("HTITEL", std::string(51, 'x')), TableError);
    EXPECT_THROW(table_.SetFieldAsInteger("CDNUMMER", 1234567890), TableError);
    EXPECT_THROW(table_.SetFieldAsString("AANKOOPDAT", "31-02-1997"), TableError);
    EXPECT_THROW(table_.SetFieldAsString("NOSUCH", "x"), TableError);
    table_.Cancel();
    EXPECT_EQ(access_.GetString("HTITEL").bytes().substr(0, 5), "First");
    table_.Edit();
    table_.SetFieldAsString("AANKOOPDAT", "24-12-1997");
    table_.SetFieldAsFloat("AANKPPRS", 19.95);
    table_.SetFieldAsString("MEMO", "a long memo\ntext");
    access_.Commit();
    EXPECT_EQ(table_.state(), TTable::State::Browse);
    EXPECT_EQ(access_.GetDateString("AANKOOPDAT"), "24-12-1997");
    EXPECT_DOUBLE_EQ(access_.GetDouble("AANKPPRS"), 19.95);
    EXPECT_EQ(access_.GetString("MEMO").bytes(), "a long memo\ntext");
    EXPECT_THROW(table_.SetFieldAsString("HTITEL", "not editing"), TableError);
}

TEST_F(TableAccessTest, DeletedAndFilteredRecordsVanishFromCountsAndWalks) {
    for (int i = 1; i <= 5; ++i)
        AddSource(i % 2 ? "CD" : "LP", i, "T" + std::to_string(i));
    access_.SetOrder(0);
    access_.Go(2);
    access_.Delete();
    EXPECT_EQ(access_.RecNo(), 3u);  // moved on to the next visible record
    EXPECT_EQ(access_.Count(), 4u);
    access_.Query("UPPER(DRAGER)=\"CD\"");
    EXPECT_EQ(access_.Count(), 3u);
    std::vector<uint32_t> seen;
    for (access_.GoTop(); !access_.Eof(); access_.Skip())
        seen.push_back(access_.RecNo());
    EXPECT_EQ(seen, (std::vector<uint32_t>{1, 3, 5}));
    access_.Query("");
    EXPECT_EQ(access_.Count(), 4u);
}

TEST_F(TableAccessTest, BoundViewsHearOfMovesUnlessSuspended) {
    AddSource("CD", 1, "A");
    AddSource("CD", 2, "B");
    int calls = 0;
    int id = table_.AddObserver([&] { ++calls; });
    access_.GoTop();
    EXPECT_EQ(calls, 1);
    table_.DisableControls();
    access_.Skip();
    access_.Skip(-1);
    EXPECT_EQ(calls, 1);
    table_.EnableControls();
    EXPECT_EQ(calls, 2);
    table_.RemoveObserver(id);
    access_.GoBottom();
    EXPECT_EQ(calls, 2);
}

TEST_F(TableAccessTest, PackNeedsExclusiveUseAndReportsProgress) {
    for (int i = 1; i <= 20; ++i)
        AddSource("CD", i, "T");
    access_.SetOrder(0);
    access_.Go(5);
    access_.Delete();
    EXPECT_THROW(access_.Pack(), TableError);
    table_.Close();
    table_.setExclusive(true);
    table_.Open();
    access_.IndexOpen(dir_.File("INDEX2.CDX"));
    int lastPercent = -1;
    access_.SetGaugeHook([&](int percent) { lastPercent = percent; });
    access_.Pack();
    EXPECT_EQ(lastPercent, 100);
    EXPECT_EQ(table_.table().recordCount(), 19u);
    access_.SetOrder(3);
    EXPECT_FALSE(access_.Seek("5"));
    EXPECT_TRUE(access_.Seek("6"));
}

TEST_F(TableAccessTest, RecordBeingEditedElsewhereIsLocked) {
    AddSource("CD", 1, "A");
    TTable other("Other");
    other.setTableName(dir_.File("HFDAT.DAT"));
    other.Open();
    TTableAccess otherAccess(&other);
    EXPECT_FALSE(access_.Locked(1));
    other.Edit();
    EXPECT_TRUE(access_.Locked(1));
    access_.Go(1);
    EXPECT_THROW(table_.Edit(), TableError);
    other.Cancel();
    EXPECT_FALSE(access_.Locked(1));
    table_.Edit();
    EXPECT_TRUE(access_.Locked(1));  // our own edit holds it too
    table_.Cancel();
    EXPECT_FALSE(access_.Locked(1));
}

TEST(TableEnvTest, DatesReadAndWriteInTheItalianFormatWithCentury) {
    TTableEnv env;
    EXPECT_EQ(env.FormatDate({1997, 12, 24}), "24-12-1997");
    EXPECT_EQ(env.FormatDate({}), "");
    xbase::Date d;
    ASSERT_TRUE(env.ParseDate("01-02-2003", &d));
    EXPECT_EQ(std::tuple(d.year, d.month, d.day), std::tuple(2003, 2, 1));
    ASSERT_TRUE(env.ParseDate("   ", &d));
    EXPECT_TRUE(d.blank());
    EXPECT_FALSE(env.ParseDate("2003-02-01", &d) || env.ParseDate("29-02-2001", &d));
    EXPECT_FALSE(env.ParseDate("1-2-3x", &d));
}

}  // namespace
