// The disc ID as a signed 32-bit number, and the key that finds a source.
#include "cd/cd_id.h"

#include <gtest/gtest.h>

namespace {

TEST(CdIdFromText, ReadsSigned32BitDecimals) {
    EXPECT_EQ(CdIdFromText("1234567"), 1234567);
    EXPECT_EQ(CdIdFromText("   42"), 42);
    EXPECT_EQ(CdIdFromText("+7"), 7);
    EXPECT_EQ(CdIdFromText(" -300"), -300);
    EXPECT_EQ(CdIdFromText("0"), 0);
    EXPECT_EQ(CdIdFromText("2147483647"), 2147483647);
    EXPECT_EQ(CdIdFromText("-2147483648"), -2147483647 - 1);
}

TEST(CdIdFromText, AnythingElseIsNoId) {
    for (const char* text :
         {"", " ", "-", "+", "12a", "12 ", "1 2", "0x1F", "$FF", "1.5", "--3", "2147483648",
          "-2147483649", "4294967295", "99999999999999999999999"}) {
        EXPECT_EQ(CdIdFromText(text), -1) << '"' << text << '"';
    }
}

}  // namespace
