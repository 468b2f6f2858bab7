// Suspends the views bound to a table for the length of a walk, and resumes them however the walk
// ends, so that a failure never leaves a screen frozen.
#pragma once

#include "store/table_component.h"

class ControlsSuspended {
public:
    explicit ControlsSuspended(TTable& table) : table_(table) { table_.DisableControls(); }
    ~ControlsSuspended() { table_.EnableControls(); }
    ControlsSuspended(const ControlsSuspended&) = delete;
    ControlsSuspended& operator=(const ControlsSuspended&) = delete;

private:
    TTable& table_;
};
