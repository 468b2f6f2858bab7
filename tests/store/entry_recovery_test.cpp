// An entry the program ended in: blank main titles go, sources with saved tracks stay open.
#include "store/entry_recovery.h"

#include "base/ini.h"
#include "base/text.h"
#include "catalogue_fixture.h"
#include "support/scripted_ui.h"

namespace {

using EntryRecoveryTest = CatalogueTest;

TEST_F(EntryRecoveryTest, BlankMainTitlesGoAndSourcesWithSavedTracksAreKeptOpen) {
    ScriptedUi ui;
    auto catalogue = OpenBuilt();
    TTable& titles = catalogue->dm2.HfTable;
    const auto track = [&](const char* carrier, const char* number, const char* side) {
        Add(catalogue->dm1.ArtTable,
            {{"DRAGER", carrier}, {"CDNUMMER", number}, {"AKANT", side}, {"TRACK", "1"}});
    };
    Add(titles, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}});
    track("CD", "1", "");  // finished: the walk back stops here
    for (int blank = 0; blank < 3; ++blank)
        Add(titles, {});
    track("LP", "5", "A");
    track("CD", "2", "A");
    track("CD", "2", "B");
    IniWriteInteger("Geluidsdragers", "CD", 2);

    const auto recovered = RecoverUnfinishedEntries(*catalogue);
    ASSERT_EQ(recovered.size(), 2u);
    EXPECT_EQ(recovered[0].tracks, 2);
    EXPECT_TRUE(recovered[0].keptOpen);
    EXPECT_FALSE(recovered[1].keptOpen);  // one source open at a time
    EXPECT_EQ(IniReadString("Diversen", "OpenDrager"), "CD                 2");
    EXPECT_EQ(IniReadString("Diversen", "OpenTracknr") + IniReadString("Diversen", "OpenTrackKant"),
              "2B");
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD") + IniReadInteger("Geluidsdragers", "LP"), 9);
    EXPECT_EQ(ui.MessageTexts().at(0),
              "The program ended while source \"CD 2\" was being entered: its 2 tracks were "
              "saved, its main title was not.\nThe source is kept open: choose Add to finish it.");

    // The newest blank record went to the newest source, the spare one is gone; nothing else.
    TTableAccess& hf = catalogue->dm2.HfAccess;
    hf.SetOrder(0);
    std::string keys;
    for (hf.GoTop(); !hf.Eof(); hf.Skip(1))
        keys +=
            Trim(hf.GetString("DRAGER").bytes()) + std::to_string(hf.GetInteger("CDNUMMER")) + " ";
    EXPECT_EQ(keys, "CD1 LP5 CD2 ");
    EXPECT_EQ(catalogue->dm1.ArtAccess.Count(), 4u);
    EXPECT_TRUE(RecoverUnfinishedEntries(*catalogue).empty());  // nothing left for the next start
}

}  // namespace
