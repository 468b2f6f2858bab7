// The message for a catalogue file that cannot be opened at start: what failed, and the repair
// that fits that file and that fault. Deleting the index files only helps an index file; a table
// that does not open is restored from a backup, and one held by another program is freed there.
#pragma once

#include <string>

#include "platform/xbase/status.h"

// `status` names the failing file; `folder` is the catalogue folder (for the index file to
// delete when an index file is at fault).
std::string OpenFailureMessage(const xbase::Status& status, const std::string& folder);
