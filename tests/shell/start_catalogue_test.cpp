// Opening the catalogue at start: a new one, a missing or damaged table, nothing overwritten.
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
    {
        const StartFolder made(dir.File("new/deeper"));
        const StartFolder kept(folder());  // there before: stays
        EXPECT_EQ(OpenCatalogue(folder(), false), nullptr);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("new")));  // No leaves nothing behind
    EXPECT_TRUE(std::filesystem::is_directory(folder()));
    EXPECT_FALSE(std::filesystem::exists(dir.File("artdat.dat")));
    EXPECT_NE(ui.MessageTexts().at(0).find("Do you want to create a new, empty catalogue"),
              std::string::npos);
    EXPECT_EQ(ui.MessageTexts().at(1),
              "No catalogue was created in " + folder() +
                  ", so the program ends. Start it on the folder of your catalogue.");

    ui.answers = {MsgAnswer::Yes};
    auto catalogue = OpenCatalogue(folder(), false);
    ASSERT_NE(catalogue, nullptr);
    EXPECT_TRUE(std::filesystem::exists(dir.File("cd.ini")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("Index1.cdx")));
    EXPECT_EQ(catalogue->dm2.HfAccess.Count(), 0u);

    testutil::TempDir other;  // --new-catalogue makes it without asking
    EXPECT_NE(OpenCatalogue(other.path().string(), true), nullptr);
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(StartCatalogueTest, ASecondCopyOnTheSameCatalogueIsToldAndChangesNothing) {
    auto first = LockCatalogue(folder());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(LockCatalogue(folder()), nullptr);
    EXPECT_EQ(ui.MessageTexts().at(0).rfind(
                  "The catalogue in " + folder() + " is already open in another window", 0),
              0u);
    EXPECT_TRUE(std::filesystem::is_empty(folder()));
    first.reset();  // the lock goes with the program that held it
    EXPECT_NE(LockCatalogue(folder()), nullptr);
}

// A folder with some files of a catalogue is refused by name, with or without --new-catalogue:
// a missing table, or files that a new catalogue would replace (tables moved away).
TEST_F(StartCatalogueTest, AnIncompleteCatalogueIsNamedAndNothingIsCreated) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"HFDAT.FPT", "cd.ini"}, "\n    HFDAT.FPT\n    cd.ini\n"},
        {{"artdat.dat", "hfdat.dat", "Uitdat.dat", "playlist.dat"}, "\n    items.dat\n"}};
    for (const auto& [files, named] : cases) {
        for (const std::string& file : files)
            std::ofstream(dir.File(file)) << "the user's";
        for (const bool withoutAsking : {false, true}) {
            ui.messages.clear();
            EXPECT_EQ(OpenCatalogue(folder(), withoutAsking), nullptr);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_NE(ui.messages[0].text.find(named), std::string::npos) << ui.messages[0].text;
            EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder()), {}),
                      std::ptrdiff_t(files.size()));
        }
        for (const std::string& file : files)
            std::filesystem::remove(dir.File(file));
    }
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
