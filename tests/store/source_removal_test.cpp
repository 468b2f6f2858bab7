#include "store/source_removal.h"

#include "base/ini.h"
#include "store/catalogue_fixture.h"
#include "store/source_key.h"

namespace {

class SourceRemovalTest : public CatalogueTest {
protected:
    // CD 7, CD 8 and LP 7 with a main title, two tracks, a loan and a playlist entry each; CD 9
    // with two main titles; a track of CD 5, whose main title is gone.
    std::unique_ptr<Catalogue> WithSources() {
        auto catalogue = OpenBuilt();
        for (const auto& [carrier, number] :
             {std::pair{"CD", "7"}, {"CD", "8"}, {"LP", "7"}, {"CD", "9"}}) {
            const std::map<std::string, std::string> key{{"DRAGER", carrier}, {"CDNUMMER", number}};
            Add(catalogue->dm2.HfTable, key);
            Add(catalogue->dm1.ArtTable, key);
            Add(catalogue->dm1.ArtTable, key);
            Add(catalogue->dm3.UitleenTable, key);
            Add(catalogue->dm3.PlaylistTable, key);
        }
        Add(catalogue->dm2.HfTable, {{"DRAGER", "CD"}, {"CDNUMMER", "9"}});
        Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"}, {"CDNUMMER", "5"}});
        catalogue->dm1.ArtAccess.Go(1);
        catalogue->dm1.ArtAccess.Delete();  // a removal of CD 7 cut short after its first track
        return catalogue;
    }

    static std::string Keys(Catalogue& c) {
        return CatalogueTest::Keys(
            {&c.dm2.HfAccess, &c.dm1.ArtAccess, &c.dm3.UitleenAccess, &c.dm3.PlaylistAccess});
    }
};

// The note is trusted only as the whole key of one source; anything else removes nothing, is
// refused once and kept under another name.
TEST_F(SourceRemovalTest, FinishesOnlyANoteThatNamesOneSource) {
    const std::string untouched =
        "CD7 CD8 LP7 CD9 CD9 | CD7 CD8 CD8 LP7 LP7 CD9 CD9 CD5 | "
        "CD7 CD8 LP7 CD9 | CD7 CD8 LP7 CD9 | ";
    struct Case {
        std::string note;
        RecoveryOutcome::Kind kind;
        const char* said;  // a part of the message
        std::string keys;
        const char* refusedNote;
    };
    using Kind = RecoveryOutcome::Kind;
    const Case cases[] = {
        {SourceSeekKey("CD", int64_t{7}), Kind::Finished, "source CD 7 was cut short",
         "CD8 LP7 CD9 CD9 | CD8 CD8 LP7 LP7 CD9 CD9 CD5 | CD8 LP7 CD9 | CD8 LP7 CD9 | ", "FOUT"},
        {"CD", Kind::Refused, "is not the key of a source", untouched, "CD"},
        {"CD        x", Kind::Refused, "is not the key of a source", untouched, "CD        x"},
        {SourceSeekKey("CD", int64_t{9}), Kind::Refused, "is carried by 2 main titles", untouched,
         "CD                 9"},
        // Gone but for the clearing of the note: the stray track of CD 5 stays.
        {SourceSeekKey("CD", int64_t{5}), Kind::Finished, "nothing more was removed", untouched,
         "FOUT"},
        {"", Kind::None, "", untouched, "FOUT"},
    };
    for (const Case& c : cases) {
        auto catalogue = WithSources();
        ASSERT_TRUE(IniWriteString("Diversen", "VerwijderBron", c.note));
        ASSERT_TRUE(IniWriteString("Diversen", "VerwijderBronGeweigerd", "FOUT"));
        const RecoveryOutcome outcome = FinishSourceRemoval(*catalogue);
        EXPECT_EQ(outcome.kind, c.kind) << c.note;
        EXPECT_NE(outcome.message.find(c.said), std::string::npos) << outcome.message;
        EXPECT_EQ(Keys(*catalogue), c.keys) << c.note;
        EXPECT_EQ(IniReadString("Diversen", "VerwijderBronGeweigerd"), c.refusedNote) << c.note;
        EXPECT_FALSE(FinishSourceRemoval(*catalogue).acted()) << c.note;  // said once
        catalogue.reset();
        std::filesystem::remove_all(folder());
        std::filesystem::create_directories(folder());
        ASSERT_TRUE(CreateCatalogueTables(folder()).ok());
    }
}

}  // namespace
