// The intros and the position display, tick by tick on the real panels and the test clock.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <fstream>
#include <sstream>

#include "cd/cd_panel.h"
#include "cd/cd_player_bar.h"
#include "cd/intro_panel.h"
#include "cd_fixture.h"

namespace {

using cdtest::CdTest;
using cdtest::kSecond;
using std::chrono::milliseconds;
using std::chrono::seconds;

class IntroTest : public CdTest {
protected:
    IntroTest() { IniWriteInteger("Diversen", "IntroSpeeltijd", 3); }

    std::unique_ptr<TCdPlayerBar> Bar(const std::vector<int>& frames) {
        InsertDisc(frames);
        auto bar =
            std::make_unique<TCdPlayerBar>(nullptr, *catalogue, cdaudio::CreateSilentCdDevice());
        bar->speler().OpenCDPlayer();
        return bar;
    }
    static QString Label(TCdPlayerBar& bar, const char* name) {
        return bar.findChild<QLabel*>(name)->text();
    }
    static bool Shown(TCdPlayerBar& bar, QWidget* widget) { return widget->isVisibleTo(&bar); }
    // One tick at `since` from the start; whether the clock may change.
    bool Tick(TCdPlayerBar& bar, milliseconds since) {
        At(since);
        return bar.Timer1Timer();
    }
};

TEST_F(IntroTest, EachTrackPlaysForTheIntroTimeThenTheNext) {
    auto bar = Bar({5 * kSecond, 5 * kSecond, 5 * kSecond, 5 * kSecond});
    TCdSpeler& cd = bar->speler();
    cd.PlayCdTrack(3);
    cd.StartIntro();  // from track 1, whatever played
    EXPECT_TRUE(cd.IntroMode());
    EXPECT_EQ(cd.IntroTrack(), 1);
    EXPECT_EQ(cd.device().Position().track, 1);
    EXPECT_EQ(cd.IntroTrackCount(), 4);
    EXPECT_TRUE(Shown(*bar, bar->introPanel()) && Shown(*bar, bar->cdPanel()));
    EXPECT_EQ(cd.GetCDMode(), 2);

    // At each second the track and time shown, the intro's track and the disc's position; the
    // labels show the position of the tick before the intro moved on.
    const std::tuple<int, const char*, const char*, int, int, int> ticks[] = {
        {1, "01", "00:01", 1, 1, 1},
        {3, "01", "00:03", 2, 2, 0},
        {5, "02", "00:02", 2, 2, 2},
        {6, "02", "00:03", 3, 3, 0},
        {9, "03", "00:03", 4, 4, 0}};
    for (const auto& [second, track, time, intro, at, atSecond] : ticks) {
        EXPECT_TRUE(Tick(*bar, seconds(second)));
        EXPECT_EQ(Label(*bar, "TrackLab"), track) << second;
        EXPECT_EQ(Label(*bar, "TijdLab"), time) << second;
        EXPECT_EQ(cd.IntroTrack(), intro) << second;
        EXPECT_EQ(cd.device().Position().track, at) << second;
        EXPECT_EQ(cd.device().Position().seconds, atSecond) << second;
    }

    // The last intro done: stopped, the intro panel gone, the clock left alone this tick.
    EXPECT_FALSE(Tick(*bar, seconds(12)));
    EXPECT_FALSE(cd.IntroMode());
    EXPECT_FALSE(Shown(*bar, bar->introPanel()));
    EXPECT_TRUE(Shown(*bar, bar->cdPanel()));
    EXPECT_EQ(cd.GetCDMode(), 1);

    // The next tick finds the disc stopped.
    EXPECT_TRUE(Tick(*bar, seconds(13)));
    EXPECT_FALSE(cd.CDPanelActive() || Shown(*bar, bar->cdPanel()));
}

TEST_F(IntroTest, ShortTrackRunsOnAndTheCountGoesOn) {
    auto bar = Bar({2 * kSecond, 5 * kSecond, 5 * kSecond});
    TCdSpeler& cd = bar->speler();
    cd.StartIntro();
    EXPECT_TRUE(Tick(*bar, seconds(2)));
    EXPECT_EQ(Label(*bar, "TrackLab"), "02");  // the disc ran on by itself
    EXPECT_EQ(cd.IntroTrack(), 1);
    EXPECT_TRUE(Tick(*bar, seconds(5)));
    // Three seconds into track 2: the program's next intro is its track 2.
    EXPECT_EQ(cd.IntroTrack(), 2);
    EXPECT_EQ(cd.device().Position().track, 2);
    EXPECT_EQ(cd.device().Position().seconds, 0);
}

TEST_F(IntroTest, StopIntrosFromThePanelsMenu) {
    auto bar = Bar({5 * kSecond, 5 * kSecond});
    TCdSpeler& cd = bar->speler();
    cd.StartIntro();
    Tick(*bar, seconds(4));
    ASSERT_EQ(cd.device().Position().track, 2);
    QAction* stop2 = bar->introPanel()->stopAction();
    stop2->trigger();
    EXPECT_FALSE(cd.IntroMode() || Shown(*bar, bar->introPanel()) || Shown(*bar, bar->cdPanel()));
    EXPECT_EQ(cd.GetCDMode(), 1);
    EXPECT_EQ(cd.device().Position().track, 1);
}

// A missing intro time becomes ten; a changed one counts at the next tick.
TEST_F(IntroTest, TheIntroTimeIsReadAtEachTickAndAMissingOneIsTen) {
    std::ifstream in(IniFileName());
    std::stringstream kept;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("IntroSpeeltijd", 0) != 0)
            kept << line << '\n';
    }
    in.close();
    std::ofstream(IniFileName(), std::ios::trunc) << kept.str();
    auto bar = Bar({12 * kSecond, 5 * kSecond, 5 * kSecond});
    bar->speler().StartIntro();
    EXPECT_EQ(IniReadString("Diversen", "IntroSpeeltijd"), "10");
    EXPECT_TRUE(Tick(*bar, seconds(9)));
    EXPECT_EQ(bar->speler().IntroTrack(), 1);
    EXPECT_TRUE(Tick(*bar, seconds(10)));
    EXPECT_EQ(bar->speler().IntroTrack(), 2);
    IniWriteInteger("Diversen", "IntroSpeeltijd", 2);
    EXPECT_TRUE(Tick(*bar, milliseconds(11500)));
    EXPECT_EQ(bar->speler().IntroTrack(), 2);
    EXPECT_TRUE(Tick(*bar, milliseconds(12500)));
    EXPECT_EQ(bar->speler().IntroTrack(), 3);
}

}  // namespace
