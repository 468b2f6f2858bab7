// FoxPro's byte-comparable form of numeric and date keys, and Julian day numbers.
#include "platform/xbase/numeric_key.h"

#include <bit>

namespace xbase {

namespace {
constexpr uint64_t kSignBit = uint64_t(1) << 63;
}  // namespace

void EncodeNumericKey(double value, uint8_t out[kNumericKeyLength]) {
    if (value == 0)
        value = 0.0;  // -0.0 sorts and reads back as 0.0
    uint64_t bits = std::bit_cast<uint64_t>(value);
    bits = (bits & kSignBit) != 0 ? ~bits : bits | kSignBit;
    for (int i = 0; i < kNumericKeyLength; ++i)
        out[i] = uint8_t(bits >> (8 * (7 - i)));
}

double DecodeNumericKey(const uint8_t key[kNumericKeyLength]) {
    uint64_t bits = 0;
    for (int i = 0; i < kNumericKeyLength; ++i)
        bits = (bits << 8) | key[i];
    bits = (bits & kSignBit) != 0 ? bits & ~kSignBit : ~bits;
    return std::bit_cast<double>(bits);
}

// Civil-from-days arithmetic on the proleptic Gregorian calendar, shifted so that the year
// starts in March and leap days fall at its end.
int64_t JulianDay(int year, int month, int day) {
    if (year == 0 && month == 0 && day == 0)
        return 0;
    const int64_t a = (14 - int64_t(month)) / 12;
    const int64_t y = int64_t(year) + 4800 - a;
    const int64_t m = int64_t(month) + 12 * a - 3;
    return int64_t(day) + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

void CivilFromJulianDay(int64_t jd, int* year, int* month, int* day) {
    // 0 is the blank date; beyond about five million years the year would not fit an int.
    constexpr int64_t kMaxJulianDay = int64_t(1) << 31;
    if (jd <= 0 || jd > kMaxJulianDay) {
        *year = *month = *day = 0;
        return;
    }
    const int64_t a = jd + 32044;
    const int64_t b = (4 * a + 3) / 146097;
    const int64_t c = a - 146097 * b / 4;
    const int64_t d = (4 * c + 3) / 1461;
    const int64_t e = c - 1461 * d / 4;
    const int64_t m = (5 * e + 2) / 153;
    *day = int(e - (153 * m + 2) / 5 + 1);
    *month = int(m + 3 - 12 * (m / 10));
    *year = int(100 * b + d - 4800 + m / 10);
}

}  // namespace xbase
