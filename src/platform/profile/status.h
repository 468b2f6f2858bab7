// Status: the result of a settings-file write. An error names the file and what went wrong, so
// the program can tell the user something useful instead of losing a setting silently.
#pragma once

#include <string>
#include <utility>

namespace profile {

class Status {
public:
    enum class Code { kOk, kInvalidArgument, kIOError };

    Status() = default;
    static Status OK() { return Status(); }
    static Status InvalidArgument(std::string file, std::string msg) {
        return {Code::kInvalidArgument, std::move(file), std::move(msg)};
    }
    static Status IOError(std::string file, std::string msg) {
        return {Code::kIOError, std::move(file), std::move(msg)};
    }

    bool ok() const { return code_ == Code::kOk; }
    Code code() const { return code_; }
    const std::string& file() const { return file_; }
    const std::string& message() const { return message_; }

    // "<file>: <kind>: <message>", or "OK".
    std::string ToString() const;

private:
    Status(Code code, std::string file, std::string msg)
        : code_(code), file_(std::move(file)), message_(std::move(msg)) {}

    Code code_ = Code::kOk;
    std::string file_;
    std::string message_;
};

}  // namespace profile
