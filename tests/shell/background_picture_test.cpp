// Choosing the background picture and going back to the plain frame.
#include "shell/background_picture.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/ini.h"
#include "base/work_dir.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

class BackgroundPictureTest : public testing::Test {
protected:
    BackgroundPictureTest() {
        SetWorkDir(dir.path().string());
        std::ofstream(dir.File("Tiles.bmp")) << "BM";
    }
    testutil::TempDir dir;
    ScriptedUi ui;
};

TEST_F(BackgroundPictureTest, ANewPictureIsStoredAndTheUserMayCloseAtOnce) {
    ui.files = {dir.File("Tiles.bmp")};
    ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(ChooseBackgroundPicture());
    EXPECT_EQ(ui.fileDialogs, std::vector<std::string>{"BMP files (*.BMP)|*.BMP"});
    EXPECT_EQ(IniReadString("Opstart", "ToonBitmap"), dir.File("Tiles.bmp"));
    EXPECT_EQ(BackgroundPictureFile(), dir.File("Tiles.bmp"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "You have to restart the program to activate the new background. Do you want to "
              "close now?");
}

TEST_F(BackgroundPictureTest, TheSamePictureOrACancelWritesAndAsksNothing) {
    IniWriteString("Opstart", "ToonBitmap", dir.File("Tiles.bmp"));
    ui.files = {dir.File("Tiles.bmp"), std::nullopt};
    EXPECT_FALSE(ChooseBackgroundPicture());
    EXPECT_FALSE(ChooseBackgroundPicture());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(IniReadString("Opstart", "ToonBitmap"), dir.File("Tiles.bmp"));
}

TEST_F(BackgroundPictureTest, StandardAndMissingFilesMeanNoPicture) {
    IniWriteString("Opstart", "ToonBitmap", dir.File("gone.bmp"));
    EXPECT_EQ(BackgroundPictureFile(), "");
    IniWriteString("Opstart", "ToonBitmap", dir.File("tiles.BMP"));  // other letter case
    EXPECT_EQ(BackgroundPictureFile(), dir.File("Tiles.bmp"));
    ResetBackgroundPicture();
    EXPECT_EQ(IniReadString("Opstart", "ToonBitmap"), "");
    EXPECT_EQ(BackgroundPictureFile(), "");
}

}  // namespace
