// Laying out the fields of a table we create: the checks FoxPro 2.x makes on a CREATE TABLE, so
// that every table we write opens in FoxPro and in other xBase tools.
#include <string>

#include "platform/xbase/dbf_header.h"

namespace xbase {

namespace {

constexpr size_t kMaxFields = 255;
constexpr size_t kMaxNameLength = 10;

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 32) : c;
}

// Empty when the width suits the type, else what is wrong with it, naming the limit; fixed widths
// are filled in when left 0.
std::string CheckAndFillWidth(const FieldSpec& w, FieldDef* f) {
    const std::string what = std::string(1, f->type) + "(" + std::to_string(w.length) + "," +
                             std::to_string(w.decimals) + ")";
    auto bad = [&](const char* limit) { return "has bad width " + what + ": " + limit; };
    switch (f->type) {
        case 'C':
            if (w.length < 1 || w.length > 254 || w.decimals != 0)
                return bad("a character field holds 1 to 254 characters, no decimals");
            break;
        case 'N':
        case 'F':
            if (w.length < 1 || w.length > 20 || w.decimals < 0)
                return bad("a number field is 1 to 20 wide");
            // A decimal field needs room for the point and a digit before it.
            if (w.decimals != 0 && w.decimals + 2 > w.length)
                return "has too many decimals " + what + ": at most the width less 2";
            break;
        case 'D':
        case 'L':
        case 'M': {
            const int fixed = f->type == 'D' ? 8 : (f->type == 'L' ? 1 : 10);
            if ((w.length != 0 && w.length != fixed) || w.decimals != 0)
                return bad(f->type == 'D'   ? "a date is 8 wide"
                           : f->type == 'L' ? "a logical is 1 wide"
                                            : "a memo is 10 wide");
            f->length = uint8_t(fixed);
            f->decimals = 0;
            return {};
        }
        default:
            return "has type '" + std::string(1, f->type) + "', which new tables do not use";
    }
    f->length = uint8_t(w.length);
    f->decimals = uint8_t(w.decimals);
    return {};
}

}  // namespace

Status BuildSchema(const std::string& fileName, const std::vector<FieldSpec>& wanted, Schema* out) {
    auto bad = [&](const std::string& msg) { return Status::InvalidArgument(fileName, msg); };
    if (wanted.empty())
        return bad("a table needs at least one field");
    if (wanted.size() > kMaxFields)
        return bad("a table holds at most 255 fields");

    std::vector<FieldDef> fields;
    uint32_t offset = 1;
    for (const FieldSpec& w : wanted) {
        FieldDef f;
        if (w.name.empty() || w.name.size() > kMaxNameLength || !IsLetter(w.name[0])) {
            return bad("field name '" + w.name +
                       "' must be 1 to 10 characters starting with a letter");
        }
        for (char c : w.name) {
            if (!IsLetter(c) && !IsDigit(c) && c != '_') {
                return bad("field name '" + w.name + "' may hold only letters, digits and '_'");
            }
            f.name.push_back(Upper(c));
        }
        for (const FieldDef& g : fields) {
            if (g.name == f.name)
                return bad("field name " + f.name + " is used twice");
        }
        f.type = Upper(w.type);
        std::string fault = CheckAndFillWidth(w, &f);
        if (!fault.empty())
            return bad("field " + f.name + " " + fault);
        f.offset = offset;
        offset += f.length;
        if (offset > 65535)
            return bad("records would be longer than 65535 bytes");
        fields.push_back(std::move(f));
    }
    *out = Schema(std::move(fields));
    return Status::OK();
}

}  // namespace xbase
