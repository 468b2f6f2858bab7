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

// A new picture is stored and the user may close at once; the same one again, or a cancel,
// writes and asks nothing.
TEST_F(BackgroundPictureTest, ANewPictureIsStoredAndTheUserMayCloseAtOnce) {
    ui.files = {dir.File("Tiles.bmp"), dir.File("Tiles.bmp"), std::nullopt};
    ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(ChooseBackgroundPicture());
    EXPECT_FALSE(ChooseBackgroundPicture());
    EXPECT_FALSE(ChooseBackgroundPicture());
    EXPECT_EQ(ui.fileDialogs, std::vector<std::string>(3, "BMP files (*.BMP)|*.BMP"));
    EXPECT_EQ(IniReadString("Opstart", "ToonBitmap"), dir.File("Tiles.bmp"));
    EXPECT_EQ(BackgroundPictureFile(), dir.File("Tiles.bmp"));
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"You have to restart the program to activate the new "
                                       "background. Do you want to close now?"});
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
