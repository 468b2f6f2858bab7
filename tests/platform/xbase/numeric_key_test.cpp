// Numeric index keys: exact bytes, memcmp order against numeric order, and Julian day numbers.
#include "platform/xbase/numeric_key.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace xbase {
namespace {

using Key = std::array<uint8_t, kNumericKeyLength>;

Key Encode(double v) {
    Key k;
    EncodeNumericKey(v, k.data());
    return k;
}

TEST(NumericKeyTest, KnownBytes) {
    EXPECT_EQ(Encode(0.0), (Key{0x80, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Encode(-0.0), Encode(0.0));
    EXPECT_EQ(Encode(1.0), (Key{0xBF, 0xF0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Encode(-1.0), (Key{0x40, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
    // 2000-01-01 as a date key.
    EXPECT_EQ(Encode(2451545.0), (Key{0xC1, 0x42, 0xB4, 0x2C, 0x80, 0, 0, 0}));
}

// Keys decode to their value, and their byte order is numeric order.
TEST(NumericKeyTest, RoundTripsInNumericOrder) {
    const double inf = std::numeric_limits<double>::infinity();
    std::vector<double> values = {0.0,    1.0,    -1.0,    0.5,     -0.5,   12.34,   -12.34, 1e300,
                                  -1e300, 5e-324, -5e-324, 2451545, 1e-300, -1e-300, inf,    -inf};
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> small(-1000, 1000);
    std::uniform_int_distribution<uint64_t> bits;
    for (int i = 0; i < 3000; ++i) {
        values.push_back(small(rng));
        values.push_back(std::round(small(rng)));
        double any;
        uint64_t b = bits(rng);
        std::memcpy(&any, &b, sizeof(any));
        if (std::isfinite(any))
            values.push_back(any);
    }
    std::sort(values.begin(), values.end());
    for (size_t i = 0; i < values.size(); ++i) {
        const Key b = Encode(values[i]);
        ASSERT_EQ(DecodeNumericKey(b.data()), values[i]);
        if (i == 0)
            continue;
        const Key a = Encode(values[i - 1]);
        const int c = std::memcmp(a.data(), b.data(), kNumericKeyLength);
        ASSERT_TRUE(values[i - 1] == values[i] ? c == 0 : c < 0)
            << values[i - 1] << " vs " << values[i];
    }
    const Key negZero = Encode(-0.0);
    EXPECT_FALSE(std::signbit(DecodeNumericKey(negZero.data())));
}

TEST(JulianDayTest, KnownDays) {
    EXPECT_EQ(JulianDay(2000, 1, 1), 2451545);
    EXPECT_EQ(JulianDay(1970, 1, 1), 2440588);
    EXPECT_EQ(JulianDay(1858, 11, 17), 2400001);
    EXPECT_EQ(JulianDay(1, 1, 1), 1721426);
    EXPECT_EQ(JulianDay(2024, 3, 1) - JulianDay(2024, 2, 28), 2);  // leap year
    EXPECT_EQ(JulianDay(2100, 3, 1) - JulianDay(2100, 2, 28), 1);  // not one
    EXPECT_EQ(JulianDay(0, 0, 0), 0);
}

TEST(JulianDayTest, RoundTripsEveryDayAndNoOther) {
    const int64_t from = JulianDay(1, 1, 1), to = JulianDay(9999, 12, 31);
    int y = 0, m = 0, d = 0;
    int64_t previous = from - 1;
    for (int64_t jd = from; jd <= to; ++jd) {
        CivilFromJulianDay(jd, &y, &m, &d);
        ASSERT_TRUE(m >= 1 && m <= 12 && d >= 1 && d <= 31) << y << "-" << m << "-" << d;
        ASSERT_EQ(JulianDay(y, m, d), jd) << y << "-" << m << "-" << d;
        ASSERT_EQ(jd, previous + 1);
        previous = jd;
    }
    CivilFromJulianDay(2451545, &y, &m, &d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20000101);
    // A blank day, and days out of range, are no date.
    for (int64_t jd : {int64_t(0), int64_t(-5), std::numeric_limits<int64_t>::max()}) {
        CivilFromJulianDay(jd, &y, &m, &d);
        EXPECT_EQ(y + m + d, 0) << jd;
    }
}

}  // namespace
}  // namespace xbase
