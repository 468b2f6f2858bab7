// The toolbar's pictures, drawn by the program itself so that they look the same on every
// desktop and need no image files.
#pragma once

#include <QIcon>
#include <QString>

// The picture of a toolbar button by the button's object name; an empty icon for others.
QIcon ToolbarIcon(const QString& buttonName);
