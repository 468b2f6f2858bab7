// Copies that survive a power cut: the bytes themselves (never a link or a shared extent, so
// that damage to one file cannot reach its copy), put on the disk before the call returns.
#pragma once

#include <cstdint>
#include <string>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"

// Bytes copied so far out of all the bytes a run of copies has to move.
struct CopyProgress {
    uint64_t done = 0;
    uint64_t total = 0;
    xbase::ProgressFn report;  // may be empty
};

// Copies the file `from` to `to` (replaced when it exists) with `from`'s mode, and syncs `to`.
// `progress` advances by the bytes copied. On failure `to` is removed again.
xbase::Status CopyFileDurably(const std::string& from, const std::string& to,
                              CopyProgress* progress);
// Syncs the entries of `folder` (after files were created or renamed in it).
xbase::Status SyncFolder(const std::string& folder);
