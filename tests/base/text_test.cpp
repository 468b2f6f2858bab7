// The text helpers that search keys, stored track times and the password depend on.
#include "base/text.h"

#include <gtest/gtest.h>

TEST(PaddingTest, PadsUpToTheWidthWithinTheirLimits) {
    EXPECT_EQ(PadLeft("abc", 10), "       abc");
    EXPECT_EQ(PadLeft("abcdefghijkl", 10), "abcdefghijkl");
    EXPECT_EQ(PadLeft("", 20), std::string(10, ' '));  // at most 10 blanks
    EXPECT_EQ(PadRight("ROCK", 10), "ROCK      ");
    EXPECT_EQ(PadRight("", 60), std::string(50, ' '));  // at most 50 blanks
    EXPECT_EQ(PadRight("longer than width", 4), "longer than width");
    EXPECT_EQ(Spaces(3), "   ");
    EXPECT_EQ(Spaces(100).size(), 67u);
    EXPECT_EQ(Spaces(-1), "");
}

TEST(BlankTest, TrimsBlanksAndControlCharacters) {
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   \t"));
    EXPECT_FALSE(IsBlank("  x "));
    EXPECT_EQ(Trim("  Abba \r\n"), "Abba");
    EXPECT_EQ(TrimRight("  Abba   "), "  Abba");  // a padded field keeps its leading blanks
}

TEST(PosNoCaseTest, FindsAPartIgnoringCase) {
    EXPECT_EQ(PosNoCase("The Rolling Stones", "rolling"), 5);
    EXPECT_EQ(PosNoCase("abc", "ABC"), 1);
    EXPECT_EQ(PosNoCase("abc", "d"), 0);
    EXPECT_EQ(PosNoCase("abc", ""), 0);
    EXPECT_EQ(PosNoCase("ab", "abc"), 0);
}

TEST(StuffStringTest, ReplacesAStretchAndKeepsAtMostAHundredAfterIt) {
    EXPECT_EQ(StuffString("Hello world", "there", 7, 5), "Hello there");
    EXPECT_EQ(StuffString("abc", "X", 2, 0), "aXbc");
    EXPECT_EQ(StuffString("abc", "XY", 3, 10), "abXY");
    EXPECT_EQ(StuffString("abc", "Z", 10, 1), "abcZ");
    const std::string tail(150, 't');
    EXPECT_EQ(StuffString("a" + tail, "b", 1, 1), "b" + std::string(100, 't'));
}

TEST(KapitaliseerTekstTest, EachWordOrFirstCharacter) {
    EXPECT_EQ(KapitaliseerTekst("the rolling stones", true), "The Rolling Stones");
    EXPECT_EQ(KapitaliseerTekst("o'brien", true), "O'brien");
    EXPECT_EQ(KapitaliseerTekst("the rolling stones", false), "The rolling stones");
    EXPECT_EQ(KapitaliseerTekst("a  b", true), "A  B");
    // Accented letters of the tables' code page (Windows-1252 bytes) are raised too.
    EXPECT_EQ(KapitaliseerTekst("\xE9"
                                "dith piaf \xFF \x9A",
                                true),
              "\xC9"
              "dith Piaf \x9F \x8A");
    EXPECT_EQ(KapitaliseerTekst("\xE9"
                                "dith piaf",
                                false),
              "\xC9"
              "dith piaf");
    EXPECT_EQ(KapitaliseerTekst("", true), "");
    EXPECT_EQ(KapitaliseerTekst(std::string(60, 'x'), false).size(), 51u);
}

TEST(DigitsTest, PadsTrackTimesWithZeros) {
    EXPECT_EQ(TwoDigits("4"), "04");
    EXPECT_EQ(TwoDigits(" 7 "), "07");
    EXPECT_EQ(TwoDigits("123"), "123");
    EXPECT_EQ(ThreeDigits("5"), "005");
    EXPECT_EQ(ThreeDigits("1234"), "1234");
    EXPECT_EQ(TwoDigits("x1"), "x1");  // not a number: unchanged, no crash
    EXPECT_EQ(TwoDigits(""), "");
}

TEST(InvertBytesTest, IsItsOwnInverse) {
    const std::string marker = "583046";
    const std::string stored = InvertBytes(marker);
    EXPECT_EQ(static_cast<unsigned char>(stored[0]), 255 - '5');
    EXPECT_EQ(InvertBytes(stored), marker);
    std::string all;
    for (int c = 0; c < 256; ++c) {
        all.push_back(static_cast<char>(c));
    }
    EXPECT_EQ(InvertBytes(InvertBytes(all)), all);
}
