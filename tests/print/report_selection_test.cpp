// Finding a print selection's records: a prefix with the carrier filter, a number range.
#include "print/report_selection.h"
#include "entry/editors_fixture.h"

namespace {

class ReportSelectionTest : public EditorsTest {
protected:
    ReportSelectionTest() {
        const struct {
            const char *carrier, *artist, *minutes, *seconds;
            int number;
        } tracks[] = {{"CD", "Beatles", "03", "45", 1},
                      {"LP", "beatles", "03", "00", 2},
                      {"CD", "BEATLES", "04", "10", 3},
                      {"CD", "Beat Farmers", "03", "05", 4},
                      {"cdr", "Bee Gees", "13", "00", 5}};
        for (const auto& t : tracks) {
            Add(catalogue->dm1.ArtTable, {{"DRAGER", t.carrier},
                                          {"CDNUMMER", std::to_string(t.number)},
                                          {"ARTIEST", t.artist},
                                          {"MINUTEN", t.minutes},
                                          {"SECONDEN", t.seconds}});
        }
        for (int number : {2, 3, 7, 9})
            AddSource("CD", number);
        AddSource("CDR", 4);
    }
};

TEST_F(ReportSelectionTest, APrefixCountsItsRunInAnyCaseWithTheCarrierFilter) {
    const struct {
        int order;
        std::vector<std::string> fields;
        std::string text;
        const char* carrier;
        bool found;
        uint64_t count;
        const char* first;  // artist of the first record counted
    } cases[] = {
        {1, {"ARTIEST"}, "beatl", "", true, 3, "Beatles"},
        {1, {"ARTIEST"}, "beat", "lp", true, 1, "beatles"},
        {1, {"ARTIEST"}, "beat", "MC", true, 0, ""},
        {1, {"ARTIEST"}, "bex", "", false, 0, ""},
        {1, {"ARTIEST"}, "", "cd", true, 3, "Beat Farmers"},
        {6, {"MINUTEN", "SECONDEN"}, TrackTimeText(3, 0), "", true, 3, "beatles"},
        {6, {"MINUTEN", "SECONDEN"}, TrackTimeText(3, 45), "", true, 1, "Beatles"},
        {6, {"MINUTEN", "SECONDEN"}, TrackTimeText(13, 0), "CDR", true, 1, "Bee Gees"},
    };
    TTableAccess& tracks = catalogue->dm1.ArtAccess;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text + "/" + c.carrier);
        const ReportSelection s = SelectByPrefix(tracks, {c.order, c.fields, c.text, c.carrier});
        EXPECT_EQ(s.found, c.found);
        EXPECT_EQ(s.count, c.count);
        EXPECT_EQ(s.first == 0 ? "" : Field(tracks, s.first, "ARTIEST"), c.first);
    }
    EXPECT_EQ(TrackTimeText(3, 45), "03 45");
    EXPECT_EQ(TrackTimeText(125, 0), "125");
    EXPECT_EQ(TrackTimeText(125, 30), "12530");
}

TEST_F(ReportSelectionTest, ANumberRangeCountsTheCarriersSourcesWithinIt) {
    const struct {
        const char* carrier;
        int low, high;
        uint64_t count;
        int first;
    } cases[] = {{"cd", 3, 3, 1, 3},   {"CD", 4, 9, 2, 7},          {"CD", 1, 2, 1, 2},
                 {"CD", 10, 20, 0, 0}, {"CDR", 1, 999999999, 1, 4}, {"MC", 1, 9, 0, 0}};
    TTableAccess& titles = catalogue->dm2.HfAccess;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.carrier) + " " + std::to_string(c.low));
        const ReportSelection s = SelectNumberRange(titles, c.carrier, c.low, c.high);
        EXPECT_EQ(s.count, c.count);
        EXPECT_EQ(s.first == 0 ? "" : Field(titles, s.first, "CDNUMMER"),
                  c.first == 0 ? "" : std::to_string(c.first));
    }
}

}  // namespace
