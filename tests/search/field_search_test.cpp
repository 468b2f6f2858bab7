// The one search behind the field search screens, on a small catalogue: the prefix, the filter,
// the exact carrier, the time key and the memo pattern.
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
    struct Case {
        bool tracks;
        FieldSearch search;
        SearchOutcome outcome;
        V shown;  // ARTIEST of tracks, HTITEL of main titles
    };
    const Case cases[] = {
        // A prefix in any letter case, never a later part of the name.
        {true,
         {1, {"ARTIEST"}, SearchKey("be", 50), "TITEL", ""},
         SearchOutcome::Found,
         V{"beach boys", "Beatles", "Bert"}},
        {true,
         {1, {"ARTIEST"}, SearchKey("be", 50), "TITEL", "HELP"},
         SearchOutcome::Found,
         V{"Beatles", "Bert"}},
        {true,
         {1, {"ARTIEST"}, SearchKey("be", 50), "TITEL", "xyz"},
         SearchOutcome::FilterNotFound,
         V{}},
        {true,
         {1, {"ARTIEST"}, SearchKey("bee", 50), "TITEL", ""},
         SearchOutcome::KeyNotFound,
         V{}},
        // A carrier padded to its width is found exactly, never a longer code.
        {false,
         {4, {"DRAGER"}, PadRight(SearchKey("cd", 10), 10), "HTITEL", ""},
         SearchOutcome::Found,
         V{"Blue", "Green"}},
    };
    for (const Case& c : cases) {
        TTableAccess& access = c.tracks ? catalogue().dm1.ArtAccess : catalogue().dm2.HfAccess;
        const SearchResult result = RunFieldSearch(access, c.search);
        EXPECT_EQ(result.outcome, c.outcome) << c.search.key << "/" << c.search.filterText;
        EXPECT_EQ(Values(access, result, c.tracks ? "ARTIEST" : "HTITEL"), c.shown)
            << c.search.key << "/" << c.search.filterText;
    }
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
