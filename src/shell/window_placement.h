// Where a screen opens: screens keep their last position and size in cd.ini, section
// WindowsForms, keys wd<N>l, wd<N>t, wd<N>w and wd<N>h, N being the screen's number (the seven
// search screens share number 5). Position and size are in pixels, relative to the MDI area for
// child screens and to the desktop for windows of their own.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

// The placement stored for screen `screenNumber`, each absent key giving the screen's default
// (0 except for screens 14, 15 and 16).
QRect StoredPlacement(int screenNumber);

// The placement to use for `stored` inside `area`: a width or height too small to use becomes
// `fallbackSize`, a window larger than the area is shrunk to it, and a window whose title strip
// would lie outside the area is centred in it. An empty area checks the size only.
QRect SanePlacement(const QRect& stored, const QSize& fallbackSize, const QRect& area);

// The window that carries the placement of `screen`: its MDI subwindow when it is a child of the
// main window, its own window otherwise.
QWidget* PlacementWindowOf(QWidget* screen);

// Moves and sizes `window` (for a child screen: its QMdiSubWindow, after it was added to the MDI
// area) to the placement stored for `screenNumber`, made sane for where it is shown.
void RestoreWindowPlacement(QWidget* window, int screenNumber);

// Writes the placement of `window` under `screenNumber`, but only while it is in its normal
// state: a minimized or maximized window leaves the stored placement as it was. False when cd.ini
// could not be written (the user has been told).
bool SaveWindowPlacement(const QWidget* window, int screenNumber);
