#include "shell/window_placement.h"

#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <string>

#include "base/ini.h"

namespace {

constexpr char kPlacementSection[] = "WindowsForms";
// Smaller than this a window shows nothing useful: its size was never stored.
constexpr int kMinWidth = 120;
constexpr int kMinHeight = 80;
// How much of the title strip must stay inside the area to drag the window back.
constexpr int kTitleStrip = 24;
constexpr int kReachableWidth = 60;

std::string Key(int screenNumber, char side) {
    return "wd" + std::to_string(screenNumber) + side;
}

QRect DefaultPlacement(int screenNumber) {
    switch (screenNumber) {
        case 14:
            return {39, 16, 562, 343};
        case 15:
            return {9, 70, 626, 385};
        case 16:
            return {67, 85, 511, 333};
        default:
            return {0, 0, 0, 0};
    }
}

QRect AreaFor(const QWidget* window, const QPoint& wanted) {
    if (!window->isWindow() && window->parentWidget() != nullptr) {
        return window->parentWidget()->contentsRect();
    }
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

QSize FallbackSize(const QWidget* window) {
    QSize size = window->sizeHint().expandedTo(window->minimumSizeHint());
    if (size.width() < kMinWidth || size.height() < kMinHeight) {
        size = size.expandedTo(QSize(480, 320));
    }
    return size;
}

}  // namespace

QRect StoredPlacement(int screenNumber) {
    const QRect defaults = DefaultPlacement(screenNumber);
    return {IniReadInteger(kPlacementSection, Key(screenNumber, 'l'), defaults.left()),
            IniReadInteger(kPlacementSection, Key(screenNumber, 't'), defaults.top()),
            IniReadInteger(kPlacementSection, Key(screenNumber, 'w'), defaults.width()),
            IniReadInteger(kPlacementSection, Key(screenNumber, 'h'), defaults.height())};
}

QRect SanePlacement(const QRect& stored, const QSize& fallbackSize, const QRect& area) {
    QRect placement = stored;
    if (placement.width() < kMinWidth || placement.height() < kMinHeight) {
        placement.setSize(fallbackSize);
    }
    if (area.isEmpty()) {
        return placement;
    }
    placement.setSize(placement.size().boundedTo(area.size()));
    const int visibleWidth =
        std::min(placement.right(), area.right()) - std::max(placement.left(), area.left()) + 1;
    if (visibleWidth < kReachableWidth || placement.top() > area.bottom() - kTitleStrip) {
        placement.moveCenter(area.center());
    }
    // A title bar above the area could not be grabbed any more.
    if (placement.top() < area.top()) {
        placement.moveTop(area.top());
    }
    return placement;
}

void RestoreWindowPlacement(QWidget* window, int screenNumber) {
    const QRect stored = StoredPlacement(screenNumber);
    const QRect placement =
        SanePlacement(stored, FallbackSize(window), AreaFor(window, stored.topLeft()));
    window->move(placement.topLeft());
    window->resize(placement.size());
}

bool SaveWindowPlacement(const QWidget* window, int screenNumber) {
    if (window->isMinimized() || window->isMaximized() || window->isFullScreen()) {
        return true;
    }
    return IniWriteWindowPos(kPlacementSection, Key(screenNumber, 'l'), Key(screenNumber, 't'),
                             Key(screenNumber, 'w'), Key(screenNumber, 'h'), window->x(),
                             window->y(), window->width(), window->height());
}

QWidget* PlacementWindowOf(QWidget* screen) {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(screen->parentWidget()))
        return sub;
    return screen->window();
}
