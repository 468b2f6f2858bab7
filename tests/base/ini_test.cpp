// The cd.ini helpers: defaults for absent keys, case-insensitive names, every value on disk at
// once, and failed writes reported to the user.
#include "base/ini.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/feedback.h"
#include "base/work_dir.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

class IniTest : public testing::Test {
protected:
    IniTest() { SetWorkDir(dir.path().string()); }
    std::string ReadFile(const std::string& name) {
        std::ifstream in(dir.File(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    testutil::TempDir dir;
};

TEST_F(IniTest, AbsentKeysGiveTheHelpersDefaults) {
    EXPECT_EQ(IniReadString("Diversen", "OpenDrager"), "FOUT");
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 1);
    EXPECT_FALSE(IniReadBool("Opstart", "ToonWerkBalk"));
    EXPECT_TRUE(IniReadBool("Diversen", "SluitButton", true));
    EXPECT_EQ(IniReadString("Opstart", "ToonBitmap", ""), "");
    EXPECT_FALSE(std::filesystem::exists(dir.File("cd.ini")));
}

TEST_F(IniTest, WritesAreOnDiskAtOnceAndNamesIgnoreCase) {
    ASSERT_TRUE(IniWriteString("diversen", "VeldJaar", "1997"));
    EXPECT_NE(ReadFile("cd.ini").find("VeldJaar=1997"), std::string::npos);
    EXPECT_EQ(IniReadString("Diversen", "veldjaar"), "1997");
    ASSERT_TRUE(IniWriteBool("Diversen", "Geluid", true));
    EXPECT_NE(ReadFile("cd.ini").find("Geluid=1"), std::string::npos);
    ASSERT_TRUE(IniWriteInteger("Diversen", "MeldBackupOp", 12));
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackupOp"), 12);
    ASSERT_TRUE(IniWriteWindowPos("WindowsForms", "wd1l", "wd1t", "wd1w", "wd1h", 1, 2, 3, 4));
    EXPECT_EQ(IniReadInteger("WindowsForms", "WD1H"), 4);
}

TEST_F(IniTest, AFailedWriteIsReportedNotSwallowed) {
    ScriptedUi ui;
    std::filesystem::create_directory(dir.File("cd.ini"));  // cannot be replaced by a file
    EXPECT_FALSE(IniWriteString("Diversen", "Code_0001", "x"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
}

TEST_F(IniTest, PlayWaveNeedsTheFileAndSoundSwitchedOn) {
    ScriptedUi ui;
    PlayWave("error.wav");  // neither file nor setting
    std::ofstream(dir.File("ERROR.WAV")) << "RIFF";
    PlayWave("error.wav");  // sound still off
    EXPECT_TRUE(ui.sounds.empty());
    IniWriteBool("Diversen", "Geluid", true);
    PlayWave("error.wav");
    PlayWave("ngev.wav");  // absent file
    ASSERT_EQ(ui.sounds.size(), 1u);
    EXPECT_EQ(ui.sounds[0], "ERROR.WAV");
}

TEST(WorkDirTest, DropsATrailingSlash) {
    SetWorkDir("/tmp/catalogue/");
    EXPECT_EQ(WorkDir(), "/tmp/catalogue");
    EXPECT_EQ(WorkFile("x.dat"), "/tmp/catalogue/x.dat");
}

}  // namespace
