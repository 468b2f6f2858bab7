// The search behind the field search screens: prefix, filter, carrier, time key, memo pattern.
#include <gtest/gtest.h>

#include "base/text.h"
#include "entry/entry_fixture.h"
#include "search/field_search.h"

namespace {

class FieldSearchTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        for (const auto& [artist, title, minutes, seconds] :
             {std::tuple{"Beatles", "Help", "04", "35"},
              {"beach boys", "Surf", "04", "00"},
              {"Abbey Bee", "Bees", "14", "35"},
              {"Bert", "Help me", "03", "10"}})
            AddTrack({{"ARTIEST", artist},
                      {"TITEL", title},
                      {"MINUTEN", minutes},
                      {"SECONDEN", seconds},
                      {"DRAGER", "CD"},
                      {"CDNUMMER", "1"}});
        for (const auto& [carrier, title, memo] : {std::tuple{"CD", "Blue", "jazz at night"},
                                                   {"CDR", "Red", "a jazzy night"},
                                                   {"CD", "Green", "night jazz"}})
            AddMainTitle(
                {{"DRAGER", carrier}, {"CDNUMMER", "1"}, {"HTITEL", title}, {"MEMO", memo}});
    }
    std::vector<std::string> Values(TTableAccess& access, const SearchResult& result,
                                    const char* field) {
        std::vector<std::string> values;
        for (uint32_t recno : result.rows) {
            access.Go(recno);
            values.push_back(TrimRight(access.GetString(field).bytes()));
        }
        return values;
    }
};

TEST_F(FieldSearchTest, ListsTheHitsOfAKeyBeginningNarrowedByTheFilter) {
    using V = std::vector<std::string>;
    using O = SearchOutcome;
    // A prefix of the artist in any letter case, never a later part of the name.
    const std::tuple<const char*, const char*, O, V> cases[] = {
        {"be", "", O::Found, {"beach boys", "Beatles", "Bert"}},
        {"be", "HELP", O::Found, {"Beatles", "Bert"}},
        {"be", "xyz", O::FilterNotFound, {}},
        {"bee", "", O::KeyNotFound, {}}};
    TTableAccess& tracks = catalogue().dm1.ArtAccess;
    for (const auto& [key, filter, outcome, shown] : cases) {
        const SearchResult result =
            RunFieldSearch(tracks, {1, {"ARTIEST"}, SearchKey(key, 50), "TITEL", filter});
        EXPECT_EQ(result.outcome, outcome) << key << "/" << filter;
        EXPECT_EQ(Values(tracks, result, "ARTIEST"), shown) << key << "/" << filter;
    }
    // A carrier padded to its width is found exactly, never a longer code.
    TTableAccess& titles = catalogue().dm2.HfAccess;
    const SearchResult cd =
        RunFieldSearch(titles, {4, {"DRAGER"}, PadRight(SearchKey("cd", 10), 10), "HTITEL", ""});
    EXPECT_EQ(cd.outcome, O::Found);
    EXPECT_EQ(Values(titles, cd, "HTITEL"), (V{"Blue", "Green"}));
    // Cancelling keeps the hits reported so far.
    const SearchResult cancelled =
        RunFieldSearch(catalogue().dm1.ArtAccess, {1, {"ARTIEST"}, "B", "TITEL", ""},
                       [](const std::vector<uint32_t>&, size_t) { return false; });
    EXPECT_EQ(cancelled.outcome, SearchOutcome::Cancelled);
}

// Times stored short ("3", "5", as other programs write them) are found like those the program
// writes ("03", "05"); seconds 0 finds every track of those minutes, in time order.
TEST_F(FieldSearchTest, TimeSearchFindsTwoDigitAndShortStoredTimesAlike) {
    for (const auto& [artist, minutes, seconds] :
         {std::tuple{"Short", "3", "5"}, {"Long", "03", "05"}, {"Hundred", "123", "35"}})
        AddTrack({{"ARTIEST", artist}, {"MINUTEN", minutes}, {"SECONDEN", seconds}});
    using V = std::vector<std::string>;
    for (const auto& [minutes, seconds, filter, outcome, artists] :
         {std::tuple{4, 0, "", SearchOutcome::Found, V{"beach boys", "Beatles"}},
          {4, 35, "", SearchOutcome::Found, V{"Beatles"}},
          {3, 0, "", SearchOutcome::Found, V{"Long", "Bert", "Short"}},
          {3, 5, "", SearchOutcome::Found, V{"Long", "Short"}},
          {3, 5, "sho", SearchOutcome::Found, V{"Short"}},
          {123, 35, "", SearchOutcome::Found, V{"Hundred"}},
          {4, 35, "xyz", SearchOutcome::FilterNotFound, V{}},
          {4, 36, "", SearchOutcome::KeyNotFound, V{}},
          {5, 0, "", SearchOutcome::KeyNotFound, V{}}}) {
        TTableAccess& tracks = catalogue().dm1.ArtAccess;
        const SearchResult result = RunTimeSearch(tracks, 6, minutes, seconds, "ARTIEST", filter);
        EXPECT_EQ(result.outcome, outcome) << minutes << ":" << seconds << "/" << filter;
        EXPECT_EQ(Values(tracks, result, "ARTIEST"), artists) << minutes << ":" << seconds;
    }
}

TEST_F(FieldSearchTest, MemoSearchMatchesWholeWordsAtEitherEndWhenExact) {
    using V = std::vector<std::string>;
    for (const auto& [text, exact, filter, outcome, titles] :
         {std::tuple{"jazz", false, "", SearchOutcome::Found, V{"Blue", "Red", "Green"}},
          {"JAZZ", true, "", SearchOutcome::Found, V{"Blue", "Green"}},
          {"nigh", true, "", SearchOutcome::KeyNotFound, V{}},
          {"jazz", true, "gre", SearchOutcome::Found, V{"Green"}},
          {"jazz", true, "red", SearchOutcome::FilterNotFound, V{}},
          {"blues", false, "", SearchOutcome::KeyNotFound, V{}}}) {
        TTableAccess& titlesAccess = catalogue().dm2.HfAccess;
        titlesAccess.SetOrder(0);
        const SearchResult result =
            RunMemoSearch(titlesAccess, "MEMO", MemoPattern(text, exact), "HTITEL", filter);
        EXPECT_EQ(result.outcome, outcome) << text << exact << filter;
        EXPECT_EQ(Values(titlesAccess, result, "HTITEL"), titles) << text << exact << filter;
    }
}

}  // namespace
