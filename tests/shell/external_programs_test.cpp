// Starting the backup program, the character map and the volume control by their stored paths.
#include "shell/external_programs.h"

#include <gtest/gtest.h>

#include <filesystem>
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
        std::filesystem::create_directories(dir.File("catalogue"));
        std::filesystem::create_directories(dir.File("bin"));
        SetWorkDir(dir.File("catalogue"));
        std::ofstream(dir.File("catalogue/ngev.wav")) << "RIFF";
        std::ofstream(dir.File("catalogue/error.wav")) << "RIFF";
        std::ofstream(dir.File("catalogue/tool")) << "#!/bin/sh\n";
        std::ofstream(dir.File("bin/program")) << "#!/bin/sh\n";
        IniWriteBool("Diversen", "Geluid", true);
    }
    testutil::TempDir dir;
    ScriptedUi ui;
};

TEST_F(ExternalProgramsTest, StoredProgramsOutsideTheCatalogueStartAtOnceOthersAfterAQuestion) {
    const struct {
        std::string stored;
        std::vector<MsgAnswer> answers;
        Strings started;
    } cases[] = {
        {dir.File("bin/program"), {}, {dir.File("bin/program")}},
        {dir.File("catalogue/tool"), {MsgAnswer::Yes}, {dir.File("catalogue/tool")}},
        {"tool", {MsgAnswer::No}, {}},
        {"../bin/program", {MsgAnswer::Yes}, {dir.File("bin/program")}},
    };
    for (const auto& c : cases) {
        ScriptedUi scripted;
        scripted.answers = {c.answers.begin(), c.answers.end()};
        IniWriteString("Opstart", "StartVolumeControl", c.stored);
        EXPECT_EQ(StartExternalProgram(ExternalProgram::VolumeControl), !c.started.empty());
        EXPECT_EQ(scripted.started, c.started) << c.stored;
        ASSERT_EQ(scripted.messages.size(), c.answers.size()) << c.stored;
        if (!c.answers.empty()) {
            EXPECT_NE(scripted.messages[0].text.find(c.stored), std::string::npos);
            EXPECT_EQ(scripted.messages[0].buttons, MsgButtons::YesNo);
        }
        EXPECT_TRUE(scripted.fileDialogs.empty());
    }
}

TEST_F(ExternalProgramsTest, AMissingProgramIsNamedWithAFolderThatExistsAndIsAskedFor) {
    ui.files = {dir.File("bin/program")};
    EXPECT_TRUE(StartExternalProgram(ExternalProgram::Backup));
    ASSERT_EQ(ui.Log().size(), 2u);
    EXPECT_EQ(ui.Log()[0], "sound:ngev.wav");
    const std::string text = ui.Log()[1];
    const std::string lead = "The backup program is not found! Browse to the folder ";
    ASSERT_EQ(text.substr(0, lead.size()), lead);
    EXPECT_TRUE(
        std::filesystem::is_directory(text.substr(lead.size(), text.size() - lead.size() - 1)))
        << text;
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
    EXPECT_EQ(ui.fileDialogs, Strings{"EXE files (.EXE)|*.EXE"});
    EXPECT_EQ(IniReadString("Opstart", "StartBackupFile"), dir.File("bin/program"));
    EXPECT_EQ(ui.started, Strings{dir.File("bin/program")});
}

TEST_F(ExternalProgramsTest, CancellingKeepsTheOldPathAndStartsNothing) {
    IniWriteString("Opstart", "StartSpecialeTekensFile", dir.File("bin/gone/charmap"));
    EXPECT_FALSE(StartExternalProgram(ExternalProgram::SpecialCharacters));
    EXPECT_EQ(ui.MessageTexts(),
              Strings{dir.File("bin/gone/charmap") + " is not found! Browse to the folder " +
                      dir.File("bin") + "."});
    EXPECT_EQ(IniReadString("Opstart", "StartSpecialeTekensFile"), dir.File("bin/gone/charmap"));
    EXPECT_TRUE(ui.started.empty());
}

TEST_F(ExternalProgramsTest, AProgramThatWillNotStartIsReported) {
    IniWriteString("Opstart", "StartVolumeControl", dir.File("bin/program"));
    ui.startSucceeds = false;
    EXPECT_FALSE(StartExternalProgram(ExternalProgram::VolumeControl));
    EXPECT_EQ(ui.MessageTexts(),
              Strings{"The program " + dir.File("bin/program") + " could not be started."});
    EXPECT_EQ(ui.sounds, Strings{"error.wav"});
}

}  // namespace
