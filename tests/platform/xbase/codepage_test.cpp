// Code pages: UPPER() tables per DBF code-page mark, and conversion to Unicode and back.
#include "platform/xbase/codepage.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace xbase {
namespace {

// Windows-1252 capitalises a-z, à-þ but ÷, and š œ ž ÿ (ß and µ stay); unknown marks a-z only.
TEST(CodePageTest, Windows1252AndUnknownMarksUpperByTheRules) {
    EXPECT_EQ(CodePage::Windows1252().mark(), 0x03);
    const std::map<int, int> others = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
    for (uint8_t mark : {uint8_t(0x03), uint8_t(0x00), uint8_t(0x64), uint8_t(0xC8)}) {
        const bool latin = mark == 0x03;
        for (int c = 0; c < 256; ++c) {
            int want = (c >= 'a' && c <= 'z') || (latin && c >= 0xE0 && c <= 0xFE && c != 0xF7)
                           ? c - 0x20
                           : c;
            if (latin && others.count(c))
                want = others.at(c);
            EXPECT_EQ(CodePage::ForMark(mark).Upper(uint8_t(c)), want)
                << "mark " << int(mark) << " byte " << c;
        }
    }
}

TEST(CodePageTest, DosUpperMappings) {
    // {mark, byte, its capital}: 437 has no Á and leaves Greek alone; 850 has Á but no ẞ.
    const uint8_t cases[][3] = {{1, 0x82, 0x90}, {1, 0x81, 0x9A}, {1, 0xA4, 0xA5},
                                {1, 0xA0, 0xA0}, {1, 0xE5, 0xE5}, {2, 0xA0, 0xB5},
                                {2, 0x82, 0x90}, {2, 0xE1, 0xE1}, {2, 'q', 'Q'}};
    for (const auto& c : cases)
        EXPECT_EQ(CodePage::ForMark(c[0]).Upper(c[1]), c[2]) << int(c[0]) << " " << int(c[1]);
}

// Capital of a lower-case Latin letter, by code point; 0 for anything else.
char32_t LatinCapital(char32_t u) {
    if ((u >= U'a' && u <= U'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return u - 0x20;
    // š œ ž ÿ
    const std::map<char32_t, char32_t> others = {
        {0x0161, 0x0160}, {0x0153, 0x0152}, {0x017E, 0x017D}, {0x00FF, 0x0178}};
    return others.count(u) ? others.at(u) : 0;
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

TEST(CodePageTest, BytesToUnicodeAndBack) {
    struct Case {
        uint8_t mark, byte;
        char32_t unicode;
    };
    // 0x81 is undefined in 1252 and stays the C1 control.
    const Case cases[] = {{3, 'A', U'A'},       {3, 0x80, U'\u20AC'}, {3, 0x8A, U'\u0160'},
                          {3, 0x9F, U'\u0178'}, {3, 0x81, U'\u0081'}, {3, 0xE9, U'\u00E9'},
                          {3, 0xFC, U'\u00FC'}, {1, 0x82, U'\u00E9'}, {1, 0xE1, U'\u00DF'},
                          {1, 0xDB, U'\u2588'}, {2, 0xB5, U'\u00C1'}};
    for (const Case& c : cases) {
        const CodePage& cp = CodePage::ForMark(c.mark);
        EXPECT_EQ(cp.ToUnicode(c.byte), c.unicode) << int(c.mark) << " " << int(c.byte);
        uint8_t b = 0;
        EXPECT_TRUE(cp.FromUnicode(c.unicode, &b));
        EXPECT_EQ(b, c.byte);
    }
    // Not in the page, or taken by € so not a byte of its own: refused, the output untouched.
    const std::pair<uint8_t, char32_t> missing[] = {
        {3, U'\u4E2D'}, {3, U'\U0001F3B5'}, {3, U'\u0080'}, {1, U'\u00C1'}};
    for (const auto& [mark, u] : missing) {
        uint8_t b = 7;
        EXPECT_FALSE(CodePage::ForMark(mark).FromUnicode(u, &b)) << int(mark) << " " << int(u);
        EXPECT_EQ(b, 7);
    }
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
