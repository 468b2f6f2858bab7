// Screens come back where the user left them, and never where they cannot be seen.
#include "shell/window_placement.h"

#include <gtest/gtest.h>

#include <QWidget>

#include "base/ini.h"
#include "base/work_dir.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

class WindowPlacementTest : public testing::Test {
protected:
    WindowPlacementTest() { SetWorkDir(dir.path().string()); }
    testutil::TempDir dir;
    ScriptedUi ui;
};

TEST_F(WindowPlacementTest, DefaultsWhereNothingIsStored) {
    EXPECT_EQ(StoredPlacement(14), QRect(39, 16, 562, 343));
    EXPECT_EQ(StoredPlacement(15), QRect(9, 70, 626, 385));
    EXPECT_EQ(StoredPlacement(16), QRect(67, 85, 511, 333));
    EXPECT_EQ(StoredPlacement(5), QRect(0, 0, 0, 0));
    IniWriteInteger("WindowsForms", "wd14w", 600);
    EXPECT_EQ(StoredPlacement(14), QRect(39, 16, 600, 343));
}

TEST_F(WindowPlacementTest, UnusablePlacementsBecomeVisibleOnes) {
    const QRect area(0, 0, 1000, 700);
    const QSize fallback(400, 300);
    EXPECT_EQ(SanePlacement(QRect(10, 20, 500, 400), fallback, area), QRect(10, 20, 500, 400));
    // Never stored: a usable size.
    EXPECT_EQ(SanePlacement(QRect(0, 0, 0, 0), fallback, area), QRect(0, 0, 400, 300));
    // Stored on a screen that is gone: centred.
    EXPECT_EQ(SanePlacement(QRect(3000, 50, 400, 300), fallback, area).center(), area.center());
    EXPECT_EQ(SanePlacement(QRect(10, 900, 400, 300), fallback, area).center(), area.center());
    // A title bar above the area comes down; larger than the area shrinks to it.
    EXPECT_EQ(SanePlacement(QRect(10, -50, 400, 300), fallback, area), QRect(10, 0, 400, 300));
    EXPECT_EQ(SanePlacement(QRect(0, 0, 1600, 1200), fallback, area), area);
    // Partly outside but still reachable: left alone.
    EXPECT_EQ(SanePlacement(QRect(-100, 10, 400, 300), fallback, area), QRect(-100, 10, 400, 300));
}

TEST_F(WindowPlacementTest, AScreenRoundTripsInsideItsParentUnlessMaximizedOrMinimized) {
    QWidget frame;
    frame.resize(1000, 700);
    auto* child = new QWidget(&frame);
    IniWriteWindowPos("WindowsForms", "wd2l", "wd2t", "wd2w", "wd2h", 30, 40, 500, 350);
    RestoreWindowPlacement(child, 2);
    EXPECT_EQ(child->geometry(), QRect(30, 40, 500, 350));

    child->setGeometry(60, 70, 520, 360);
    EXPECT_TRUE(SaveWindowPlacement(child, 2));
    EXPECT_EQ(StoredPlacement(2), QRect(60, 70, 520, 360));

    IniWriteInteger("WindowsForms", "wd2l", 5000);  // the frame has shrunk since
    RestoreWindowPlacement(child, 2);
    EXPECT_TRUE(frame.rect().contains(child->geometry()));

    // A maximized or minimized screen keeps its stored placement.
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
        frame.setWindowState(state);
        EXPECT_TRUE(SaveWindowPlacement(&frame, 7));
    }
    EXPECT_EQ(IniReadString("WindowsForms", "wd7l"), "FOUT");
}

}  // namespace
