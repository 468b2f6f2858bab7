// Code pages: UPPER() tables per DBF code-page mark, and conversion to Unicode and back.
#include "platform/xbase/codepage.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

namespace xbase {
namespace {

// Capital of a lower-case Latin letter, by code point; 0 for anything else.
char32_t LatinCapital(char32_t u) {
    if ((u >= U'a' && u <= U'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
        return u - 0x20;
    // š œ ž ÿ
    const std::map<char32_t, char32_t> others = {
        {0x0161, 0x0160}, {0x0153, 0x0152}, {0x017E, 0x017D}, {0x00FF, 0x0178}};
    return others.count(u) ? others.at(u) : 0;
}

// UPPER() moves every lower-case Latin letter whose capital the page holds to that capital and
// leaves every other byte (ß, µ, Greek, letters without a capital in the page); unknown marks
// capitalise a-z only.
TEST(CodePageTest, UpperMovesExactlyTheLettersWithACapitalInThePage) {
    for (uint8_t mark : {0x01, 0x02, 0x03, 0x00, 0x64, 0xC8}) {
        const CodePage& cp = CodePage::ForMark(mark);
        const bool known = mark >= 1 && mark <= 3;
        int changed = 0;
        for (int c = 0; c < 256; ++c) {
            uint8_t want = uint8_t(c);
            if (!known) {
                want = c >= 'a' && c <= 'z' ? uint8_t(c - 0x20) : uint8_t(c);
            } else if (const char32_t capital = LatinCapital(cp.ToUnicode(uint8_t(c)))) {
                cp.FromUnicode(capital, &want);
            }
            changed += want != c;
            EXPECT_EQ(cp.Upper(uint8_t(c)), want) << "mark " << int(mark) << " byte " << c;
        }
        EXPECT_GE(changed, known ? 26 + 8 : 26) << int(mark);
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
