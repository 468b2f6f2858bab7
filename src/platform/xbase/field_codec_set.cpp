// Writing field values by DBF type. Each setter checks the value against the field first and
// writes only when it fits, so a refused value leaves the record as it was.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/xbase/bytes.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/field_text.h"

namespace xbase {

namespace {

Status Refuse(const FieldDef& f, const std::string& what) {
    return Status::InvalidArgument("", "field " + f.name + ": " + what);
}

std::string DescribeField(const FieldDef& f) {
    return std::string(1, f.type) + "(" + std::to_string(f.length) + "," +
           std::to_string(f.decimals) + ")";
}

void Put(uint8_t* record, const FieldDef& f, std::string_view text) {
    std::memcpy(record + f.offset, text.data(), text.size() < f.length ? text.size() : f.length);
}

}  // namespace

Status SetText(uint8_t* record, const FieldDef& f, std::string_view value) {
    switch (f.type) {
        case 'C': {
            size_t used = value.size();
            while (used > 0 && value[used - 1] == ' ')
                --used;
            if (used > f.length) {
                return Refuse(f, "text of " + std::to_string(used) +
                                     " characters does not fit width " + std::to_string(f.length));
            }
            // Other xBase programs end the text at a NUL; what follows it would be lost.
            if (value.substr(0, used).find('\0') != std::string_view::npos)
                return Refuse(f, "text holds a NUL byte");
            std::memset(record + f.offset, ' ', f.length);
            Put(record, f, value.substr(0, used));
            return Status::OK();
        }
        case 'N':
        case 'F':
        case 'I':
        case 'Y':
        case 'B': {
            if (TrimBlanks(value).empty()) {
                SetBlank(record, f);
                return Status::OK();
            }
            double v = 0;
            if (!ParseDecimal(value, &v))
                return Refuse(f, "'" + std::string(value) + "' is not a number");
            return SetNumber(record, f, v);
        }
        case 'D': {
            std::string_view s = TrimBlanks(value);
            Date d;
            if (!s.empty() && !ParseDate8(s, &d)) {
                return Refuse(f, "'" + std::string(value) + "' is not a date (YYYYMMDD)");
            }
            return SetDate(record, f, d);
        }
        case 'L': {
            std::string_view s = TrimBlanks(value);
            if (s.size() == 3 && s[0] == '.' && s[2] == '.')
                s = s.substr(1, 1);
            if (s.empty() || s == "?") {
                record[f.offset] = ' ';
                return Status::OK();
            }
            if (s.size() == 1) {
                const char c = s[0];
                if (c == 'T' || c == 't' || c == 'Y' || c == 'y')
                    return SetLogical(record, f, true);
                if (c == 'F' || c == 'f' || c == 'N' || c == 'n')
                    return SetLogical(record, f, false);
            }
            return Refuse(f, "'" + std::string(value) + "' is not a logical value");
        }
        default:
            return Refuse(f, "a field of type " + std::string(1, f.type) + " does not take text");
    }
}

Status SetNumber(uint8_t* record, const FieldDef& f, double value) {
    if (!std::isfinite(value))
        return Refuse(f, "the value is not a finite number");
    uint8_t* p = record + f.offset;
    switch (f.type) {
        case 'N':
        case 'F': {
            std::string text;
            if (!FormatDecimal(value, f.length, f.decimals, &text)) {
                char buf[64];
                std::snprintf(buf, sizeof buf, "%.*g", 17, value);
                return Refuse(f, std::string(buf) + " does not fit " + DescribeField(f));
            }
            Put(record, f, text);
            return Status::OK();
        }
        case 'I': {
            const double r = std::round(value);
            if (r < -2147483648.0 || r > 2147483647.0)
                return Refuse(f, "value out of the integer range");
            StoreLE32(p, uint32_t(int32_t(r)));
            return Status::OK();
        }
        case 'Y': {
            const double r = std::round(value * 10000.0);
            if (!(std::fabs(r) < 9.2e18))
                return Refuse(f, "value out of the currency range");
            StoreLE64(p, int64_t(r));
            return Status::OK();
        }
        case 'B': {
            if (!IsBinaryDouble(f))
                break;
            uint64_t bits;
            std::memcpy(&bits, &value, sizeof bits);
            StoreLE64(p, int64_t(bits));
            return Status::OK();
        }
        default:
            break;
    }
    return Refuse(f, "a field of type " + std::string(1, f.type) + " does not take a number");
}

Status SetDate(uint8_t* record, const FieldDef& f, Date value) {
    if (!value.blank() && !IsValidDate(value)) {
        return Refuse(f, "no such date " + std::to_string(value.year) + "-" +
                             std::to_string(value.month) + "-" + std::to_string(value.day));
    }
    if (f.type == 'D') {
        if (value.blank()) {
            std::memset(record + f.offset, ' ', 8);
        } else {
            Put(record, f, DateText(value));
        }
        return Status::OK();
    }
    if (f.type == 'T') {
        StoreLE32(record + f.offset, value.blank() ? 0 : uint32_t(DateToJulian(value)));
        StoreLE32(record + f.offset + 4, 0);
        return Status::OK();
    }
    return Refuse(f, "a field of type " + std::string(1, f.type) + " does not take a date");
}

Status SetLogical(uint8_t* record, const FieldDef& f, bool value) {
    if (f.type != 'L')
        return Refuse(f, "a field of type " + std::string(1, f.type) + " does not take T/F");
    record[f.offset] = value ? 'T' : 'F';
    return Status::OK();
}

void SetMemoBlock(uint8_t* record, const FieldDef& f, uint32_t block) {
    if (!IsMemoPointer(f))
        return;
    if (f.length == 4) {
        StoreLE32(record + f.offset, block);
        return;
    }
    if (f.length != 10)
        return;
    // FoxPro keeps the number right-aligned behind blanks, and no memo as all blanks.
    char buf[16];
    if (block == 0) {
        std::memset(buf, ' ', 10);
    } else {
        std::snprintf(buf, sizeof buf, "%10u", block);
    }
    std::memcpy(record + f.offset, buf, 10);
}

void SetBlank(uint8_t* record, const FieldDef& f) {
    const bool binary = f.type == 'I' || f.type == 'Y' || f.type == 'T' || f.type == '0' ||
                        IsBinaryDouble(f) || (IsMemoPointer(f) && f.length == 4);
    std::memset(record + f.offset, binary ? 0 : ' ', f.length);
}

}  // namespace xbase
