#include "store/field_replace.h"

#include "base/text.h"
#include "store/catalogue_fixture.h"
#include "support/scripted_ui.h"

namespace {

TEST(ReplacedValueTest, MatchesReplacesFirstAndRaisesTheFirstLetter) {
    struct Case {
        const char* value;
        const char* search;
        const char* replacement;
        bool exact;
        bool eachWord;
        const char* expected;  // nullptr: no match
    };
    const Case cases[] = {
        {"the lovers rock   ", "LOVE", "hate", false, false, "The haters rock"},
        {"the lovers rock   ", "love", "hate", true, false, nullptr},
        {"the love rock     ", "LOVE", "hate", true, false, "The hate rock"},
        {"love me love you  ", "love", "hold", false, false, "Hold me love you"},
        {"love me love you  ", "me love", "x", true, true, "Love X You"},
        {"rock  ", " rock", "jazz", false, false, nullptr},  // the typed blank must match too
        {"a rock", " rock", "jazz", false, false, "A jazz"},
        {"      ", "rock", "jazz", false, false, nullptr},
    };
    for (const Case& c : cases) {
        const auto result = ReplacedValue(c.value, c.search, c.replacement, c.exact, c.eachWord);
        EXPECT_EQ(result.value_or("(none)"), c.expected ? c.expected : "(none)")
            << c.value << " / " << c.search;
    }
}

class FieldReplaceTest : public CatalogueTest {};

// Every field changed counts; a value too long for its field is skipped and counted unless the
// user, asked, sees it cut; changed pick-list fields become items.
TEST_F(FieldReplaceTest, CountsFieldsSkipsOverflowAndAddsItems) {
    auto catalogue = OpenBuilt();
    Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Rock Band"}, {"TITEL", "Rock On"}});
    Add(catalogue->dm1.ArtTable, {{"UITVOER", "rock " + std::string(24, 'x')}});
    Add(catalogue->dm2.HfTable, {{"LABEL", "Rock Records"}});
    ScriptedUi ui;
    ReplaceRequest request{"rock", "Heavy Metal", ReplaceIn::All, false, false, false};
    std::vector<ReplaceQuestion> asked;
    uint64_t examined = 0;
    const auto count = [&examined](uint64_t n) { examined = n; };
    const ReplaceOutcome quiet = RunReplace(*catalogue, request, {}, nullptr, count);
    EXPECT_EQ(quiet.replaced, 3u);
    EXPECT_EQ(quiet.skipped, 1u);
    EXPECT_EQ(examined, 3u);
    catalogue->dm1.ArtAccess.Go(2);
    EXPECT_EQ(TrimRight(catalogue->dm1.ArtAccess.GetString("UITVOER")),
              "rock " + std::string(24, 'x'));
    catalogue->dm3.ItemsAccess.SetOrder(1);
    EXPECT_TRUE(
        catalogue->dm3.ItemsAccess.Seek(catalogue->dm3.ItemKey("Heavy Metal Records", 'L')));

    request.warn = true;
    const ReplaceOutcome warned = RunReplace(
        *catalogue, request, {},
        [&](const ReplaceQuestion& q) {
            asked.push_back(q);
            return ReplaceState::Replace;
        },
        nullptr);
    EXPECT_EQ(warned.replaced, 1u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].cut);
    EXPECT_EQ(asked[0].newValue.size(), 30u);
    EXPECT_EQ(catalogue->dm1.ArtAccess.GetString("UITVOER"), asked[0].newValue);
}

}  // namespace
