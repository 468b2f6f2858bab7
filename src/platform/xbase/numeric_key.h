// Index keys of numeric and date expressions: FoxPro keeps them as an 8-byte transformed double
// whose bytes compare in numeric order; a date is its Julian day number.
#pragma once

#include <cstdint>

namespace xbase {

constexpr int kNumericKeyLength = 8;

// Big-endian IEEE double with the sign bit set for values >= 0 and all bits inverted for
// negative values, so that memcmp order equals numeric order.
void EncodeNumericKey(double value, uint8_t out[kNumericKeyLength]);
double DecodeNumericKey(const uint8_t key[kNumericKeyLength]);

// Julian day number of a Gregorian date (2000-01-01 is 2451545). 0 stands for a blank date.
int64_t JulianDay(int year, int month, int day);
void CivilFromJulianDay(int64_t jd, int* year, int* month, int* day);

}  // namespace xbase
