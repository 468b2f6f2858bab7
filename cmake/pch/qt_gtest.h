// GoogleTest with Qt Test and Widgets for the screen tests; precompiled once per build.
#pragma once

#include "qt_widgets.h"

#include <gtest/gtest.h>
#include <QTest>
#include <fstream>
