// The word-part search: a part anywhere, whole words, the second field, the order, cancelling.
#include <gtest/gtest.h>

#include "base/text.h"
#include "entry/entry_fixture.h"
#include "search/word_search.h"

namespace {

class WordSearchTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        for (const auto& [title, artist] : {std::pair{"Over the rainbow", "Judy"},
                                            {"Hangover", "Ben"},
                                            {"Clover, Dover", "Judy"},
                                            {"Bend it over", "Ben"},
                                            {"Left (over)", "Ann"},
                                            {"hangover", "Ann"}})
            AddTrack({{"TITEL", title}, {"ARTIEST", artist}, {"DRAGER", "CD"}, {"CDNUMMER", "1"}});
        // Enough other tracks that few hits are put in order by their keys, many by the tag.
        for (int i = 0; i < 40; ++i)
            AddTrack({{"TITEL", "Blue"}, {"ARTIEST", "Zoe"}, {"DRAGER", "CD"}, {"CDNUMMER", "2"}});
        tracks().Go(6);
        tracks().Delete();
    }
    TTableAccess& tracks() { return catalogue().dm1.ArtAccess; }
    // The titles of `rows`, or of every visible record holding `part`, walked in the current order.
    std::vector<std::string> Titles(const std::vector<uint32_t>& rows, const char* part = "") {
        std::vector<std::string> titles;
        const uint32_t at = tracks().RecNo();
        if (*part != '\0') {
            for (tracks().GoTop(); !tracks().Eof(); tracks().Skip()) {
                if (PosNoCase(tracks().GetString("TITEL").bytes(), part) > 0)
                    titles.push_back(TrimRight(tracks().GetString("TITEL").bytes()));
            }
        }
        for (uint32_t recno : rows) {
            tracks().Go(recno);
            titles.push_back(TrimRight(tracks().GetString("TITEL").bytes()));
        }
        tracks().Go(at);
        return titles;
    }
};

TEST_F(WordSearchTest, FindsTheWordPartInTheTablesOrderNarrowedByTheSecondField) {
    using V = std::vector<std::string>;
    struct Case {
        const char* text;
        bool exact;
        const char* second;
        int order;
        SearchOutcome outcome;
        V titles;  // empty when found: every record holding `text`, walked in the order
    };
    const Case cases[] = {
        {"OVE", false, "", 0, SearchOutcome::Found,
         V{"Over the rainbow", "Hangover", "Clover, Dover", "Bend it over", "Left (over)"}},
        // Whole words at the start and the end; not inside a word nor next to punctuation.
        {"over", true, "", 0, SearchOutcome::Found, V{"Over the rainbow", "Bend it over"}},
        {"dover", true, "", 0, SearchOutcome::Found, V{"Clover, Dover"}},
        {"clover", true, "", 0, SearchOutcome::KeyNotFound, V{}},
        {"over", false, "judy", 0, SearchOutcome::Found, V{"Over the rainbow", "Clover, Dover"}},
        {"over", true, "ben", 0, SearchOutcome::Found, V{"Bend it over"}},
        {"over", false, "zoe", 0, SearchOutcome::FilterNotFound, V{}},
        {"ove", false, "", 2, SearchOutcome::Found, V{}},
        {"e", false, "", 2, SearchOutcome::Found, V{}},
    };
    for (const Case& c : cases) {
        tracks().SetOrder(c.order);
        tracks().Go(3);
        const WordSearch search{"TITEL", "ARTIEST", MemoPattern(c.text, c.exact),
                                *c.second ? MemoPattern(c.second, c.exact) : ""};
        const SearchResult result = RunWordSearch(catalogue().dm1.ArtTable, search);
        const std::string what = std::string(c.text) + "/" + c.second;
        EXPECT_EQ(result.outcome, c.outcome) << what;
        EXPECT_EQ(Titles(result.rows), c.titles.empty() && result.outcome == SearchOutcome::Found
                                           ? Titles({}, c.text)
                                           : c.titles)
            << what;
        EXPECT_EQ(tracks().RecNo(), 3u) << what;
    }
    // A cancelled scan hands back nothing.
    const SearchResult cancelled =
        RunWordSearch(catalogue().dm1.ArtTable, {"TITEL", "ARTIEST", "ove", ""},
                      [](uint64_t, uint64_t) { return false; });
    EXPECT_EQ(cancelled.outcome, SearchOutcome::Cancelled);
    EXPECT_TRUE(cancelled.rows.empty());
}

}  // namespace
