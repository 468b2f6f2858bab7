// The catalogue's answer to a disc: the source with its CD ID, else the sources whose stored
// track times fit the disc's.
#include "store/disc_match.h"

#include "store/catalogue_fixture.h"

namespace {

// A disc whose tracks last the given seconds, one after the other from the lead-in's end.
discinfo::DiscQuery Disc(const std::vector<int>& seconds, std::string cdId = "") {
    discinfo::DiscQuery q;
    q.cdId = std::move(cdId);
    int at = 150;
    for (int s : seconds) {
        q.offsets.push_back(at);
        at += s * 75 + 10;  // some frames over the whole second
    }
    q.leadOut = at;
    return q;
}

class DiscMatchTest : public BuiltCatalogueTest {
protected:
    // A main title and its tracks ("minutes:seconds" as stored, "" blank), numbered from 1.
    void AddSource(const std::string& carrier, int number, const std::vector<std::string>& times,
                   const std::string& cdId = "", const std::string& title = "") {
        const std::string n = std::to_string(number);
        Add(catalogue_->dm2.HfTable, {{"DRAGER", carrier},
                                      {"CDNUMMER", n},
                                      {"HTITEL", title.empty() ? "Title " + n : title},
                                      {"HOOFDART", "Artist " + n},
                                      {"LABEL", "Label"},
                                      {"RMNR", cdId}});
        for (size_t i = 0; i < times.size(); ++i) {
            const size_t colon = times[i].find(':');
            Add(catalogue_->dm1.ArtTable,
                {{"DRAGER", carrier},
                 {"CDNUMMER", n},
                 {"TRACK", std::to_string(i + 1)},
                 {"TITEL", "Song " + std::to_string(i + 1)},
                 {"ARTIEST", "Singer"},
                 {"JAAR", "1999"},
                 {"MINUTEN", colon == std::string::npos ? "" : times[i].substr(0, colon)},
                 {"SECONDEN", colon == std::string::npos ? "" : times[i].substr(colon + 1)}});
        }
    }

    std::vector<std::string> Found(const discinfo::DiscQuery& query) {
        std::vector<std::string> refs;
        for (const discinfo::DiscCandidate& c : FindDiscInCatalogue(*catalogue_, query))
            refs.push_back(c.reference + (c.byIdentity ? " (CD ID)" : ""));
        return refs;
    }
};

TEST_F(DiscMatchTest, TheCdIdFindsItsSourceWithEverythingStored) {
    AddSource("CD", 12, {"03:45", "", "10:00"}, "4512345", "Nuits d'\xe9t\xe9");
    AddSource("CD", 13, {"03:45", "04:00", "10:00"}, "45123456");
    const std::vector<discinfo::DiscCandidate> found =
        FindDiscInCatalogue(*catalogue_, Disc({1, 1}, "4512345"));
    ASSERT_EQ(found.size(), 1u);
    const discinfo::DiscCandidate& c = found[0];
    EXPECT_TRUE(c.origin == discinfo::Origin::Catalogue && c.byIdentity);
    EXPECT_EQ(c.reference + " | " + c.carrier + " " + std::to_string(c.number), "CD 12 | CD 12");
    EXPECT_EQ(c.title + " | " + c.artist + " | " + c.label + " | " + c.year,
              "Nuits d'été | Artist 12 | Label | 1999");
    ASSERT_EQ(c.tracks.size(), 3u);
    EXPECT_EQ(c.tracks[0].title + " | " + c.tracks[0].artist, "Song 1 | Singer");
    EXPECT_EQ(c.tracks[0].seconds, 225);
    EXPECT_EQ(c.tracks[1].seconds, -1);
    EXPECT_EQ(c.tracks[2].seconds, 600);
}

TEST_F(DiscMatchTest, TrackTimesWithinTwoSecondsFindTheSource) {
    const struct {
        std::vector<std::string> times;
        bool found;
    } cases[] = {
        {{"03:45", "01:02", "05:01", "03:20"}, true},
        {{"03:47", "01:00", "04:59", "03:22"}, true},  // each two seconds off
        {{"03:45", "01:02", "05:04", "03:20"}, false},
        {{"03:45", "00:59", "05:01", "03:20"}, false},
        {{"03:45", "01:02", "05:01", "03:20", "02:00"}, false},
        {{"03:45", "01:02", "05:01"}, false},
        {{"3:45", "1:2", "5:1", "3:20"}, true},  // written elsewhere, one digit
        {{"03:45", "01:02", "05:01", ""}, false},
        {{"01:02", "03:45", "05:01", "03:20"}, false},
    };
    int number = 0;
    for (const auto& c : cases)
        AddSource("CD", ++number, c.times);
    // A source without main title is found by its tracks all the same.
    catalogue_->dm2.HfAccess.SetOrder(0);
    catalogue_->dm2.HfAccess.Go(7);
    catalogue_->dm2.HfAccess.Delete();
    // The screens share the tables: a look-up leaves their order and record as they were.
    TTableAccess& tracks = catalogue_->dm1.ArtAccess;
    tracks.SetOrder(1);
    tracks.Go(3);
    int notified = 0;
    catalogue_->dm1.ArtTable.AddObserver([&] { ++notified; });

    // The exact fits first, then the others in the order of their keys.
    const discinfo::DiscQuery disc = Disc({225, 62, 301, 200});
    EXPECT_EQ(Found(disc), (std::vector<std::string>{"CD 1", "CD 7", "CD 2"}));
    EXPECT_EQ(FindDiscInCatalogue(*catalogue_, disc)[1].title, "");
    // An unknown CD ID falls back to the times; a disc without tracks finds nothing.
    EXPECT_EQ(Found(Disc({225, 62, 301, 200}, "99")).size(), 3u);
    EXPECT_TRUE(Found(Disc({})).empty());
    EXPECT_EQ(tracks.IndexOrd(), 1);
    EXPECT_EQ(tracks.RecNo(), 3u);
    EXPECT_EQ(notified, 0);
}

}  // namespace
