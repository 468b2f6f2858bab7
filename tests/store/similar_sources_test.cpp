// The sources found by main title and main artist as a person reads them, and what the entry
// screen says of them. The folding itself: similar_spelling_test.
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
    std::string Found(SimilarSources& sources, const char* title, const char* artist,
                      uint32_t except = 0) {
        std::string out;
        for (const SimilarSources::Source& s : sources.Find(title, artist, except))
            out += (out.empty() ? "" : " ") + std::to_string(s.recno);
        return out;
    }
};

TEST_F(SimilarSourcesTest, FindsTheOtherSourcesWhoseTitleAndArtistReadAlike) {
    AddTitle("CD", 12, "The Dark Side", "Pink Floyd");  // 1
    AddTitle("lp", 3, "Dark  Side!", "PINK FLOYD");     // 2
    AddTitle("CD", 13, "Dark Side", "Floyd");           // 3
    AddTitle("CD", 14, "Dark Side", "Pink Floyd");      // 4, deleted below
    AddTitle("CD", 16, "Solo", "");                     // 5
    catalogue_->dm2.HfAccess.Go(4);
    catalogue_->dm2.HfAccess.Delete();
    SimilarSources sources(catalogue_->dm2.HfTable);

    const struct {
        const char* title;
        const char* artist;
        uint32_t except;  // the source being entered
        const char* recnos;
    } cases[] = {
        {"dark side", "Pink Floyd", 0, "1 2"},
        {"Dark Side", "Pink Floyd", 1, "2"},
        {"Dark Side", "Floyd", 0, "3"},
        {"Dark", "Pink Floyd", 0, ""},
        {"Dark Side", "", 0, ""},
        {"solo", "", 0, "5"},
        {"...", "Pink Floyd", 0, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Found(sources, c.title, c.artist, c.except), c.recnos) << c.title;
    EXPECT_EQ(AlreadyInCatalogueText(sources.Find("solo", "", 0)),
              "Already in the catalogue: CD 16 \"Solo\"");
}

TEST_F(SimilarSourcesTest, TitlesWrittenSinceAreFoundAsTheyStandNow) {
    AddTitle("CD", 1, "Blue", "Joni Mitchell");
    SimilarSources sources(catalogue_->dm2.HfTable);
    AddTitle("CD", 2, "Court and Spark", "Joni Mitchell");
    EXPECT_EQ(Found(sources, "Court and Spark", "Joni Mitchell"), "");
    for (int twice = 0; twice < 2; ++twice)
        sources.Add(2, "Court and Spark", "Joni Mitchell");
    EXPECT_EQ(Found(sources, "court & spark", "joni mitchell"), "2");

    // Changed elsewhere after the read: no longer named under its old text.
    catalogue_->dm2.HfAccess.Go(1);
    catalogue_->dm2.HfTable.Edit();
    catalogue_->dm2.HfTable.SetFieldAsString("HTITEL", "Hejira");
    catalogue_->dm2.HfTable.Post();
    EXPECT_EQ(Found(sources, "Blue", "Joni Mitchell"), "");
}

}  // namespace
