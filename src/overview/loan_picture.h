// The picture the source screen shows while the source is lent out, drawn by the program itself.
#pragma once

#include <QPixmap>

// A disc leaving its open case, `size` pixels square.
QPixmap LoanPicture(int size = 32);
