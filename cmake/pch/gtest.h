// GoogleTest for the toolkit-free test binaries; precompiled once per build.
#pragma once

#include "std.h"

#include <gtest/gtest.h>
#include <fstream>
