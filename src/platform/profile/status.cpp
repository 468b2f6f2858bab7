#include "platform/profile/status.h"

namespace profile {

std::string Status::ToString() const {
    const char* kind = "";
    switch (code_) {
        case Code::kOk:
            return "OK";
        case Code::kInvalidArgument:
            kind = "invalid argument";
            break;
        case Code::kIOError:
            kind = "I/O error";
            break;
    }
    std::string out = file_.empty() ? std::string() : file_ + ": ";
    out += kind;
    if (!message_.empty())
        out += ": " + message_;
    return out;
}

}  // namespace profile
