// Starting the backup program, the character map and the volume control by their stored paths.
#include "shell/external_programs.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/ini.h"
#include "base/work_dir.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

using Strings = std::vector<std::string>;

class ExternalProgramsTest : public testing::Test {
protected:
    ExternalProgramsTest() {
        SetWorkDir(dir.path().string());
        std::ofstream(dir.File("ngev.wav")) << "RIFF";
        std::ofstream(dir.File("error.wav")) << "RIFF";
        std::ofstream(dir.File("program")) << "#!/bin/sh\n";
        IniWriteBool("Diversen", "Geluid", true);
    }
    testutil::TempDir dir;
    ScriptedUi ui;
};

TEST_F(ExternalProgramsTest, AStoredProgramStartsAtOnce) {
    IniWriteString("Opstart", "StartVolumeControl", dir.File("program"));
    EXPECT_TRUE(StartExternalProgram(ExternalProgram::VolumeControl));
    EXPECT_EQ(ui.started, Strings{dir.File("program")});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(ExternalProgramsTest, AMissingProgramIsAskedForAndRemembered) {
    ui.files = {dir.File("program")};
    EXPECT_TRUE(StartExternalProgram(ExternalProgram::Backup));
    EXPECT_EQ(ui.Log(), (Strings{"sound:ngev.wav",
                                 "BACKUP.EXE is not found! Browse to the map "
                                 "\\Program Files\\Accessories."}));
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.fileDialogs, Strings{"EXE files (.EXE)|*.EXE"});
    EXPECT_EQ(IniReadString("Opstart", "StartBackupFile"), dir.File("program"));
    EXPECT_EQ(ui.started, Strings{dir.File("program")});
}

TEST_F(ExternalProgramsTest, CancellingKeepsTheOldPathAndStartsNothing) {
    IniWriteString("Opstart", "StartSpecialeTekensFile", dir.File("gone"));
    EXPECT_FALSE(StartExternalProgram(ExternalProgram::SpecialCharacters));
    EXPECT_EQ(ui.MessageTexts(), Strings{"CHARMAP.EXE is not found! Browse to the map \\Windows"});
    EXPECT_EQ(IniReadString("Opstart", "StartSpecialeTekensFile"), dir.File("gone"));
    EXPECT_TRUE(ui.started.empty());
}

TEST_F(ExternalProgramsTest, AProgramThatWillNotStartIsReported) {
    IniWriteString("Opstart", "StartVolumeControl", dir.File("program"));
    ui.startSucceeds = false;
    EXPECT_FALSE(StartExternalProgram(ExternalProgram::VolumeControl));
    EXPECT_EQ(ui.MessageTexts(),
              Strings{"The program " + dir.File("program") + " could not be started."});
    EXPECT_EQ(ui.sounds, Strings{"error.wav"});
}

}  // namespace
