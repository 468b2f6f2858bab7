// The shell's small settings screens: General, the backup reminder and the file locations.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/ini.h"
#include "base/work_dir.h"
#include "shell/algemeen.h"
#include "shell/backup_form.h"
#include "shell/lokatie_backup_form.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

using Strings = std::vector<std::string>;

class PreferenceDialogsTest : public testing::Test {
protected:
    PreferenceDialogsTest() { SetWorkDir(dir.path().string()); }

    std::string CdIni() const {
        std::ifstream file(IniFileName());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    template <typename T>
    static T* Child(const QWidget& parent, const char* name) {
        T* child = parent.findChild<T*>(name);
        EXPECT_NE(child, nullptr) << name;
        return child;
    }

    testutil::TempDir dir;
    ScriptedUi ui;
};

TEST_F(PreferenceDialogsTest, GeneralShowsTheStoredSettings) {
    IniWriteBool("Diversen", "Afsluitbox", true);
    IniWriteBool("Diversen", "ChkUitleenAfsluit", true);
    IniWriteString("Diversen", "TelOpDatum", "21");
    IniWriteBool("Opstart", "ToonCdSpeler", true);
    TAlgemeen dialog;
    EXPECT_TRUE(Child<QCheckBox>(dialog, "cbAfsluitbox")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "cbChkUitleenOpstart")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "cbChkUitleenAfsluit")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(dialog, "cbGeluid")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(dialog, "cbToonCdSpeler")->isChecked());
    EXPECT_EQ(Child<QSpinBox>(dialog, "seTelOpDatum")->value(), 21);
}

TEST_F(PreferenceDialogsTest, GeneralOkWritesEveryKeyInOrder) {
    TAlgemeen dialog;
    dialog.show();
    // Without a stored number the loan screens add one day; the screen shows that.
    EXPECT_EQ(Child<QSpinBox>(dialog, "seTelOpDatum")->value(), 1);
    Child<QCheckBox>(dialog, "cbGeluid")->setChecked(true);
    Child<QSpinBox>(dialog, "seTelOpDatum")->setValue(14);
    ui.files.push_back("/discs/xmcd");
    Child<QPushButton>(dialog, "btnDiscData")->click();
    EXPECT_EQ(Child<QLineEdit>(dialog, "edDiscData")->text(), "/discs/xmcd");
    Child<QPushButton>(dialog, "OKBtn")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // The internet box was left alone: the first look-up still asks.
    EXPECT_EQ(CdIni(),
              "[Diversen]\r\nAfsluitbox=0\r\nChkUitleenOpstart=0\r\nChkUitleenAfsluit=0\r\n"
              "Geluid=1\r\nTelOpDatum=14\r\n\r\n[Opstart]\r\nToonCdSpeler=0\r\n\r\n"
              "[CdInfo]\r\nDiscData=/discs/xmcd\r\n");
}

// The internet look-up box shows the stored answer and writes what it shows once the user
// touched it or answered before.
TEST_F(PreferenceDialogsTest, GeneralKeepsTheInternetLookUpSetting) {
    const struct {
        const char* stored;  // nullptr: never asked
        int toggles;
        const char* written;  // "": not written
    } cases[] = {{nullptr, 0, ""}, {nullptr, 2, "0"}, {"1", 0, "1"}, {"1", 1, "0"}};
    for (const auto& c : cases) {
        std::filesystem::remove(IniFileName());
        if (c.stored != nullptr)
            IniWriteString("CdInfo", "Online", c.stored);
        TAlgemeen dialog;
        auto* online = Child<QCheckBox>(dialog, "cbOnline");
        EXPECT_EQ(online->isChecked(), c.stored != nullptr && c.stored[0] == '1');
        for (int i = 0; i < c.toggles; ++i)
            online->toggle();
        Child<QPushButton>(dialog, "OKBtn")->click();
        EXPECT_EQ(IniReadString("CdInfo", "Online", ""), c.written)
            << (c.stored ? c.stored : "absent") << " toggled " << c.toggles;
    }
}

