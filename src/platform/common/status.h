// Status: the result of a platform operation (tables, settings files). An error names the file it
// concerns and what was wrong with it, so that the program can show the user a message that says
// something.
#pragma once

#include <string>
#include <utility>

namespace tunelo {

class Status {
public:
    enum class Code {
        kOk,
        kNotFound,
        kCorruption,
        kInvalidArgument,
        kIOError,
        kLocked,
        kNotSupported
    };

    Status() = default;
    static Status OK() { return Status(); }
    static Status NotFound(std::string file, std::string msg) {
        return {Code::kNotFound, std::move(file), std::move(msg)};
    }
    static Status Corruption(std::string file, std::string msg) {
        return {Code::kCorruption, std::move(file), std::move(msg)};
    }
    static Status InvalidArgument(std::string file, std::string msg) {
        return {Code::kInvalidArgument, std::move(file), std::move(msg)};
    }
    static Status IOError(std::string file, std::string msg) {
        return {Code::kIOError, std::move(file), std::move(msg)};
    }
    static Status Locked(std::string file, std::string msg) {
        return {Code::kLocked, std::move(file), std::move(msg)};
    }
    static Status NotSupported(std::string file, std::string msg) {
        return {Code::kNotSupported, std::move(file), std::move(msg)};
    }

    bool ok() const { return code_ == Code::kOk; }
    bool IsCorruption() const { return code_ == Code::kCorruption; }
    bool IsNotFound() const { return code_ == Code::kNotFound; }
    bool IsLocked() const { return code_ == Code::kLocked; }
    Code code() const { return code_; }
    const std::string& file() const { return file_; }
    const std::string& message() const { return message_; }

    // A write that failed part way tells whether the record itself reached the table (its keys
    // or memo may still be missing), so that a caller never stores it a second time on retry.
    bool record_stored() const { return record_stored_; }
    Status& MarkRecordStored() {
        record_stored_ = true;
        return *this;
    }

    // "<file>: <kind>: <message>", or "OK".
    std::string ToString() const;

private:
    Status(Code code, std::string file, std::string msg)
        : code_(code), file_(std::move(file)), message_(std::move(msg)) {}

    Code code_ = Code::kOk;
    std::string file_;
    std::string message_;
    bool record_stored_ = false;
};

}  // namespace tunelo
