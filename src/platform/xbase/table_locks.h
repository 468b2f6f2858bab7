// The locks that keep processes sharing a table from harming it. They are open-file-description
// byte-range locks on the DBF file, at offsets far beyond any record, so they never cover data:
//   kOpenLockByte  shared by every shared open, held exclusively by an exclusive open;
//   kWriteLockByte held exclusively for the duration of one change (record, memo and index);
//   RecordLockByte(n) held exclusively while record n is being edited in shared use.
#pragma once

#include <cstdint>

#include "platform/xbase/file.h"
#include "platform/xbase/status.h"

namespace xbase {

constexpr uint64_t kOpenLockByte = 0x7FFFFFFE;
constexpr uint64_t kWriteLockByte = 0x7FFFFFFD;
inline uint64_t RecordLockByte(uint32_t recno) {
    return 0x7FFFFFFCull - recno;
}

// Takes the open lock, failing at once with Locked ("in use by another program") when it conflicts.
Status AcquireOpenLock(File& dbf, bool exclusive);

}  // namespace xbase
