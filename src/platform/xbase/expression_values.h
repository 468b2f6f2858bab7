// Decoding field values from record bytes and formatting numbers as STR() does, without
// allocating. Internal to the expression evaluator; every function accepts any bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace xbase::expr {

// The value of an N or F field's ASCII text: blank, or anything that is not a number, is 0.
double ParseNumberText(const uint8_t* p, size_t n);
// The value of a binary numeric field: 'I' int32, 'B' double, 'Y' int64 / 10000, all
// little-endian; p holds 4 or 8 bytes as the type says.
double DecodeBinaryNumber(char type, const uint8_t* p);
// The Julian day of a D field's 8 bytes "YYYYMMDD"; 0 for blanks or an impossible date.
int64_t DateFieldJulian(const uint8_t* p);
// DTOS(): the 8 digits of a valid date, 8 blanks otherwise.
void DateFieldToText(const uint8_t* p, uint8_t out[8]);
// STR(value, length, decimals) into out[0, length): right-aligned, rounded half away from
// zero at 15 significant digits; decimals shrink to what fits; '*' everywhere when the whole
// part does not fit or the value is not finite. 1 <= length <= 255, decimals <= 18.
void FormatStr(double value, int length, int decimals, uint8_t* out);

}  // namespace xbase::expr
