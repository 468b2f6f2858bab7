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
    // Whether the record of a failed append or update reached the table all the same: the
    // caller must not store it again on retry.
    bool recordStored() const { return status_.record_stored(); }

private:
    xbase::Status status_;
};

inline void ThrowIfError(const xbase::Status& status) {
    if (!status.ok())
        throw TableError(status);
}
