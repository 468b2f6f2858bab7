// Helpers shared by the field codec's getters and setters: xBase number and date text, the Julian
// day numbers Visual FoxPro datetimes are stored as, and its binary field forms. Internal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/xbase/bytes.h"
#include "platform/xbase/field_codec.h"

namespace xbase {

// `s` without leading and trailing blanks (spaces, and the NULs some writers pad with).
std::string_view TrimBlanks(std::string_view s);

// Parses a decimal number ("-12.50", "+3", ".5"); false for blanks, garbage or overflow.
bool ParseDecimal(std::string_view s, double* value);

// Formats `value` right-aligned in `width` characters with exactly `decimals` decimals, rounding
// halves away from zero; false when it does not fit or is not finite.
bool FormatDecimal(double value, unsigned width, unsigned decimals, std::string* out);

// "YYYYMMDD" to a date; false unless it is eight digits naming a real calendar date.
bool ParseDate8(std::string_view s, Date* d);

// Julian day number of a date, and back; a day number outside years 1..9999 gives a blank date.
int64_t DateToJulian(Date d);
Date DateFromJulian(int64_t jdn);

// "YYYYMMDD" of a date (not checked).
std::string DateText(Date d);

// Fields holding a memo block number: M, G, P, and the 10-wide B of dBase.
inline bool IsMemoPointer(const FieldDef& f) {
    return f.type == 'M' || f.type == 'G' || f.type == 'P' || (f.type == 'B' && f.length == 10);
}
// Visual FoxPro's B: an 8-byte double.
inline bool IsBinaryDouble(const FieldDef& f) {
    return f.type == 'B' && f.length == 8;
}

inline int64_t LoadLE64(const uint8_t* p) {
    return int64_t(uint64_t(LoadLE32(p)) | (uint64_t(LoadLE32(p + 4)) << 32));
}
inline void StoreLE64(uint8_t* p, int64_t v) {
    StoreLE32(p, uint32_t(uint64_t(v)));
    StoreLE32(p + 4, uint32_t(uint64_t(v) >> 32));
}

}  // namespace xbase
