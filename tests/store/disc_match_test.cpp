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
    EXPECT_EQ(c.origin, discinfo::Origin::Catalogue);
    EXPECT_TRUE(c.byIdentity);
    EXPECT_EQ(c.reference, "CD 12");
    EXPECT_EQ(c.carrier, "CD");
    EXPECT_EQ(c.number, 12);
    EXPECT_EQ(c.title, "Nuits d'été");
    EXPECT_EQ(c.artist, "Artist 12");
    EXPECT_EQ(c.label, "Label");
    EXPECT_EQ(c.year, "1999");
    ASSERT_EQ(c.tracks.size(), 3u);
    EXPECT_EQ(c.tracks[0].title, "Song 1");
    EXPECT_EQ(c.tracks[0].artist, "Singer");
    EXPECT_EQ(c.tracks[0].seconds, 225);
    EXPECT_EQ(c.tracks[1].seconds, -1);
    EXPECT_EQ(c.tracks[2].seconds, 600);
}

TEST_F(DiscMatchTest, TracksTimesWithinTwoSecondsFindTheSource) {
    const std::vector<int> disc = {225, 62, 301, 200};
    const struct {
        const char* what;
        std::vector<std::string> times;
        bool found;
    } cases[] = {
        {"the same times", {"03:45", "01:02", "05:01", "03:20"}, true},
        {"each two seconds off", {"03:47", "01:00", "04:59", "03:22"}, true},
        {"one track three seconds off", {"03:45", "01:02", "05:04", "03:20"}, false},
        {"the short track three seconds off", {"03:45", "00:59", "05:01", "03:20"}, false},
        {"a track more", {"03:45", "01:02", "05:01", "03:20", "02:00"}, false},
        {"a track fewer", {"03:45", "01:02", "05:01"}, false},
        {"old one-digit times", {"3:45", "1:2", "5:1", "3:20"}, true},
        {"a blank time", {"03:45", "01:02", "05:01", ""}, false},
        {"the tracks in another order", {"01:02", "03:45", "05:01", "03:20"}, false},
    };
    int number = 0;
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        AddSource("CD", ++number, c.times);
        if (c.found)
            expected.push_back("CD " + std::to_string(number));
    }
    // The exact fit first, then the others in the order of their keys.
    EXPECT_EQ(Found(Disc(disc)), (std::vector<std::string>{"CD 1", "CD 7", "CD 2"}));
    EXPECT_EQ(Found(Disc(disc)).size(), expected.size());
    // An unknown CD ID falls back to the times; a disc without tracks finds nothing.
    EXPECT_EQ(Found(Disc(disc, "99")).size(), expected.size());
    EXPECT_TRUE(Found(Disc({})).empty());
}

TEST_F(DiscMatchTest, ASourceWithoutMainTitleIsFoundByItsTracks) {
    AddSource("CD", 1, {"02:00", "02:30"});
    catalogue_->dm2.HfAccess.GoTop();
    catalogue_->dm2.HfAccess.Delete();
    const std::vector<discinfo::DiscCandidate> found =
        FindDiscInCatalogue(*catalogue_, Disc({120, 150}));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].reference, "CD 1");
    EXPECT_EQ(found[0].title, "");
    EXPECT_EQ(found[0].tracks.size(), 2u);
}

// The screens share the tables: a look-up leaves their order and record as they were.
TEST_F(DiscMatchTest, TheTablesStayWhereTheScreensLeftThem) {
    AddSource("CD", 1, {"02:00", "02:30"}, "777");
    AddSource("CD", 2, {"02:00", "02:30"});
    TTableAccess& tracks = catalogue_->dm1.ArtAccess;
    TTableAccess& titles = catalogue_->dm2.HfAccess;
    tracks.SetOrder(1);
    tracks.Go(3);
    titles.SetOrder(3);
    titles.Go(2);
    int notified = 0;
    catalogue_->dm1.ArtTable.AddObserver([&] { ++notified; });
    EXPECT_EQ(Found(Disc({120, 150}, "777")), std::vector<std::string>{"CD 1 (CD ID)"});
    EXPECT_EQ(Found(Disc({120, 150})), (std::vector<std::string>{"CD 1", "CD 2"}));
    EXPECT_EQ(tracks.IndexOrd(), 1);
    EXPECT_EQ(tracks.RecNo(), 3u);
    EXPECT_EQ(titles.IndexOrd(), 3);
    EXPECT_EQ(titles.RecNo(), 2u);
    EXPECT_EQ(notified, 0);
}

}  // namespace
