// Field decoding and STR() formatting for the expression evaluator. Record bytes come from disk
// and are never trusted: every path below copes with any byte values.
#include "platform/xbase/expression_values.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/xbase/bytes.h"
#include "platform/xbase/numeric_key.h"

namespace xbase::expr {

namespace {

bool IsDigitByte(uint8_t c) {
    return c >= '0' && c <= '9';
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

bool ParseDate(const uint8_t* p, int* year, int* month, int* day) {
    for (int i = 0; i < 8; ++i) {
        if (!IsDigitByte(p[i]))
            return false;
    }
    auto num = [p](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i)
            v = v * 10 + (p[i] - '0');
        return v;
    };
    *year = num(0, 4);
    *month = num(4, 2);
    *day = num(6, 2);
    return *year >= 1 && *month >= 1 && *month <= 12 && *day >= 1 &&
           *day <= DaysInMonth(*year, *month);
}

}  // namespace

double ParseNumberText(const uint8_t* p, size_t n) {
    size_t b = 0, e = n;
    while (b < e && (p[b] == ' ' || p[b] == 0))
        ++b;
    while (e > b && (p[e - 1] == ' ' || p[e - 1] == 0))
        --e;
    bool negative = false;
    if (b < e && (p[b] == '-' || p[b] == '+')) {
        negative = p[b] == '-';
        ++b;
    }
    // from_chars would also take "inf" and "nan"; a number field holds neither.
    if (b == e || !(IsDigitByte(p[b]) || p[b] == '.'))
        return 0;
    const char* first = reinterpret_cast<const char*>(p + b);
    const char* last = reinterpret_cast<const char*>(p + e);
    double v = 0;
    const auto r = std::from_chars(first, last, v);
    if (r.ec != std::errc() || r.ptr != last)
        return 0;
    return negative ? -v : v;
}

double DecodeBinaryNumber(char type, const uint8_t* p) {
    if (type == 'I')
        return double(int32_t(LoadLE32(p)));
    const uint64_t bits = uint64_t(LoadLE32(p)) | (uint64_t(LoadLE32(p + 4)) << 32);
    if (type == 'B')
        return std::bit_cast<double>(bits);
    return double(int64_t(bits)) / 10000.0;  // 'Y' currency
}

int64_t DateFieldJulian(const uint8_t* p) {
    int y, m, d;
    if (!ParseDate(p, &y, &m, &d))
        return 0;
    return JulianDay(y, m, d);
}

void DateFieldToText(const uint8_t* p, uint8_t out[8]) {
    int y, m, d;
    if (ParseDate(p, &y, &m, &d)) {
        std::memcpy(out, p, 8);
    } else {
        std::memset(out, ' ', 8);
    }
}

void FormatStr(double value, int length, int decimals, uint8_t* out) {
    if (!std::isfinite(value)) {
        std::memset(out, '*', size_t(length));
        return;
    }
    // 15 significant digits, the precision xBase shows; rounding works on these decimal digits
    // so that 1.005 (stored as 1.00499999...) rounds to 1.01 the way users expect.
    char sci[40];
    const auto r = std::to_chars(sci, sci + sizeof(sci), value, std::chars_format::scientific, 14);
    const char* p = sci;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    int digits[16];  // digits[i] has place value 10^(exponent + 1 - i); digits[0] takes a carry
    digits[0] = 0;
    digits[1] = *p - '0';
    p += 2;  // the digit and '.'
    for (int i = 2; i < 16; ++i)
        digits[i] = *p++ - '0';
    ++p;  // 'e'
    const bool negativeExponent = *p++ == '-';
    int exponent = 0;
    while (p < r.ptr)
        exponent = exponent * 10 + (*p++ - '0');
    if (negativeExponent)
        exponent = -exponent;

    for (;;) {
        int a[16];
        std::memcpy(a, digits, sizeof(a));
        const int keep = exponent + 1 + decimals;  // index of the last digit kept
        if (keep < 0) {
            std::memset(a, 0, sizeof(a));
        } else if (keep < 15) {
            bool up = a[keep + 1] >= 5;
            for (int i = keep + 1; i < 16; ++i)
                a[i] = 0;
            for (int i = keep; up; --i) {
                up = ++a[i] == 10;
                if (up)
                    a[i] = 0;
            }
        }
        int top = 0;
        while (top < 16 && a[top] == 0)
            ++top;
        const bool zero = top == 16;
        const int topPlace = exponent + 1 - top;
        const int wholeDigits = zero || topPlace < 0 ? 1 : topPlace + 1;
        const int sign = negative && !zero ? 1 : 0;
        const int width = sign + wholeDigits + (decimals > 0 ? decimals + 1 : 0);
        if (width > length) {
            if (sign + wholeDigits > length) {
                std::memset(out, '*', size_t(length));
                return;
            }
            // The whole part fits: give up decimals, rounding again.
            decimals = std::max(0, length - sign - wholeDigits - 1);
            continue;
        }
        auto digitAt = [&](int place) {
            const int i = exponent + 1 - place;
            return char('0' + (i >= 0 && i < 16 ? a[i] : 0));
        };
        uint8_t* o = out;
        for (int i = width; i < length; ++i)
            *o++ = ' ';
        if (sign)
            *o++ = '-';
        for (int place = wholeDigits - 1; place >= 0; --place)
            *o++ = uint8_t(digitAt(place));
        if (decimals > 0) {
            *o++ = '.';
            for (int place = -1; place >= -decimals; --place)
                *o++ = uint8_t(digitAt(place));
        }
        return;
    }
}

}  // namespace xbase::expr
