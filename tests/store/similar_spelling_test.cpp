// Similar spelling: the pairs a person reads as one text, and the pairs that only look alike.
#include "store/similar_spelling.h"

#include <gtest/gtest.h>

#include "platform/xbase/codepage.h"
#include "platform/xbase/text_convert.h"

namespace {

// The table bytes (Windows-1252) of a UTF-8 text.
TableText Table(std::string_view utf8) {
    std::string bytes;
    EXPECT_TRUE(xbase::FromUtf8(xbase::CodePage::Windows1252(), utf8, &bytes).ok()) << utf8;
    return TableText(bytes);
}

TEST(SimilarSpellingTest, PairsThatMatchAndPairsThatDoNot) {
    const struct {
        const char* a;
        const char* b;
        bool similar;
    } cases[] = {
        // Accents, ligatures and letter case.
        {"Café del Mar", "CAFE DEL MAR", true},
        {"Die Ärzte", "Arzte", true},
        {"Straße", "STRASSE", true},
        {"Ægir", "aegir", true},
        {"Mötley Crüe", "Motley Crue", true},
        {"Bjørn", "Bjorn", true},
        {"Œuvre", "oeuvre", true},
        {"Ÿ", "y", true},
        // Punctuation and repeated blanks; a blank still parts words.
        {"A-ha", "Aha", true},
        {"  Hey,   Jude!  ", "hey jude", true},
        {"Hey\tJude", "Hey Jude", true},
        {"R.E.M.", "REM", true},
        {"Hey Jude", "HeyJude", false},
        {"Don’t Stop", "Dont Stop", true},
        // "&" reads as "and", with or without blanks round it.
        {"Rock & Roll", "Rock and Roll", true},
        {"Simon&Garfunkel", "Simon and Garfunkel", true},
        {"Rock & Roll", "Rock Roll", false},
        // One leading article is set aside, when something follows it.
        {"The Beatles", "Beatles", true},
        {"Les Misérables", "Miserables", true},
        {"L'Amour", "Amour", true},
        {"L’ Amour", "amour", true},
        {"Het Goede Doel", "Goede Doel", true},
        {"Los Lobos", "Lobos", true},
        {"An Evening", "Evening", true},
        {"The The", "The", true},
        {"The The", "", false},
        {"A Day in the Life", "Day in Life", false},
        {"Theatre", "Atre", false},
        {"Lamour", "Amour", false},
        {"Anna", "Na", false},
        {"Diesel", "Sel", false},
        {"The", "", false},
        // No words at all.
        {"", "   ", true},
        {"--", "", true},
        {"Yesterday", "Tomorrow", false},
        {"Track 1", "Track 2", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.b);
        EXPECT_EQ(SimilarSpelling(Table(c.a), Table(c.b)), c.similar);
        EXPECT_EQ(SimilarSpelling(Table(c.b), Table(c.a)), c.similar);
    }
}

TEST(SimilarSpellingTest, KeysAreLowerCaseWordsOneBlankApart) {
    const struct {
        const char* text;
        const char* key;
    } cases[] = {
        {" The  Rolling Stones ", "rolling stones"},
        {"Rock&Roll", "rock and roll"},
        {"Þór", "thor"},
        {"?!", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SimilarSpellingKey(Table(c.text)), c.key) << c.text;
}

}  // namespace
