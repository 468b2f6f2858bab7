// CatalogueLock: one program per catalogue folder. Two programs on one catalogue would hand out
// the same source and track numbers and mix two albums under one number, so the program holds an
// exclusive kernel lock on the folder itself for its whole run. The kernel drops it when the
// process ends, however it ends, so a crash never leaves a stale lock; no file is created for
// it. Command-line readers (xbtool) do not take it and are not affected.
#pragma once

#include <memory>
#include <string>

#include "platform/xbase/status.h"

class CatalogueLock {
public:
    // Takes the lock on `folder`. Locked when another program holds it, IOError when the folder
    // cannot be opened; nothing is changed either way.
    static xbase::Status Acquire(const std::string& folder, std::unique_ptr<CatalogueLock>* out);

    ~CatalogueLock();
    CatalogueLock(const CatalogueLock&) = delete;
    CatalogueLock& operator=(const CatalogueLock&) = delete;

private:
    explicit CatalogueLock(int fd) : fd_(fd) {}
    int fd_;
};
