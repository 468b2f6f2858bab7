// Lookup items: one per text and code in any letter case, sorted pick lists, cleaning.
#include "store/data_module3.h"

#include <gtest/gtest.h>

#include "catalogue_fixture.h"
#include "store/table_error.h"

namespace {

using Items = std::vector<std::string>;

class LookupItemsTest : public BuiltCatalogueTest {
protected:
    TDataModule3& dm3() { return catalogue_->dm3; }

    Items ItemsOf(char code) { return CatalogueTest::ItemsOf(*catalogue_, code); }

    uint64_t StoredItems() {
        dm3().ItemsAccess.SetOrder(0);
        return dm3().ItemsAccess.Count();
    }
};

TEST_F(LookupItemsTest, AnItemIsOneTextPerCodeInAnyLetterCase) {
    // Another code is another item; accented letters are upper-cased as the index does it
    // (Windows-1252).
    const std::pair<const char*, char> items[] = {
        {"Rock", 'G'}, {"ROCK", 'G'}, {"rock   ", 'G'},      {"Rock", 'L'},
        {"   ", 'G'},  {"", 'G'},     {"\xC9migr\xE9", 'A'}, {"\xE9MIGR\xC9", 'A'}};
    for (const auto& [text, code] : items)
        dm3().WriteItems(text, code);
    EXPECT_EQ(StoredItems(), 3u);
    EXPECT_EQ(ItemsOf('G'), Items{"Rock"});
    EXPECT_EQ(ItemsOf('L'), Items{"Rock"});
    EXPECT_EQ(ItemsOf('A'), Items{"\xC9migr\xE9"});
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_THROW(dm3().WriteItems(std::string(51, 'x'), 'G'), TableError);
    EXPECT_EQ(StoredItems(), 3u);
}

TEST_F(LookupItemsTest, PickListsComeInAlphabeticalOrderSkipBlanksAndSayWhenEmpty) {
    for (const char* text : {"gamma", "Alpha", "beta"})
        dm3().WriteItems(text, 'U');
    dm3().WriteItems("Aardvark", 'T');
    dm3().WriteItems("Zulu", 'H');
    Add(dm3().ItemsTable, {{"OMS", ""}, {"CODE", "U"}});
    Add(dm3().ItemsTable, {{"OMS", ""}, {"CODE", "N"}});
    Items list{"kept"};
    dm3().GetItems(list, 'U');
    EXPECT_EQ(list, (Items{"kept", "Alpha", "beta", "gamma"}));
    EXPECT_EQ(ItemsOf('T'), Items{"Aardvark"});
    EXPECT_TRUE(ItemsOf('N').empty());  // only a blank item: no message either
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_TRUE(ItemsOf('K').empty());
    ASSERT_EQ(ui_.MessageTexts(), Items{"No information found!"});
    EXPECT_EQ(ui_.messages[0].kind, MsgKind::Information);
    EXPECT_FALSE(dm3().ItemsTable.ControlsDisabled());
}

TEST_F(LookupItemsTest, PackItemsRemovesBlankItemsAndTheTableStaysUsableEvenIfRefused) {
    dm3().WriteItems("Live", 'U');
    Add(dm3().ItemsTable, {{"OMS", " "}, {"CODE", "U"}});
    dm3().WriteItems("Studio", 'U');
    Add(dm3().ItemsTable, {{"OMS", ""}, {"CODE", "G"}});
    dm3().PackItems();
    ASSERT_GE(ui_.statuses.size(), 3u);
    EXPECT_EQ(ui_.statuses[0], "Removing empty records...");
    EXPECT_EQ(ui_.statuses[1], "Checking database...");
    EXPECT_EQ(ui_.statuses.back(), "");
    {
        std::unique_ptr<xbase::Table> file;
        ASSERT_TRUE(xbase::Table::Open(File("items.dat"), {}, &file).ok());
        EXPECT_EQ(file->recordCount(), 2u);  // gone from the file, not only hidden
    }
    // Done, or refused while another user keeps items.dat open, the items stay usable.
    for (const bool refused : {false, true}) {
        std::unique_ptr<xbase::Table> other;
        if (refused) {
            ASSERT_TRUE(xbase::Table::Open(File("items.dat"), {}, &other).ok());
            EXPECT_THROW(dm3().PackItemFile(), TableError);
        }
        EXPECT_TRUE(dm3().ItemsTable.Active());
        EXPECT_FALSE(dm3().ItemsTable.exclusive() || dm3().ItemsTable.ControlsDisabled());
    }
    dm3().WriteItems("Acoustic", 'U');
    dm3().WriteItems("LIVE", 'U');
    EXPECT_EQ(ItemsOf('U'), (Items{"Acoustic", "Live", "Studio"}));
}

}  // namespace
