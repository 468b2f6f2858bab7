// Optimising: deleted and empty records go, a table held elsewhere is skipped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "catalogue_fixture.h"
#include "store/table_error.h"

namespace {

class PackOperationsTest : public BuiltCatalogueTest {
protected:
    TDataModule1& dm1() { return catalogue_->dm1; }

    uint32_t RecordsInFile(const char* name) {
        std::unique_ptr<xbase::Table> file;
        EXPECT_TRUE(xbase::Table::Open(File(name), {}, &file).ok());
        return file ? file->recordCount() : 0;
    }
    void AddTrack(const std::string& artist, const std::string& title) {
        Add(dm1().ArtTable,
            {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"ARTIEST", artist}, {"TITEL", title}});
    }
    void Pack() { dm1().PackFiles(catalogue_->dm2, catalogue_->dm3); }
};

TEST_F(PackOperationsTest, DeletedRecordsLeaveTheFilesAndEmptyTracksAreDeleted) {
    AddTrack("Artist", "Deleted");
    dm1().ArtAccess.Delete();
    AddTrack("", "Only a title");
    AddTrack("", "");
    AddTrack("Kept", "Song");
    Add(catalogue_->dm2.HfTable, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}});  // empty, but kept
    Add(catalogue_->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"AANWIE", "Ann"}});
    catalogue_->dm3.UitleenAccess.Delete();
    Add(catalogue_->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", "2"}, {"AANWIE", "Bob"}});
    Add(catalogue_->dm3.ItemsTable, {{"OMS", " "}, {"CODE", "G"}});

    Pack();
    EXPECT_EQ(RecordsInFile("artdat.dat"), 3u);  // the empty track goes at the next optimisation
    EXPECT_EQ(dm1().ArtAccess.Count(), 2u);
    EXPECT_EQ(RecordsInFile("hfdat.dat"), 1u);
    EXPECT_EQ(RecordsInFile("Uitdat.dat"), 1u);
    EXPECT_EQ(RecordsInFile("items.dat"), 0u);
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(ui_.statuses.front(), "Checking artist database...");
    EXPECT_EQ(ui_.statuses.back(), "");

    // Shared again, with the indexes in order.
    EXPECT_FALSE(dm1().ArtTable.exclusive());
    dm1().ArtAccess.SetOrder(2);
    EXPECT_TRUE(dm1().ArtAccess.Seek(PadRight("ONLY A TITLE", 50)));
    catalogue_->dm3.UitleenAccess.SetOrder(2);
    EXPECT_TRUE(catalogue_->dm3.UitleenAccess.Seek("BOB"));
    EXPECT_FALSE(catalogue_->dm3.UitleenAccess.Seek("ANN"));
    AddTrack("New", "Track");
    EXPECT_EQ(dm1().ArtAccess.Count(), 3u);
}

TEST_F(PackOperationsTest, ATableInUseIsSkippedAndTheOthersArePacked) {
    AddTrack("Artist", "Deleted");
    dm1().ArtAccess.Delete();
    Add(catalogue_->dm2.HfTable, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}});
    catalogue_->dm2.HfAccess.Delete();
    {
        std::unique_ptr<xbase::Table> other;  // another program holds the tracks
        ASSERT_TRUE(xbase::Table::Open(File("artdat.dat"), {}, &other).ok());
        Pack();
    }
    EXPECT_EQ(ui_.MessageTexts(),
              std::vector<std::string>{
                  "File is in use, try later.\nartdat.dat is open in another program."});
    EXPECT_EQ(RecordsInFile("artdat.dat"), 1u);
    EXPECT_EQ(RecordsInFile("hfdat.dat"), 0u);
    EXPECT_TRUE(dm1().ArtTable.Active());
    EXPECT_FALSE(dm1().ArtTable.exclusive());
    AddTrack("Still", "Usable");
    dm1().ArtAccess.SetOrder(1);
    EXPECT_TRUE(dm1().ArtAccess.Seek("STILL"));
}

}  // namespace
