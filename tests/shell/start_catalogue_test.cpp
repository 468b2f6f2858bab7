// Opening the catalogue at start: a new one offered for an empty folder, clear messages for a
// missing or damaged table, and never a user's table overwritten.
#include "shell/start_catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/work_dir.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "store/catalogue_lock.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

class StartCatalogueTest : public testing::Test {
protected:
    StartCatalogueTest() { SetWorkDir(folder()); }
    std::string folder() const { return dir.path().string(); }
    void MakeCatalogue() {
        ASSERT_TRUE(CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", folder()).ok());
    }
    testutil::TempDir dir;
    ScriptedUi ui;
};

TEST_F(StartCatalogueTest, AnEmptyFolderIsOfferedANewCatalogue) {
    ui.answers = {MsgAnswer::No};
    EXPECT_EQ(OpenCatalogue(folder(), false), nullptr);
    EXPECT_FALSE(std::filesystem::exists(dir.File("artdat.dat")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Do you want to create a new, empty catalogue"),
              std::string::npos);

    ui.answers = {MsgAnswer::Yes};
    auto catalogue = OpenCatalogue(folder(), false);
    ASSERT_NE(catalogue, nullptr);
    EXPECT_TRUE(std::filesystem::exists(dir.File("cd.ini")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Index1.cdx")));
    EXPECT_EQ(catalogue->dm2.HfAccess.Count(), 0u);
}

TEST_F(StartCatalogueTest, NewCatalogueWithoutAskingForTheRunCommand) {
    EXPECT_NE(OpenCatalogue(folder(), true), nullptr);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(std::filesystem::exists(dir.File("playlist.dat")));
}

TEST_F(StartCatalogueTest, AFolderWithFilesOfACatalogueButNoTablesGetsNoNewOne) {
    std::ofstream(dir.File("HFDAT.FPT")) << "memo texts of moved tables";
    std::ofstream(dir.File("cd.ini")) << "[Diversen]\r\n";
    for (const bool withoutAsking : {false, true}) {
        ui.messages.clear();
        EXPECT_EQ(OpenCatalogue(folder(), withoutAsking), nullptr);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
        EXPECT_NE(ui.messages[0].text.find("\n    HFDAT.FPT\n    cd.ini\n"), std::string::npos);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}), 2);
    }
}

TEST_F(StartCatalogueTest, ASecondCopyOnTheSameCatalogueIsToldAndChangesNothing) {
    auto first = LockCatalogue(folder());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LockCatalogue(folder()), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("The catalogue in " + folder() +
                                            " is already open in another window of the program.",
                                        0),
              0u);
    EXPECT_TRUE(std::filesystem::is_empty(folder()));
    first.reset();  // the lock goes with the program that held it
    EXPECT_NE(LockCatalogue(folder()), nullptr);
}

TEST_F(StartCatalogueTest, AMissingTableIsNamedAndNothingIsCreated) {
    MakeCatalogue();
    std::filesystem::remove(dir.File("items.dat"));
    EXPECT_EQ(OpenCatalogue(folder(), true), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_NE(ui.messages[0].text.find("items.dat"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir.File("items.dat")));
}

TEST_F(StartCatalogueTest, ADamagedTableIsNamedAndLeftAsItWas) {
    MakeCatalogue();
    const std::string damaged = "not a table at all";
    std::ofstream(dir.File("hfdat.dat"), std::ios::binary | std::ios::trunc) << damaged;
    EXPECT_EQ(OpenCatalogue(folder(), false), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Restore hfdat.dat from your backup"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(dir.File("hfdat.dat")), damaged.size());
}

}  // namespace
