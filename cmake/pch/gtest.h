// GoogleTest for the toolkit-free test binaries; precompiled once per build.
#pragma once

#include "std.h"

#include <fstream>
#include <gtest/gtest.h>
