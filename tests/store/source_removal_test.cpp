#include "store/source_removal.h"

#include "base/ini.h"
#include "store/catalogue_fixture.h"
#include "store/source_key.h"

namespace {

class SourceRemovalTest : public CatalogueTest {};

// A removal cut short by a crash (the note written, some records gone) is finished at the next
// start, and only that source's records go.
TEST_F(SourceRemovalTest, ARemovalCutShortIsFinishedAtTheNextStart) {
    auto catalogue = OpenBuilt();
    for (const char* number : {"7", "8"}) {
        Add(catalogue->dm2.HfTable, {{"DRAGER", "CD"}, {"CDNUMMER", number}, {"HTITEL", "T"}});
        Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"}, {"CDNUMMER", number}, {"TRACK", "1"}});
        Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"}, {"CDNUMMER", number}, {"TRACK", "2"}});
        Add(catalogue->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", number}});
        Add(catalogue->dm3.PlaylistTable, {{"DRAGER", "CD"}, {"CDNUMMER", number}});
    }
    catalogue->dm1.ArtAccess.Go(1);
    catalogue->dm1.ArtAccess.Delete();  // the crash came after the first track
    ASSERT_TRUE(IniWriteString("Diversen", "VerwijderBron", SourceSeekKey("CD", int64_t{7})));

    EXPECT_TRUE(FinishSourceRemoval(*catalogue));
    EXPECT_FALSE(FinishSourceRemoval(*catalogue));  // the note is gone
    for (TTableAccess* access : {&catalogue->dm1.ArtAccess, &catalogue->dm2.HfAccess,
                                 &catalogue->dm3.UitleenAccess, &catalogue->dm3.PlaylistAccess}) {
        access->SetOrder(0);
        for (access->GoTop(); !access->Eof(); access->Skip())
            EXPECT_EQ(access->GetInteger("CDNUMMER"), 8) << access->component().name();
        EXPECT_GE(access->Count(), 1u) << access->component().name();
    }
}

}  // namespace
