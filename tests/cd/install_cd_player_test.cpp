// The player as the main window gets it: on the toolbar, with the two disc commands that follow
// the CD panel, the password lock of "&Hide CD Player" and the General settings' "Show player".
#include "cd/install_cd_player.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include "cd/cd_player_bar.h"
#include "cd/media_player.h"
#include "cd_fixture.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"

namespace {

using cdtest::CdTest;
using cdtest::kSecond;

class InstallCdPlayerTest : public CdTest {
protected:
    InstallCdPlayerTest() {
        InsertDisc({3 * kSecond, 3 * kSecond});
        form = std::make_unique<TMainForm>(catalogue.get());
        player = &InstallCdPlayer(*form, *catalogue, cdaudio::CreateSilentCdDevice());
    }
    bool Enabled(const char* name) { return form->command(name)->isEnabled(); }
    QWidget* Player() { return form->speedPanel()->findChild<QWidget*>("MediaPlayer1"); }

    std::unique_ptr<TMainForm> form;
    TCdSpeler* player = nullptr;
};

TEST_F(InstallCdPlayerTest, PlayerOnTheToolbarReachableByEveryScreen) {
    ASSERT_TRUE(HasCdPlayer());
    EXPECT_EQ(&CdPlayer(), player);
    ASSERT_NE(Player(), nullptr);
    EXPECT_TRUE(!Player()->isHidden());
    EXPECT_EQ(player->GetTracks(), 2);  // opened by the installation
    form.reset();
    EXPECT_FALSE(HasCdPlayer());
}

TEST_F(InstallCdPlayerTest, DiscCommandsFollowTheCdPanel) {
    EXPECT_FALSE(Enabled("Tracksentijden1"));
    EXPECT_FALSE(Enabled("DirectnaarCD1"));
    Player()->findChild<QToolButton*>("btPlay")->click();
    EXPECT_TRUE(Enabled("Tracksentijden1"));
    EXPECT_TRUE(Enabled("DirectnaarCD1"));

    form->command("DirectnaarCD1")->trigger();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"The CD or ID is not found in the database!"});

    Player()->findChild<QToolButton*>("btStop")->click();
    EXPECT_FALSE(Enabled("Tracksentijden1"));
    EXPECT_FALSE(Enabled("DirectnaarCD1"));
}

TEST_F(InstallCdPlayerTest, HidingFollowsThePasswordLock) {
    QAction* hide =
        static_cast<TMediaPlayer*>(Player())->popup()->findChild<QAction*>("CDspelerverbergen1");
    EXPECT_EQ(form->command("CDspelerverbergen1"), hide);
    EXPECT_TRUE(hide->isEnabled());
    form->applyProtection(true);
    EXPECT_FALSE(hide->isEnabled());
    form->applyProtection(false);
    hide->trigger();
    EXPECT_FALSE(!Player()->isHidden());
    EXPECT_EQ(player->GetCDMode(), 0);
}

TEST_F(InstallCdPlayerTest, ShowPlayerInTheGeneralSettings) {
    for (const bool shown : {false, true}) {
        testutil::WhenModalShown([shown](QWidget* modal) {
            modal->findChild<QCheckBox*>("cbToonCdSpeler")->setChecked(shown);
            modal->findChild<QPushButton*>("OKBtn")->click();
        });
        form->command("General1")->trigger();
        EXPECT_EQ(!Player()->isHidden(), shown);
        EXPECT_EQ(player->GetCDMode(), shown ? 1 : 0);
    }
}

}  // namespace
