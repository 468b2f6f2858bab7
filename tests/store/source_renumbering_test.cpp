#include "store/source_renumbering.h"

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

    static std::string Keys(Catalogue& c) {
        return CatalogueTest::Keys({&c.dm2.HfAccess, &c.dm1.ArtAccess, &c.dm3.UitleenAccess});
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
    WithSources({3, 5, 9}).reset();
    const int status = InChild([&] {
        Catalogue mine(folder());
        mine.OpenIndexes();
        int placed = 0;
        RunRenumber(mine, PlanRenumber(mine, "CD", 1, false), [&](const SourceMove&) {
            if (++placed == 2)
                raise(SIGKILL);  // the first source's tracks are written, the second's not
        });
    });
    ASSERT_TRUE(WIFSIGNALED(status));
    Catalogue reopened(folder());
    reopened.OpenIndexes();
    EXPECT_EQ(Keys(reopened), "CD3 CD5 CD9 LP2 | CD1 CD1 CD5 CD5 CD9 CD9 CD12 | CD5 | ");
    const RecoveryOutcome finished = FinishRenumber(reopened);
    EXPECT_EQ(finished.kind, RecoveryOutcome::Kind::Finished);
    EXPECT_EQ(finished.message,
              "The renumber of carrier CD was cut short. It has been finished: 3 source(s) have "
              "their new numbers (8 record(s) were changed now).");
    EXPECT_FALSE(FinishRenumber(reopened).acted());
    EXPECT_EQ(Keys(reopened), "CD1 CD2 CD3 LP2 | CD1 CD1 CD2 CD2 CD3 CD3 CD12 | CD2 | ");
    reopened.dm1.ArtAccess.SetOrder(8);  // the index follows the table
    EXPECT_EQ(CollectSourceRecords(reopened.dm1.ArtAccess, SourceSeekKey("CD", int64_t{3})).size(),
              2u);
}

// A journal is used only when every record it names holds its old or its new key; any other is
// refused once, changing nothing, and kept under another name.
TEST_F(SourceRenumberingTest, RefusesAJournalThatDoesNotFitTheTables) {
    struct Case {
        const char* journal;
        const char* said;  // nullptr: finished
    };
    const Case cases[] = {
        {"C CD\nA 3 7 1\nH 2 7 1\nEND\n", "record 3 of the tracks holds CD 5, not CD 7 or 1"},
        {"C LP\nH 1 3 1\nEND\n", "record 1 of the main titles holds CD 3, not LP 3 or 1"},
        {"C CD\nA 99 3 1\nEND\n", "record 99 of the tracks does not exist"},
        {"C CD\nA 5 9 -5\nEND\n", "line 3 (\"A 5 9 -5\") cannot be read"},
        {"A 5 9 1\nEND\n", "line 2 (\"A 5 9 1\") cannot be read"},
        {"C CD\nA 5 9 1\n", "it ends before its last line"},
        {"\x01RENUMBER", "it is not a renumber journal of this program"},
        // Without old numbers, a record proves nothing unless it already holds its new one.
        {"1\nC CD\nA 5 -5\nEND\n", "line 3 (\"A 5 -5\") cannot be read"},
        {"1\nC CD\nA 5 1\nH 3 1\nEND\n",
         "earlier version of the program, which did not note "
         "the old numbers, and record 5 of the tracks holds "
         "CD 9, not its new number 1"},
        {"1\nC CD\nA 5 9\nH 3 9\nEND\n", nullptr},
        {"C CD\nA 5 9 9\nEND\n", nullptr},
    };
    auto catalogue = WithSources({3, 5, 9});
    const std::string before = Keys(*catalogue);
    for (const Case& c : cases) {
        const std::string text = c.journal;
        WriteFile(File("renumber.journal"),
                  text.starts_with("1\n")    ? "TUNELO RENUMBER 1\n" + text.substr(2)
                  : text.starts_with("\x01") ? text.substr(1)
                                             : "TUNELO RENUMBER 2\n" + text);
        const RecoveryOutcome outcome = FinishRenumber(*catalogue);
        EXPECT_EQ(outcome.kind,
                  c.said ? RecoveryOutcome::Kind::Refused : RecoveryOutcome::Kind::Finished)
            << c.journal;
        EXPECT_NE(outcome.message.find(c.said ? c.said : "0 record(s) were changed now"),
                  std::string::npos)
            << outcome.message;
        EXPECT_EQ(Keys(*catalogue), before) << c.journal;
        EXPECT_FALSE(Exists("renumber.journal")) << c.journal;
        EXPECT_EQ(std::filesystem::remove(File("renumber.journal.refused")), c.said != nullptr);
        EXPECT_FALSE(FinishRenumber(*catalogue).acted());
    }
}

}  // namespace
