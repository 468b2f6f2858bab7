// The disc ID as a signed 32-bit number, and the key that finds a source.
#include "cd/cd_id.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

// Signed 32-bit decimals with blanks before them; anything else is no ID (-1).
TEST(CdIdFromText, ReadsSigned32BitDecimalsAndNothingElse) {
    const std::pair<const char*, int> ids[] = {
        {"1234567", 1234567},      {"   42", 42}, {"+7", 7},
        {" -300", -300},           {"0", 0},      {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN}};
    for (const auto& [text, id] : ids)
        EXPECT_EQ(CdIdFromText(text), id) << '"' << text << '"';
    for (const char* text : {"", " ", "-", "+", "12a", "12 ", "1 2", "0x1F", "$FF", "1.5", "--3",
                             "2147483648", "-2147483649", "4294967295", "99999999999999999999999"})
        EXPECT_EQ(CdIdFromText(text), -1) << '"' << text << '"';
}

}  // namespace
