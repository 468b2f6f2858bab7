// Code pages: UPPER() tables per DBF code-page mark, and conversion to Unicode and back.
#include "platform/xbase/codepage.h"

#include <gtest/gtest.h>

namespace xbase {
namespace {

TEST(CodePageTest, Windows1252UpperFollowsTheRules) {
    const CodePage& cp = CodePage::Windows1252();
    EXPECT_EQ(cp.mark(), 0x03);
    for (int c = 0; c < 256; ++c) {
        int want = c;
        if (c >= 'a' && c <= 'z')
            want = c - 0x20;
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            want = c - 0x20;
        if (c == 0x9A)
            want = 0x8A;
        if (c == 0x9C)
            want = 0x8C;
        if (c == 0x9E)
            want = 0x8E;
        if (c == 0xFF)
            want = 0x9F;
        EXPECT_EQ(cp.Upper(uint8_t(c)), want) << "byte " << c;
    }
    EXPECT_EQ(cp.Upper(0xDF), 0xDF);  // ß has no single-byte capital
    EXPECT_EQ(cp.Upper(0xB5), 0xB5);  // nor µ
    EXPECT_EQ(cp.Upper(0xE9), 0xC9);  // é -> É
}

TEST(CodePageTest, DosUpperMappings) {
    const CodePage& cp437 = CodePage::ForMark(0x01);
    EXPECT_EQ(cp437.Upper(0x82), 0x90);  // é -> É
    EXPECT_EQ(cp437.Upper(0x81), 0x9A);  // ü -> Ü
    EXPECT_EQ(cp437.Upper(0xA4), 0xA5);  // ñ -> Ñ
    EXPECT_EQ(cp437.Upper(0xA0), 0xA0);  // á: no Á in 437
    EXPECT_EQ(cp437.Upper(0xE5), 0xE5);  // σ stays: Greek is not upper-cased
    const CodePage& cp850 = CodePage::ForMark(0x02);
    EXPECT_EQ(cp850.Upper(0xA0), 0xB5);  // á -> Á
    EXPECT_EQ(cp850.Upper(0x82), 0x90);
    EXPECT_EQ(cp850.Upper(0xE1), 0xE1);  // ß
    EXPECT_EQ(cp850.Upper('q'), 'Q');
}

TEST(CodePageTest, UnknownMarksUpperAsciiOnly) {
    for (uint8_t mark : {uint8_t(0x00), uint8_t(0x64), uint8_t(0xC8)}) {
        const CodePage& cp = CodePage::ForMark(mark);
        for (int c = 0; c < 256; ++c) {
            const int want = c >= 'a' && c <= 'z' ? c - 0x20 : c;
            EXPECT_EQ(cp.Upper(uint8_t(c)), want);
        }
    }
}

// Capital of a lower-case Latin letter, by code point; 0 for anything else.
char32_t LatinCapital(char32_t u) {
    if ((u >= U'a' && u <= U'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return u - 0x20;
    switch (u) {
        case 0x0161:
            return 0x0160;  // š
        case 0x0153:
            return 0x0152;  // œ
        case 0x017E:
            return 0x017D;  // ž
        case 0x00FF:
            return 0x0178;  // ÿ
        default:
            return 0;
    }
}

TEST(CodePageTest, UpperMovesOnlyLettersToTheirCapitals) {
    for (uint8_t mark : {uint8_t(1), uint8_t(2), uint8_t(3)}) {
        const CodePage& cp = CodePage::ForMark(mark);
        int changed = 0;
        for (int c = 0; c < 256; ++c) {
            const uint8_t u = cp.Upper(uint8_t(c));
            EXPECT_EQ(cp.Upper(u), u) << cp.name() << " byte " << c;
            if (u == c)
                continue;
            ++changed;
            EXPECT_EQ(cp.ToUnicode(u), LatinCapital(cp.ToUnicode(uint8_t(c))))
                << cp.name() << " byte " << c;
        }
        EXPECT_GE(changed, 26 + 8) << cp.name();
    }
}

TEST(CodePageTest, Windows1252ToUnicode) {
    const CodePage& cp = CodePage::Windows1252();
    EXPECT_EQ(cp.ToUnicode('A'), U'A');
    EXPECT_EQ(cp.ToUnicode(0x80), U'\u20AC');  // €
    EXPECT_EQ(cp.ToUnicode(0x8A), U'\u0160');  // Š
    EXPECT_EQ(cp.ToUnicode(0x9F), U'\u0178');  // Ÿ
    EXPECT_EQ(cp.ToUnicode(0x81), U'\u0081');  // undefined: the C1 control
    EXPECT_EQ(cp.ToUnicode(0xE9), U'\u00E9');
    uint8_t b = 0;
    EXPECT_TRUE(cp.FromUnicode(U'\u20AC', &b));
    EXPECT_EQ(b, 0x80);
    EXPECT_TRUE(cp.FromUnicode(U'\u00FC', &b));
    EXPECT_EQ(b, 0xFC);
    b = 7;
    EXPECT_FALSE(cp.FromUnicode(U'\u4E2D', &b));
    EXPECT_FALSE(cp.FromUnicode(U'\U0001F3B5', &b));
    EXPECT_FALSE(cp.FromUnicode(U'\u0080', &b));  // taken by €, so not a byte of its own
    EXPECT_EQ(b, 7);
}

TEST(CodePageTest, DosToUnicode) {
    const CodePage& cp437 = CodePage::ForMark(0x01);
    EXPECT_EQ(cp437.ToUnicode(0x82), U'\u00E9');
    EXPECT_EQ(cp437.ToUnicode(0xE1), U'\u00DF');
    EXPECT_EQ(cp437.ToUnicode(0xDB), U'\u2588');
    uint8_t b = 0;
    EXPECT_TRUE(cp437.FromUnicode(U'\u00E9', &b));
    EXPECT_EQ(b, 0x82);
    EXPECT_FALSE(cp437.FromUnicode(U'\u00C1', &b));  // Á is not in 437
    const CodePage& cp850 = CodePage::ForMark(0x02);
    EXPECT_TRUE(cp850.FromUnicode(U'\u00C1', &b));
    EXPECT_EQ(b, 0xB5);
}

TEST(CodePageTest, EveryByteRoundTrips) {
    for (uint8_t mark : {uint8_t(0), uint8_t(1), uint8_t(2), uint8_t(3)}) {
        const CodePage& cp = CodePage::ForMark(mark);
        for (int c = 0; c < 256; ++c) {
            uint8_t back = 0;
            ASSERT_TRUE(cp.FromUnicode(cp.ToUnicode(uint8_t(c)), &back)) << cp.name() << " " << c;
            EXPECT_EQ(back, c) << cp.name();
        }
    }
}

}  // namespace
}  // namespace xbase
