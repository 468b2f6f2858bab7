// The player on the toolbar: buttons, pop-up menu, hint, the panel's double click, intro time.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include "cd/cd_panel.h"
#include "cd/cd_player_bar.h"
#include "cd/media_player.h"
#include "cd/play_intro_tijd_form.h"
#include "cd_fixture.h"
#include "shell/modal_driver.h"

namespace {

using Button = TCdSpeler::PlayerButton;
using cdtest::CdTest;
using cdtest::kSecond;

class PlayerControlsTest : public CdTest {
protected:
    PlayerControlsTest() {
        InsertDisc({3 * kSecond, 3 * kSecond, 3 * kSecond});
        bar = std::make_unique<TCdPlayerBar>(nullptr, *catalogue, cdaudio::CreateSilentCdDevice());
        bar->speler().OpenCDPlayer();
    }
    void Click(const char* name) { bar->mediaPlayer()->findChild<QToolButton*>(name)->click(); }
    int Mode() { return bar->speler().GetCDMode(); }
    int Track() { return bar->speler().device().Position().track; }
    bool PanelShown() { return bar->cdPanel()->isVisibleTo(bar.get()); }

    std::unique_ptr<TCdPlayerBar> bar;
};

TEST_F(PlayerControlsTest, ButtonsDriveTheDiscAndThePanel) {
    EXPECT_TRUE(bar->mediaPlayer()->isVisibleTo(bar.get()));
    EXPECT_FALSE(PanelShown());
    // Prev goes back to the start of the track, or at its start to the track before; the next
    // play after Stop starts at track 1.
    const std::tuple<int, const char*, int, int> steps[] = {
        {0, "btPlay", 2, 1},  {0, "btNext", 2, 2},  {1, "btPrev", 2, 2}, {1, "btPrev", 2, 1},
        {1, "btPause", 5, 1}, {1, "btPause", 2, 1}, {1, "btNext", 2, 2}, {1, "btStop", 1, 1}};
    for (const auto& [second, button, mode, track] : steps) {
        At(std::chrono::seconds(second));
        Click(button);
        EXPECT_EQ(Mode(), mode) << button;
        EXPECT_EQ(Track(), track) << button;
        EXPECT_EQ(PanelShown(), mode != 1) << button;
    }
    EXPECT_TRUE(ui.messages.empty());

    // The timer shows the position, and hides the panel once the disc stops; a paused disc is
    // kept where it was.
    Click("btPlay");
    At(std::chrono::seconds(5));
    EXPECT_TRUE(bar->Timer1Timer());
    EXPECT_EQ(bar->findChild<QLabel*>("TrackLab")->text(), "02");
    EXPECT_EQ(bar->findChild<QLabel*>("TijdLab")->text(), "00:01");
    Click("btPause");
    EXPECT_TRUE(bar->Timer1Timer());
    EXPECT_FALSE(PanelShown() || bar->speler().CDPanelActive());
    EXPECT_EQ(Mode(), 5);
}

TEST_F(PlayerControlsTest, EjectAndStopWithTheDoorOpen) {
    ui.answers = {MsgAnswer::No};
    Click("btEject");
    EXPECT_EQ(Mode(), 6);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Place or change the audio CD. Click on yes if you are ready.");
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Confirmation);
    EXPECT_EQ(ui.messages[0].buttons, MsgButtons::YesNo);
    Click("btPlay");  // nothing can play with the door open: the user is told so
    EXPECT_EQ(ui.MessageTexts().back(), "CD-ROM drive is not ready!");
    EXPECT_EQ(Mode(), 6);
    EXPECT_FALSE(PanelShown());
    Click("btStop");
    EXPECT_EQ(Mode(), 1);
    EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Closing CD-ROM door...", ""}));

    ui.answers = {MsgAnswer::Yes};
    Click("btPlay");
    Click("btEject");
    EXPECT_EQ(Mode(), 1);
    EXPECT_EQ(Track(), 1);
    EXPECT_FALSE(PanelShown());
}

