// The closing questions: confirmation, loan check and backup reminder, as cd.ini drives them.
#include "shell/shutdown.h"

#include <gtest/gtest.h>

#include "base/ini.h"
#include "base/work_dir.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

class ShutdownTest : public testing::Test {
protected:
    ShutdownTest() {
        SetWorkDir(dir.path().string());
        steps.loanCheck = [this] { ++loanChecks; };
        steps.backupReminder = [this] { ++reminders; };
    }
    testutil::TempDir dir;
    ScriptedUi ui;
    ShutdownSteps steps;
    int loanChecks = 0;
    int reminders = 0;
};

TEST_F(ShutdownTest, AnsweringNoKeepsTheProgramRunningAndRunsNothingElse) {
    IniWriteBool("Diversen", "Afsluitbox", true);
    IniWriteBool("Diversen", "ChkUitleenAfsluit", true);
    ui.answers = {MsgAnswer::No};
    EXPECT_FALSE(RunShutdown(steps));
    ASSERT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"Are you sure you want to leave the program?"});
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(loanChecks, 0);
    EXPECT_EQ(reminders, 0);
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 1);

    ui.answers = {MsgAnswer::Yes};
    EXPECT_TRUE(RunShutdown(steps));
    EXPECT_EQ(loanChecks, 1);
    EXPECT_EQ(reminders, 1);
}

// An empty cd.ini shows the reminder on the first close.
TEST_F(ShutdownTest, TheReminderFollowsTheCounterAndThreshold) {
    EXPECT_TRUE(RunShutdown(steps));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(reminders, 1);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 0);
    EXPECT_TRUE(RunShutdown(steps));
    EXPECT_EQ(reminders, 1);  // 0 new sources since: not due

    IniWriteInteger("Diversen", "MeldBackup", 4);
    IniWriteInteger("Diversen", "MeldBackupOp", 5);
    EXPECT_TRUE(RunShutdown(steps));
    EXPECT_EQ(reminders, 1);
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 4);

    IniWriteInteger("Diversen", "MeldBackup", 5);
    EXPECT_TRUE(RunShutdown(steps));
    EXPECT_EQ(reminders, 2);
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 0);

    IniWriteInteger("Diversen", "MeldBackup", 50);
    IniWriteBool("Diversen", "MeldBackupWindow", true);
    EXPECT_TRUE(RunShutdown(steps));
    EXPECT_EQ(reminders, 2);  // "Don't show" was chosen
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackup"), 50);
}

}  // namespace
