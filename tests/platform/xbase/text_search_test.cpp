// Finding a word part in any letter case, accented letters included, wherever it stands.
#include <gtest/gtest.h>

#include "platform/xbase/text_search.h"

namespace {

TEST(CaseInsensitiveFinderTest, FindsThePartAnywhereInAnyLetterCase) {
    const struct {
        const char* needle;
        const char* text;
        bool found;
    } cases[] = {
        {"love", "Glove", true},
        {"LOVE", "all you need is love", true},
        {"love", "lov", false},
        {"ov", "LOVELY", true},
        {"e w", "Blue World ", true},
        {"e w", "Blue  World", false},
        {"\xe9t\xe9", "L'\xc9T\xc9", true},  // é upper-cases to É in Windows-1252
        {"ab", "aaaaAAAab", true},
        {"ab", "aaaaAAAa", false},
        {"", "anything", true},
        {"x", "", false},
    };
    for (const auto& c : cases) {
        const xbase::CaseInsensitiveFinder finder(xbase::CodePage::Windows1252(), c.needle);
        const std::string text = c.text;
        EXPECT_EQ(finder.FoundIn(reinterpret_cast<const uint8_t*>(text.data()), text.size()),
                  c.found)
            << c.needle << " in " << c.text;
    }
}

}  // namespace
