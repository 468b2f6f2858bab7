// Reopening a source for entry and choosing a source to show (THeropen).
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <tuple>

#include "entry/editors_fixture.h"
#include "entry/heropen.h"
#include "shell/modal_driver.h"

namespace {

class HeropenTest : public EditorsTest {
protected:
    // Types carrier and number into the screen and presses OK.
    static void Choose(THeropen& screen, const QString& carrier, int number) {
        auto* list = Child<QComboBox>(&screen, "ComboBox1");
        list->setEditText(carrier);
        auto* spin = Child<QSpinBox>(&screen, "nummer");
        spin->selectAll();
        QTest::keyClicks(spin, QString::number(number));
        Child<QPushButton>(&screen, "BitBtn1")->click();
    }
    // Reopens carrier/number through the screen; true when it closed with OK.
    bool Reopen(const QString& carrier, int number) {
        THeropen screen(*catalogue, THeropen::kReopen);
        bool accepted = false;
        testutil::WhenModalShown([&](QWidget*) {
            Choose(screen, carrier, number);
            if (screen.isVisible())
                screen.reject();
        });
        accepted = screen.exec() == QDialog::Accepted;
        return accepted;
    }
    static std::string Open(const char* key) { return IniReadString("Diversen", key); }

    void SideAtoSixSideBtoFour() {
        AddSource("MC", 7);
        // Entered out of order: the walk follows side and track order, not record order.
        for (int track : {1, 2, 3})
            AddTrack("MC", 7, "A", track);
        for (int track : {1, 2, 3, 4})
            AddTrack("MC", 7, "B", track);
        for (int track : {4, 5, 6})
            AddTrack("MC", 7, "A", track);
        AddSource("MC", 8);
        AddTrack("MC", 8, "A", 1);
    }
};

TEST_F(HeropenTest, OpensWithTheStartCarrierAndTheLowestNumber) {
    IniWriteString("Invoer", "DefaultDrager", "LP");
    THeropen screen(*catalogue, THeropen::kReopen);
    screen.show();
    EXPECT_EQ(Child<QComboBox>(&screen, "ComboBox1")->currentText(), "LP");
    EXPECT_EQ(Child<QSpinBox>(&screen, "nummer")->value(), 1);
    EXPECT_EQ(Child<QSpinBox>(&screen, "nummer")->maximum(), 999999999);
    EXPECT_EQ(Child<QComboBox>(&screen, "ComboBox1")->lineEdit()->maxLength(), 10);
}

TEST_F(HeropenTest, WithoutAStartCarrierTheFieldStaysEmpty) {
    // The reopen screen reads the key with "FOUT" for absent; that is not a carrier.
    std::ofstream(IniFileName(), std::ios::trunc) << "[Diversen]\r\nGeluid=1\r\n";
    THeropen screen(*catalogue, THeropen::kReopen);
    screen.show();
    EXPECT_EQ(Child<QComboBox>(&screen, "ComboBox1")->currentText(), "");
}

TEST_F(HeropenTest, SideBAsksWhetherToContinueSideAOrAfterTheLastTrack) {
    SideAtoSixSideBtoFour();
    for (const auto& [answer, side, track] :
         {std::tuple{MsgAnswer::Yes, "A", "7"}, {MsgAnswer::No, "B", "5"}}) {
        ui.answers = {answer};
        ASSERT_TRUE(Reopen("mc", 7));
        EXPECT_EQ(Open("OpenDrager"), "MC                 7");
        EXPECT_EQ(Open("OpenTrackKant"), side);
        EXPECT_EQ(Open("OpenTracknr"), track);
    }
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>(2, "Do you want to open side A?"));
}

TEST_F(HeropenTest, ACarrierWithoutSidesContinuesAfterItsLastTrack) {
    AddSource("CD", 3);
    for (int track = 1; track <= 12; ++track)
        AddTrack("CD", 3, " ", track);
    AddSource("CD", 30);  // a later source of the carrier, no tracks of ours
    ASSERT_TRUE(Reopen("CD", 3));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Open("OpenDrager"), "CD                 3");
    EXPECT_EQ(Open("OpenTrackKant"), "");
    EXPECT_EQ(Open("OpenTracknr"), "13");
}

TEST_F(HeropenTest, TheLastSourceOfTheTableEndsTheWalkAtTheEnd) {
    AddSource("CD", 4);
    AddTrack("CD", 4, " ", 1);
    AddTrack("CD", 4, " ", 2);
    ASSERT_TRUE(Reopen("CD", 4));
    EXPECT_EQ(Open("OpenTracknr"), "3");
}

TEST_F(HeropenTest, ASourceWithoutTracksStartsAtTrackOneOnTheCarriersSide) {
    AddItem("MC", 'D', "A");
    AddSource("MC", 2);
    AddSource("CD", 2);
    AddTrack("CD", 1, " ", 9);  // what lies before it in the track order does not count
    ASSERT_TRUE(Reopen("MC", 2));
    EXPECT_EQ(Open("OpenTrackKant"), "A");
    EXPECT_EQ(Open("OpenTracknr"), "1");

    ASSERT_TRUE(Reopen("CD", 2));
    EXPECT_EQ(Open("OpenDrager"), "CD                 2");
    EXPECT_EQ(Open("OpenTrackKant"), "");
    EXPECT_EQ(Open("OpenTracknr"), "1");
}

TEST_F(HeropenTest, AnUnknownSourceIsReportedAndTheScreenStaysOpen) {
    AddSource("CD", 5);
    IniWriteString("Diversen", "OpenDrager", "");
    THeropen screen(*catalogue, THeropen::kReopen);
    testutil::WhenModalShown([&](QWidget*) {
        Choose(screen, "cd", 6);
        EXPECT_TRUE(screen.isVisible());
        EXPECT_EQ(Child<QSpinBox>(&screen, "nummer")->value(), 6);
        screen.reject();
    });
    EXPECT_EQ(screen.exec(), QDialog::Rejected);
    EXPECT_EQ(ui.Log(),
              (std::vector<std::string>{"sound:ngev.wav", "Source \"cd 6\" is not found!"}));
    EXPECT_EQ(Open("OpenDrager"), "");
}

TEST_F(HeropenTest, ShowHandsTheSourceToTheInformationScreen) {
    AddSource("LP", 12);
    std::string shown;
    THeropen screen(*catalogue, THeropen::kShow, nullptr,
                    [&](const std::string& key) { shown = key; });
    testutil::WhenModalShown([&](QWidget*) { Choose(screen, "lp", 12); });
    EXPECT_EQ(screen.exec(), QDialog::Accepted);
    EXPECT_EQ(shown, "LP                12");
    EXPECT_TRUE(ui.messages.empty());
    // Showing writes nothing about open sources.
    EXPECT_EQ(Open("OpenDrager"), "");
}

TEST_F(HeropenTest, ShowWithoutInformationScreenReportsTheSourceFound) {
    AddSource("LP", 12);
    THeropen screen(*catalogue, THeropen::kShow);
    testutil::WhenModalShown([&](QWidget*) { Choose(screen, "LP", 12); });
    EXPECT_EQ(screen.exec(), QDialog::Accepted);
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Source \"LP 12\" is found."});
}

TEST_F(HeropenTest, ShowOfAnUnknownSourceIsReported) {
    THeropen screen(*catalogue, THeropen::kShow, nullptr,
                    [](const std::string&) { ADD_FAILURE() << "nothing to show"; });
    testutil::WhenModalShown([&](QWidget*) {
        Choose(screen, "LP", 99);
        screen.reject();
    });
    screen.exec();
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"Source \"LP 99\" is not found!"});
}

}  // namespace
