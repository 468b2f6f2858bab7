// The exception the table components throw when the engine reports a failure. Screens catch it
// at their event-handler boundary and show its message; it names the file and what was wrong.
#pragma once

#include <stdexcept>

#include "platform/xbase/status.h"

class TableError : public std::runtime_error {
public:
    explicit TableError(xbase::Status status)
        : std::runtime_error(status.ToString()), status_(std::move(status)) {}
    const xbase::Status& status() const { return status_; }

private:
    xbase::Status status_;
};

inline void ThrowIfError(const xbase::Status& status) {
    if (!status.ok())
        throw TableError(status);
}
