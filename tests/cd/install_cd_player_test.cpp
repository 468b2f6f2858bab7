// The player as the main window gets it: toolbar, disc commands, lock and "Show player".
#include "cd/install_cd_player.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <atomic>
#include <thread>

#include "cd/cd_player_bar.h"
#include "cd/media_player.h"
#include "cd_fixture.h"
#include "platform/cdaudio/background_cd_device.h"
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

// A drive that takes its time: the disc is read on a worker while the window's events go on, the
// bar says so, and the disc is there once read; opening it again later is immediate.
TEST_F(InstallCdPlayerTest, ASlowDiscIsReadWhileTheWindowGoesOn) {
    std::atomic<bool> spunUp{false};
    struct Release {
        std::atomic<bool>& flag;
        ~Release() { flag = true; }
    } release{spunUp};
    auto slow = std::make_unique<cdaudio::BackgroundCdDevice>(
        cdaudio::CreateSilentCdDevice(), [&spunUp](cdaudio::CdDevice& inner, const std::string& s) {
            while (!spunUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return inner.Open(s);
        });
    form = std::make_unique<TMainForm>(catalogue.get());
    TCdSpeler& speler = InstallCdPlayer(*form, *catalogue, std::move(slow));
    auto* reading = form->speedPanel()->findChild<QLabel*>("DiscReadingLab");
    EXPECT_FALSE(reading->isHidden());
    EXPECT_EQ(speler.GetCDMode(), 0);  // a busy drive
    bool ticked = false;
    QTimer::singleShot(0, form.get(), [&ticked] { ticked = true; });
    EXPECT_TRUE(QTest::qWaitFor([&ticked] { return ticked; }));
    EXPECT_FALSE(reading->isHidden());

    spunUp = true;
    EXPECT_TRUE(QTest::qWaitFor([reading] { return reading->isHidden(); }));
    EXPECT_EQ(speler.GetTracks(), 2);
    speler.OpenCDPlayer();
    EXPECT_TRUE(reading->isHidden());
    EXPECT_EQ(speler.GetTracks(), 2);
}

// The player sits on the toolbar, opened and reachable by every screen, until the window goes;
// the two disc commands follow the CD panel.
TEST_F(InstallCdPlayerTest, PlayerOnTheToolbarWithTheDiscCommandsFollowingThePanel) {
    ASSERT_TRUE(HasCdPlayer());
    EXPECT_EQ(&CdPlayer(), player);
    ASSERT_NE(Player(), nullptr);
    EXPECT_FALSE(Player()->isHidden());
    EXPECT_EQ(player->GetTracks(), 2);
    EXPECT_FALSE(Enabled("Tracksentijden1") || Enabled("DirectnaarCD1"));
    Player()->findChild<QToolButton*>("btPlay")->click();
    EXPECT_TRUE(Enabled("Tracksentijden1") && Enabled("DirectnaarCD1"));
    form->command("DirectnaarCD1")->trigger();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"The CD or ID is not found in the database!"});
    Player()->findChild<QToolButton*>("btStop")->click();
    EXPECT_FALSE(Enabled("Tracksentijden1") || Enabled("DirectnaarCD1"));
    form.reset();
    EXPECT_FALSE(HasCdPlayer());
}

TEST_F(InstallCdPlayerTest, HidingFollowsThePasswordLockAndTheGeneralSettings) {
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
    for (const bool shown : {false, true, false}) {  // the General settings' "Show player"
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
