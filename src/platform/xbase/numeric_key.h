// Index keys of numeric and date expressions: FoxPro keeps them as an 8-byte transformed double
// whose bytes compare in numeric order; a date is its Julian day number.
#pragma once

#include <cstdint>

namespace xbase {

constexpr int kNumericKeyLength = 8;

// Big-endian IEEE double with the sign bit set for values >= 0 and all bits inverted for
// negative values, so that memcmp order equals numeric order. -0.0 is stored as 0.0.
void EncodeNumericKey(double value, uint8_t out[kNumericKeyLength]);
double DecodeNumericKey(const uint8_t key[kNumericKeyLength]);

// Julian day number of a Gregorian date (2000-01-01 is 2451545). 0 stands for a blank date:
// JulianDay(0, 0, 0) is 0. Other dates are not checked.
int64_t JulianDay(int year, int month, int day);
// The inverse of JulianDay. Day numbers <= 0, or too large for the year to fit an int, give the
// blank date 0/0/0.
void CivilFromJulianDay(int64_t jd, int* year, int* month, int* day);

}  // namespace xbase