TEST_F(PreferenceDialogsTest, BackupReminderShowsAndKeepsItsThreshold) {
    std::ofstream(dir.File("Opti.wav")) << "RIFF";
    IniWriteBool("Diversen", "Geluid", true);
    IniWriteInteger("Diversen", "MeldBackupOp", 5);
    TBackupForm dialog;
    dialog.show();
    EXPECT_EQ(ui.sounds, Strings{"Opti.wav"});
    EXPECT_EQ(Child<QLabel>(dialog, "lMeldBackupOp")->text(), "5");
    EXPECT_EQ(Child<QLabel>(dialog, "lBackupProgram")->text(), "with your backup program.");
    QSpinBox* reportAfter = Child<QSpinBox>(dialog, "SpinEdit1");
    EXPECT_EQ(reportAfter->value(), 5);
    EXPECT_TRUE(Child<QPushButton>(dialog, "BackupBtn")->isEnabled());

    reportAfter->setValue(12);
    Child<QCheckBox>(dialog, "CheckBox1")->setChecked(true);
    Child<QPushButton>(dialog, "OKBtn")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(IniReadInteger("Diversen", "MeldBackupOp"), 12);
    EXPECT_TRUE(IniReadBool("Diversen", "MeldBackupWindow"));
}

TEST_F(PreferenceDialogsTest, BackupButtonStartsTheProgramUnlessLocked) {
    IniWriteString("Opstart", "StartBackupFile", "/bin/sh");
    {
        TBackupForm dialog;
        EXPECT_EQ(Child<QLabel>(dialog, "lBackupProgram")->text(), "with sh.");
        dialog.show();
        Child<QPushButton>(dialog, "BackupBtn")->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(ui.started, Strings{"/bin/sh"});
        EXPECT_EQ(IniReadString("Diversen", "MeldBackupOp"), "FOUT");  // only OK writes
    }
    IniWriteBool("Diversen", "TrackBvAan", true);
    TBackupForm locked;
    EXPECT_FALSE(Child<QPushButton>(locked, "BackupBtn")->isEnabled());
}

TEST_F(PreferenceDialogsTest, FileLocationsShowBrowseAndWriteAllThree) {
    IniWriteString("Opstart", "StartBackupFile", "/opt/backup/run");
    IniWriteString("Opstart", "StartVolumeControl", "/usr/bin/old-mixer");
    TLokatieBackupForm dialog;
    dialog.show();
    EXPECT_EQ(Child<QLineEdit>(dialog, "EditBackup")->text(), "/opt/backup/run");
    EXPECT_EQ(Child<QLineEdit>(dialog, "EditSpecialeTekens")->text(), "");  // absent key
    ui.files = {std::string("/usr/bin/charmap")};
    Child<QToolButton>(dialog, "BrowseSpecialeTekens")->click();
    EXPECT_EQ(ui.fileDialogs, Strings{"EXE files (.EXE)|*.EXE"});
    EXPECT_EQ(Child<QLineEdit>(dialog, "EditSpecialeTekens")->text(), "/usr/bin/charmap");
    Child<QToolButton>(dialog, "BrowseVolumeControl")->click();  // cancelled: unchanged
    EXPECT_EQ(Child<QLineEdit>(dialog, "EditVolumeControl")->text(), "/usr/bin/old-mixer");
    Child<QLineEdit>(dialog, "EditVolumeControl")->clear();

    Child<QPushButton>(dialog, "OKBtn")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(IniReadString("Opstart", "StartBackupFile"), "/opt/backup/run");
    EXPECT_EQ(IniReadString("Opstart", "StartSpecialeTekensFile"), "/usr/bin/charmap");
    EXPECT_EQ(IniReadString("Opstart", "StartVolumeControl"), "");  // written, also when empty
}

TEST_F(PreferenceDialogsTest, CancelWritesNothing) {
    TAlgemeen general;
    general.show();
    Child<QCheckBox>(general, "cbAfsluitbox")->setChecked(true);
    Child<QPushButton>(general, "CancelBtn")->click();
    EXPECT_EQ(general.result(), QDialog::Rejected);
    TLokatieBackupForm locations;
    locations.show();
    Child<QLineEdit>(locations, "EditBackup")->setText("/somewhere");
    Child<QPushButton>(locations, "CancelBtn")->click();
    EXPECT_FALSE(std::filesystem::exists(IniFileName()));
}

}  // namespace
