// The message for a catalogue file that cannot be opened at start: what failed, and the repair
// that fits that file and that fault. A folder or file that may not be written (a read-only disk,
// no right to write) is said to be so: nothing is damaged. Deleting the index files only helps a
// damaged index file; a damaged table is restored from a backup, and one held by another program
// is freed there.
#pragma once

#include <string>

#include "platform/xbase/status.h"

// `status` names the failing file; `folder` is the catalogue folder (for the index file to
// delete when an index file is at fault).
std::string OpenFailureMessage(const xbase::Status& status, const std::string& folder);
