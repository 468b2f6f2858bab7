// The program's picture for the splash and the about box: a compact disc with a note, drawn so
// that it needs no image file.
#pragma once

#include <QPixmap>

// The logo `size` pixels square on a transparent background.
QPixmap ProductLogoPixmap(int size, qreal devicePixelRatio = 1.0);
