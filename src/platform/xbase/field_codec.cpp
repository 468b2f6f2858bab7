// Reading field values by DBF type. Getters never fail: whatever a foreign or damaged record
// holds in a field reads as the nearest sensible value (0, blank date, false).
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/xbase/bytes.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/field_text.h"

namespace xbase {

namespace {

double LoadDouble(const uint8_t* p) {
    const uint64_t bits = uint64_t(LoadLE64(p));
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

}  // namespace

std::string GetText(const uint8_t* record, const FieldDef& f) {
    const uint8_t* p = record + f.offset;
    char buf[64];
    switch (f.type) {
        case 'L': {
            const char c = char(p[0]);
            if (c == 'T' || c == 't' || c == 'Y' || c == 'y')
                return "T";
            if (c == 'F' || c == 'f' || c == 'N' || c == 'n')
                return "F";
            return "?";
        }
        case 'I':
            std::snprintf(buf, sizeof buf, "%d", int32_t(LoadLE32(p)));
            return buf;
        case 'Y':
            std::snprintf(buf, sizeof buf, "%.4f", double(LoadLE64(p)) / 10000.0);
            return buf;
        case 'T': {
            const Date d = DateFromJulian(int32_t(LoadLE32(p)));
            if (d.blank())
                return std::string(14, ' ');
            const uint32_t ms = LoadLE32(p + 4) % 86400000u;
            std::snprintf(buf, sizeof buf, "%s%02u%02u%02u", DateText(d).c_str(), ms / 3600000u,
                          ms / 60000u % 60u, ms / 1000u % 60u);
            return buf;
        }
        default:
            break;
    }
    if (IsBinaryDouble(f)) {
        std::snprintf(buf, sizeof buf, "%.*f", f.decimals > 15 ? 15 : int(f.decimals),
                      GetNumber(record, f));
        return buf;
    }
    if (IsMemoPointer(f) && f.length == 4) {
        const uint32_t block = LoadLE32(p);
        return block == 0 ? std::string() : std::to_string(block);
    }
    return std::string(FieldBytes(record, f));
}

double GetNumber(const uint8_t* record, const FieldDef& f) {
    const uint8_t* p = record + f.offset;
    double v = 0;
    switch (f.type) {
        case 'N':
        case 'F':
            return ParseDecimal(FieldBytes(record, f), &v) ? v : 0;
        case 'I':
            return int32_t(LoadLE32(p));
        case 'Y':
            return double(LoadLE64(p)) / 10000.0;
        case 'L':
            return GetLogical(record, f) ? 1 : 0;
        case 'B':
            if (!IsBinaryDouble(f))
                return 0;
            v = LoadDouble(p);
            return std::isfinite(v) ? v : 0;
        default:
            return 0;
    }
}

Date GetDate(const uint8_t* record, const FieldDef& f) {
    Date d;
    if (f.type == 'D') {
        if (!ParseDate8(FieldBytes(record, f), &d))
            return Date{};
        return d;
    }
    if (f.type == 'T')
        return DateFromJulian(int32_t(LoadLE32(record + f.offset)));
    return Date{};
}

bool GetLogical(const uint8_t* record, const FieldDef& f) {
    if (f.type != 'L')
        return false;
    const char c = char(record[f.offset]);
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

uint32_t GetMemoBlock(const uint8_t* record, const FieldDef& f) {
    if (!IsMemoPointer(f))
        return 0;
    if (f.length == 4)
        return LoadLE32(record + f.offset);
    // Digits, right-aligned behind blanks or zeros; anything else points nowhere.
    std::string_view s = TrimBlanks(FieldBytes(record, f));
    uint64_t v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return 0;
        v = v * 10 + uint64_t(c - '0');
        if (v > UINT32_MAX)
            return 0;
    }
    return uint32_t(v);
}

}  // namespace xbase
