// Settings-file writes report failures as a Status (platform/common/status.h) that names the file
// and what went wrong, so the program can tell the user instead of losing a setting silently.
#pragma once

#include "platform/common/status.h"

namespace profile {

using Status = tunelo::Status;

}  // namespace profile
