// The engine reports every failure as a Status (platform/common/status.h) that names the file and
// what was wrong with it.
#pragma once

#include "platform/common/status.h"

namespace xbase {

using Status = tunelo::Status;

// Returns early from the calling function when `expr` yields an error Status.
#define XB_RETURN_IF_ERROR(expr)      \
    do {                              \
        ::xbase::Status _st = (expr); \
        if (!_st.ok())                \
            return _st;               \
    } while (0)

}  // namespace xbase
