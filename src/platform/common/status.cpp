#include "platform/common/status.h"

namespace tunelo {

std::string Status::ToString() const {
    const char* kind = "";
    switch (code_) {
        case Code::kOk:
            return "OK";
        case Code::kNotFound:
            kind = "not found";
            break;
        case Code::kCorruption:
            kind = "damaged file";
            break;
        case Code::kInvalidArgument:
            kind = "invalid argument";
            break;
        case Code::kIOError:
            kind = "I/O error";
            break;
        case Code::kLocked:
            kind = "in use";
            break;
        case Code::kNotSupported:
            kind = "not supported";
            break;
    }
    std::string out = file_.empty() ? std::string() : file_ + ": ";
    out += kind;
    if (!message_.empty())
        out += ": " + message_;
    return out;
}

}  // namespace tunelo
