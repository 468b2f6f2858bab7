#include "platform/xbase/table_locks.h"

namespace xbase {

Status AcquireOpenLock(File& dbf, bool exclusive) {
    Status s = dbf.TryLock(kOpenLockByte, 1,
                           exclusive ? File::LockKind::kExclusive : File::LockKind::kShared);
    if (s.IsLocked()) {
        return Status::Locked(
            dbf.path(), exclusive ? "the table is open elsewhere and cannot be used exclusively"
                                  : "the table is in exclusive use elsewhere");
    }
    return s;
}

}  // namespace xbase
