// The program's picture for the splash, the about box and the icon of every window: a compact
// disc with a note, drawn so that it needs no image file.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <array>

// The version the splash and the about box show.
inline constexpr char kProductVersion[] = "Version 1.07a";

// The logo `size` pixels square on a transparent background.
QPixmap ProductLogoPixmap(int size, qreal devicePixelRatio = 1.0);
// The square sizes, in pixels, that title bars, task bars and icon themes ask for.
inline constexpr std::array kProductLogoSizes{16, 24, 32, 48, 64, 128, 256};

// The logo at those sizes.
QIcon ProductLogoIcon();
