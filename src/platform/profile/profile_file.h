// Whole-file access for settings files: finding the file whatever the letter case of its name,
// reading it with a size limit, and replacing it so that a crash at any moment leaves either
// the old or the new contents on disk, never a mixture or a truncated file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/profile/status.h"

namespace profile {

// Settings files are a few kilobytes; anything far larger is not one of ours and is refused
// rather than read into memory.
constexpr size_t kMaxProfileFileSize = 16 * 1024 * 1024;

// Reads the whole file into `*bytes`. A missing file is not an error: `*exists` is set false
// and `*bytes` left empty. Fails on anything that is not a regular file or is too large.
Status ReadProfileFile(const std::string& path, std::string* bytes, bool* exists);

// Replaces the contents of `path` with `bytes` atomically: a temporary file in the same folder
// is written and flushed to disk, renamed over `path`, and the folder is flushed. An existing
// file keeps its permission bits (and its owner, where allowed); `ownerOnly` makes them 0600
// before a byte is written. A symbolic link is followed, so the link stays and its target gets
// the new contents. An existing file without write permission (for anyone, or for this
// process) is refused as read-only, like a read-only folder. On failure `path` is untouched and
// the temporary file removed.
Status ReplaceProfileFile(const std::string& path, std::string_view bytes, bool ownerOnly = false);

}  // namespace profile
