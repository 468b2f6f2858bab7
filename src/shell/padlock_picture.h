// The picture of the password dialogs: a padlock, drawn so that it needs no image file.
#pragma once

#include <QPixmap>

// A padlock `size` pixels square on a transparent background, sharp on high-DPI screens of
// `devicePixelRatio`.
QPixmap PadlockPixmap(int size, qreal devicePixelRatio = 1.0);
