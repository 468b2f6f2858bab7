// The sources found by main title and main artist as a person reads them, and what the entry
// screen says of them.
#include "store/similar_sources.h"

#include "store/catalogue_fixture.h"

namespace {

class SimilarSourcesTest : public BuiltCatalogueTest {
protected:
    void AddTitle(const char* carrier, int number, const char* title, const char* artist) {
        Add(catalogue_->dm2.HfTable, {{"DRAGER", carrier},
                                      {"CDNUMMER", std::to_string(number)},
                                      {"HTITEL", title},
                                      {"HOOFDART", artist}});
    }
    // The record numbers found, joined by blanks.
    static std::string Recnos(const std::vector<SimilarSources::Source>& found) {
        std::string out;
        for (const SimilarSources::Source& s : found)
            out += (out.empty() ? "" : " ") + std::to_string(s.recno);
        return out;
    }
};

TEST_F(SimilarSourcesTest, FindsTheOtherSourcesWhoseTitleAndArtistReadAlike) {
    AddTitle("CD", 12, "The Dark Side", "Pink Floyd");  // 1
    AddTitle("lp", 3, "Dark  Side!", "PINK FLOYD");     // 2
    AddTitle("CD", 13, "Dark Side", "Floyd");           // 3
    AddTitle("CD", 14, "Dark Side", "Pink Floyd");      // 4, deleted below
    AddTitle("CD", 15, "Rock & Roll", "Mot\xF6rhead");  // 5, table bytes
    AddTitle("CD", 16, "Solo", "");                     // 6
    catalogue_->dm2.HfAccess.Go(4);
    catalogue_->dm2.HfAccess.Delete();
    SimilarSources sources(catalogue_->dm2.HfTable);
    EXPECT_EQ(sources.size(), 5u);

    const struct {
        const char* title;
        const char* artist;
        uint32_t except;
        const char* recnos;
    } cases[] = {
        {"dark side", "Pink Floyd", 0, "1 2"},
        {"DARK SIDE", "The Pink Floyd", 0, "1 2"},
        {"Dark Side", "Pink Floyd", 1, "2"},  // the source being entered is left out
        {"Dark Side", "Floyd", 0, "3"},
        {"Rock and Roll", "motorhead", 0, "5"},
        {"Dark", "Pink Floyd", 0, ""},
        {"Dark Side", "", 0, ""},
        {"solo", "", 0, "6"},
        {"...", "Pink Floyd", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Recnos(sources.Find(c.title, c.artist, c.except)), c.recnos) << c.title;

    EXPECT_EQ(AlreadyInCatalogueText(sources.Find("dark side", "pink floyd", 0)),
              "Already in the catalogue: CD 12 \"The Dark Side\" by Pink Floyd and 1 more");
    EXPECT_EQ(AlreadyInCatalogueText(sources.Find("solo", "", 0)),
              "Already in the catalogue: CD 16 \"Solo\"");
    EXPECT_EQ(AlreadyInCatalogueText({}), "");
}

TEST_F(SimilarSourcesTest, TitlesWrittenSinceAreFoundAsTheyStandNow) {
    AddTitle("CD", 1, "Blue", "Joni Mitchell");
    SimilarSources sources(catalogue_->dm2.HfTable);
    AddTitle("CD", 2, "Court and Spark", "Joni Mitchell");
    EXPECT_EQ(Recnos(sources.Find("Court and Spark", "Joni Mitchell", 0)), "");
    sources.Add(2, "Court and Spark", "Joni Mitchell");
    sources.Add(2, "Court and Spark", "Joni Mitchell");
    EXPECT_EQ(Recnos(sources.Find("court & spark", "joni mitchell", 0)), "2");

    // Changed elsewhere after the read: no longer named under its old text.
    catalogue_->dm2.HfAccess.Go(1);
    catalogue_->dm2.HfTable.Edit();
    catalogue_->dm2.HfTable.SetFieldAsString("HTITEL", "Hejira");
    catalogue_->dm2.HfTable.Post();
    EXPECT_EQ(Recnos(sources.Find("Blue", "Joni Mitchell", 0)), "");
}

}  // namespace
