// The program's picture for the splash, the about box and the icon of every window: a compact
// disc with a note, drawn so that it needs no image file.
#pragma once

#include <QIcon>
#include <QPixmap>

// The version the splash and the about box show.
inline constexpr char kProductVersion[] = "Version 1.07a";

// The logo `size` pixels square on a transparent background.
QPixmap ProductLogoPixmap(int size, qreal devicePixelRatio = 1.0);
// The logo at the sizes window title bars and task bars ask for.
QIcon ProductLogoIcon();
