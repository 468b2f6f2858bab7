#include "store/source_renumbering.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "base/text.h"
#include "store/catalogue_fixture.h"
#include "store/record_edit.h"
#include "store/source_key.h"

namespace {

class SourceRenumberingTest : public CatalogueTest {
protected:
    // Sources of carrier CD (and one LP 2) with a main title and two tracks each, a track of CD 12
    // without a main title, a loan of CD 5.
    std::unique_ptr<Catalogue> WithSources(std::initializer_list<int> numbers) {
        auto catalogue = OpenBuilt();
        for (int number : numbers) {
            const std::string n = std::to_string(number);
            Add(catalogue->dm2.HfTable, {{"DRAGER", "CD"}, {"CDNUMMER", n}, {"HTITEL", "T" + n}});
            for (const char* track : {"1", "2"})
                Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"}, {"CDNUMMER", n}, {"TRACK", track}});
        }
        Add(catalogue->dm2.HfTable, {{"DRAGER", "LP"}, {"CDNUMMER", "2"}, {"HTITEL", "LP2"}});
        Add(catalogue->dm1.ArtTable, {{"DRAGER", "CD"}, {"CDNUMMER", "12"}});  // no main title
        Add(catalogue->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", "5"}});
        return catalogue;
    }

    // The keys of the main titles, the tracks and the loans, each table in record order.
    static std::string Keys(Catalogue& catalogue) {
        std::string out;
        for (TTableAccess* access :
             {&catalogue.dm2.HfAccess, &catalogue.dm1.ArtAccess, &catalogue.dm3.UitleenAccess}) {
            access->SetOrder(0);
            for (access->GoTop(); !access->Eof(); access->Skip())
                out += TrimRight(access->GetString("DRAGER")) +
                       std::to_string(access->GetInteger("CDNUMMER")) + " ";
            out += "| ";
        }
        return out;
    }
};

// Runs one after another on the same catalogue, each checked against the keys it leaves.
TEST_F(SourceRenumberingTest, PlansRunsAndRefusesACollision) {
    struct Case {
        const char* carrier;
        int start;
        bool moveUp;
        const char* refusal;
        const char* keys;
    };
    const Case cases[] = {
        {"CD", 10, false, "Source CD 12 already exist. Canceling changes.",
         "CD3 CD5 CD9 LP2 | CD3 CD3 CD5 CD5 CD9 CD9 CD12 | CD5 | "},
        {"cd", 1, false, "", "CD1 CD2 CD3 LP2 | CD1 CD1 CD2 CD2 CD3 CD3 CD12 | CD2 | "},
        {"CD", 2, true, "", "CD1 CD3 CD4 LP2 | CD1 CD1 CD3 CD3 CD4 CD4 CD12 | CD3 | "},
        {"LP", 1, false, "", "CD1 CD3 CD4 LP1 | CD1 CD1 CD3 CD3 CD4 CD4 CD12 | CD3 | "},
    };
    auto catalogue = WithSources({3, 5, 9});
    for (const Case& c : cases) {
        const RenumberPlan plan = PlanRenumber(*catalogue, c.carrier, c.start, c.moveUp);
        EXPECT_EQ(plan.refusal, c.refusal) << c.carrier << c.start;
        EXPECT_TRUE(!plan.refusal.empty() || RunRenumber(*catalogue, plan, nullptr));
        EXPECT_EQ(Keys(*catalogue), c.keys) << c.carrier << c.start;
    }
}

// A run killed part way leaves every record old or new; the next start finishes it.
TEST_F(SourceRenumberingTest, AKilledRunIsFinishedAtTheNextStart) {
    auto catalogue = WithSources({3, 5, 9});
    const std::string before = Keys(*catalogue);
    catalogue.reset();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        Catalogue mine(folder());
        mine.OpenIndexes();
        int placed = 0;
        RunRenumber(mine, PlanRenumber(mine, "CD", 1, false), [&](const SourceMove&) {
            if (++placed == 2)
                raise(SIGKILL);  // the first source's tracks are written, the second's not
        });
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    Catalogue reopened(folder());
    reopened.OpenIndexes();
    const std::string cut = Keys(reopened);
    EXPECT_NE(cut, before);
    EXPECT_EQ(cut, "CD3 CD5 CD9 LP2 | CD1 CD1 CD5 CD5 CD9 CD9 CD12 | CD5 | ");
    EXPECT_TRUE(FinishRenumber(reopened));
    EXPECT_FALSE(FinishRenumber(reopened));
    EXPECT_EQ(Keys(reopened), "CD1 CD2 CD3 LP2 | CD1 CD1 CD2 CD2 CD3 CD3 CD12 | CD2 | ");
    reopened.dm1.ArtAccess.SetOrder(8);  // the index follows the table
    EXPECT_EQ(CollectSourceRecords(reopened.dm1.ArtAccess, SourceSeekKey("CD", int64_t{3})).size(),
              2u);
}

}  // namespace