TEST_F(PlayerControlsTest, PopupMenuItems) {
    QMenu* popup = bar->mediaPlayer()->popup();
    QStringList items;
    for (QAction* action : popup->actions())
        items << (action->isSeparator() ? "-" : action->objectName() + "=" + action->text());
    EXPECT_EQ(items.join("|").toStdString(),
              "Speelintros1=&Play intros|Stop1=&Stop intros|Instelling1=Pre&ferences|-|"
              "test1=Initialize CD Player|-|CDspelerverbergen1=&Hide CD Player");

    popup->findChild<QAction*>("Speelintros1")->trigger();
    EXPECT_TRUE(bar->speler().IntroMode());
    popup->findChild<QAction*>("Stop1")->trigger();
    EXPECT_FALSE(bar->speler().IntroMode());

    // Initializing says what it opened, or names what is missing.
    const std::string disc = IniReadString("Opstart", "CdDevice");
    popup->findChild<QAction*>("test1")->trigger();
    const int tracks = bar->speler().GetTracks();
    IniWriteString("Opstart", "CdDevice", folder() + "/gone.cue");
    popup->findChild<QAction*>("test1")->trigger();
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{"The CD player is initialized: it has opened the disc "
                                        "image \"" +
                                            disc + "\", and a disc of " + std::to_string(tracks) +
                                            " track(s) is in it.",
                                        "CD-ROM drive is not ready: the disc image \"" + folder() +
                                            "/gone.cue\" does not exist."}));

    popup->findChild<QAction*>("CDspelerverbergen1")->trigger();
    EXPECT_FALSE(bar->mediaPlayer()->isVisibleTo(bar.get()));
    EXPECT_FALSE(IniReadBool("Opstart", "ToonCdSpeler"));
}

TEST_F(PlayerControlsTest, HintsFollowTheSetting) {
    QWidget* player = bar->mediaPlayer();
    bar->show();
    auto hover = [player] {
        QToolTip::hideText();
        QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), player->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(player, &event);
        return QToolTip::isVisible();
    };
    IniWriteBool("Opstart", "Hints", false);
    EXPECT_FALSE(hover());
    IniWriteBool("Opstart", "Hints", true);
    EXPECT_TRUE(hover());
    QToolTip::hideText();
}

TEST_F(PlayerControlsTest, DoubleClickOnThePanelListsTheTracks) {
    Click("btPlay");
    bar->show();
    for (const char* name : {"TrackLab", "Label4"}) {
        QStringList lines;
        testutil::WhenModalShown([&lines](QWidget* modal) {
            auto* list = modal->findChild<QListWidget*>("ListBox1");
            for (int i = 0; i < list->count(); ++i)
                lines << list->item(i)->text();
            modal->findChild<QPushButton*>("Button2")->click();
        });
        QTest::mouseDClick(bar->findChild<QLabel*>(name), Qt::LeftButton);
        EXPECT_EQ(lines.size(), 3) << name;
    }
    EXPECT_EQ(Mode(), 2);  // reading the list does not stop the disc
}

TEST_F(PlayerControlsTest, IntroTimeWindow) {
    IniWriteInteger("Diversen", "IntroSpeeltijd", 7);
    {
        TPlayIntroTijdForm form;
        auto* spin = form.findChild<QSpinBox*>("SpinEdit1");
        EXPECT_EQ(spin->value(), 7);
        EXPECT_TRUE(form.findChild<QPushButton*>("CancelBtn")->isDefault());
        spin->setValue(15);
        form.findChild<QPushButton*>("CancelBtn")->click();
        EXPECT_EQ(IniReadInteger("Diversen", "IntroSpeeltijd"), 7);
    }
    // What is typed stays typed; OK refuses a time outside 2 to 59 and keeps the window open.
    for (const char* typed : {"99", "1", "", "59"}) {
        TPlayIntroTijdForm form;
        form.show();
        auto* edit = form.findChild<QSpinBox*>("SpinEdit1")->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        ui.messages.clear();
        form.findChild<QPushButton*>("OKBtn")->click();
        EXPECT_EQ(edit->text(), typed);
        const bool allowed = std::string(typed) == "59";
        EXPECT_EQ(form.result(), allowed ? QDialog::Accepted : QDialog::Rejected) << typed;
        EXPECT_EQ(IniReadInteger("Diversen", "IntroSpeeltijd"), allowed ? 59 : 7) << typed;
        if (!allowed) {
            ASSERT_EQ(ui.messages.size(), 1u) << typed;
            EXPECT_NE(ui.messages[0].text.find("Intro playing time"), std::string::npos);
            EXPECT_NE(ui.messages[0].text.find("type a whole number from 2 to 59."),
                      std::string::npos)
                << ui.messages[0].text;
        }
    }
}

}  // namespace
