// What an entry left when the program ended without closing it: its blank main titles go, and
// the sources whose tracks were saved get their main title and are kept open for entry.
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
    TTable& tracks = catalogue->dm1.ArtTable;
    Add(titles, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"HTITEL", "Finished"}});
    Add(tracks, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"TRACK", "1"}});
    for (int blank = 0; blank < 3; ++blank)
        Add(titles, {});
    Add(tracks, {{"DRAGER", "LP"}, {"CDNUMMER", "5"}, {"AKANT", "A"}, {"TRACK", "1"}});
    Add(tracks, {{"DRAGER", "CD"}, {"CDNUMMER", "2"}, {"AKANT", "A"}, {"TRACK", "1"}});
    Add(tracks, {{"DRAGER", "CD"}, {"CDNUMMER", "2"}, {"AKANT", "A"}, {"TRACK", "2"}});
    Add(tracks, {{"DRAGER", "CD"}, {"CDNUMMER", "2"}, {"AKANT", "B"}, {"TRACK", "1"}});
    IniWriteInteger("Geluidsdragers", "CD", 2);

    const auto recovered = RecoverUnfinishedEntries(*catalogue);
    ASSERT_EQ(recovered.size(), 2u);
    EXPECT_EQ(recovered[0].carrier + std::to_string(recovered[0].number), "CD2");
    EXPECT_EQ(recovered[0].tracks, 3);
    EXPECT_TRUE(recovered[0].keptOpen);
    EXPECT_FALSE(recovered[1].keptOpen);  // only one source can be open at a time
    EXPECT_EQ(IniReadString("Diversen", "OpenDrager"), "CD                 2");
    EXPECT_EQ(IniReadString("Diversen", "OpenTracknr"), "2");
    EXPECT_EQ(IniReadString("Diversen", "OpenTrackKant"), "B");
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD"), 3);
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "LP"), 6);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text,
              "The program ended while source \"CD 2\" was being entered: its 3 tracks were "
              "saved, its main title was not.\nThe source is kept open: choose Add to finish it.");

    // The newest blank record went to the newest source; the spare one is gone; nothing else.
    TTableAccess& hf = catalogue->dm2.HfAccess;
    hf.SetOrder(0);
    std::vector<std::string> keys;
    for (hf.GoTop(); !hf.Eof(); hf.Skip(1))
        keys.push_back(Trim(hf.GetString("DRAGER")) + std::to_string(hf.GetInteger("CDNUMMER")));
    EXPECT_EQ(keys, (std::vector<std::string>{"CD1", "LP5", "CD2"}));
    EXPECT_EQ(catalogue->dm1.ArtAccess.Count(), 5u);

    // The next start finds nothing left to do.
    EXPECT_TRUE(RecoverUnfinishedEntries(*catalogue).empty());
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
