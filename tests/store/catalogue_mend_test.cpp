// Mending the check's findings: each mending, all-or-nothing writes, taking back after a crash.
#include "store/catalogue_mend.h"

#include <algorithm>
#include <csignal>

#include "store/catalogue_fixture.h"
#include "store/pending_work.h"
#include "store/record_edit.h"

namespace {

using MendRow = std::map<std::string, std::string>;

class CatalogueMendTest : public BuiltCatalogueTest {
protected:
    void SetUp() override {
        BuiltCatalogueTest::SetUp();
        // CD 1 is sound; LP 1 has track 3 twice on side A and starts side B at 2; MC 1 has a
        // track without artist; a loan and a playlist entry point at nothing; "Rock" is unused.
        for (const char* carrier : {"CD", "LP", "MC"})
            Add(catalogue_->dm2.HfTable,
                {{"DRAGER", carrier}, {"CDNUMMER", "1"}, {"HOOFDART", "Solo"}});
        for (const auto& [carrier, side, track, artist] :
             std::vector<std::tuple<const char*, const char*, const char*, const char*>>{
                 {"CD", "", "1", "Band"},
                 {"LP", "A", "1", "Band"},
                 {"LP", "A", "3", "Band"},
                 {"LP", "A", "3", "Band"},
                 {"LP", "B", "2", "Band"},
                 {"MC", "", "1", ""}})
            Add(catalogue_->dm1.ArtTable, {{"DRAGER", carrier},
                                           {"CDNUMMER", "1"},
                                           {"AKANT", side},
                                           {"TRACK", track},
                                           {"TITEL", "Song"},
                                           {"ARTIEST", artist},
                                           {"MINUTEN", "3"}});
        for (const MendRow& entry :
             {MendRow{{"AKANT", "A"}, {"TRACK", "3"}}, MendRow{{"AKANT", "B"}, {"TRACK", "2"}},
              MendRow{{"DRAGER", "CD"}, {"TRACK", "4"}}}) {
            MendRow row = {{"DRAGER", "LP"}, {"CDNUMMER", "1"}};
            for (const auto& [field, value] : entry)
                row[field] = value;
            Add(catalogue_->dm3.PlaylistTable, row);
        }
        Add(catalogue_->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", "9"}, {"AANWIE", "Bob"}});
        catalogue_->dm3.WriteItems("Rock", 'G');
    }

    // The check's report of the kinds of `kind` (or of all the others), as text.
    std::string Report(MendKind kind, bool others = false) {
        const std::vector<CheckKind> kinds = MendFindingKinds(kind);
        std::set<CheckKind> off;
        for (const CheckKind k : kAllCheckKinds) {
            if ((std::ranges::find(kinds, k) != kinds.end()) == others)
                off.insert(k);
        }
        return CheckReportText(CheckCatalogue(*catalogue_, off));
    }

    MendPlan Plan(MendKind kind) {
        std::vector<CheckFinding> findings;
        for (const CheckGroup& group : CheckCatalogue(*catalogue_).groups)
            findings.insert(findings.end(), group.findings.begin(), group.findings.end());
        return PlanMend(*catalogue_, kind, findings);
    }

    static std::string Preview(const MendPlan& plan) {
        std::string text;
        for (const MendChange& c : plan.changes)
            text += CheckTableFile(c.table) + " " + std::to_string(c.recno) + " " +
                    (c.removed() ? "removed" : c.field + " '" + c.now + "' > '" + c.next + "'") +
                    "\n";
        for (const std::string& left : plan.left)
            text += "left: " + left + "\n";
        return text;
    }

    void ExpectIndexesSound() {
        for (TTable* table : {&catalogue_->dm1.ArtTable, &catalogue_->dm3.PlaylistTable,
                              &catalogue_->dm3.UitleenTable, &catalogue_->dm3.ItemsTable}) {
            std::vector<std::string> report;
            EXPECT_TRUE(table->table().Check(nullptr, &report).ok()) << table->name();
        }
    }
};

TEST_F(CatalogueMendTest, EachMendingChangesWhatItShowedAndNothingElse) {
    const struct {
        MendKind kind;
        std::string preview;
        std::string after;  // what the check still finds of the mending's kinds
    } cases[] = {
        {MendKind::RenumberTracks,
         "artdat.dat 3 TRACK '3' > '2'\nartdat.dat 5 TRACK '2' > '1'\n"
         "playlist.dat 1 TRACK '3' > '2'\nplaylist.dat 2 TRACK '2' > '1'\n",
         ""},
        {MendKind::FillArtists, "artdat.dat 6 ARTIEST '' > 'Solo'\n", ""},
        {MendKind::RemoveBroken, "Uitdat.dat 1 removed\nplaylist.dat 3 removed\n", ""},
        // The carriers are items too: only "Rock" is unused.
        {MendKind::RemoveUnusedItems, "items.dat 1 removed\n", ""},
    };
    for (const auto& c : cases) {
        const std::string others = Report(c.kind, true);
        const MendPlan plan = Plan(c.kind);
        EXPECT_EQ(Preview(plan), c.preview) << MendTitle(c.kind);
        const MendOutcome outcome = RunMend(*catalogue_, plan);
        EXPECT_TRUE(outcome.refusal.empty() && !outcome.failure) << outcome.refusal;
        EXPECT_EQ(outcome.changed, plan.changes.size());
        EXPECT_EQ(Report(c.kind), c.after) << MendTitle(c.kind);
        EXPECT_EQ(Report(c.kind, true), others) << MendTitle(c.kind);
        EXPECT_FALSE(Exists("mend.journal"));
        ExpectIndexesSound();
    }
    EXPECT_TRUE(CheckCatalogue(*catalogue_).empty());
}

// However it is stopped, a mending leaves the catalogue as it was before it.
TEST_F(CatalogueMendTest, AMendingStoppedPartWayLeavesTheCatalogueAsBefore) {
    const std::string before = Report(MendKind::RenumberTracks) + Report(MendKind::RemoveBroken);
    const struct {
        const char* what;
        MendKind kind;
        std::function<MendOutcome(const MendPlan&)> stop;
        const char* refusal;  // start of the refusal; nullptr: a failure taken back
    } cases[] = {
        {"playlist not writable", MendKind::RenumberTracks,
         [this](const MendPlan& plan) {
             TTable& playlist = catalogue_->dm3.PlaylistTable;
             playlist.Close();
             playlist.setReadOnly(true);
             playlist.Open();
             MendOutcome outcome = RunMend(*catalogue_, plan);
             playlist.Close();
             playlist.setReadOnly(false);
             playlist.Open();
             return outcome;
         },
         nullptr},
        {"record changed since the plan", MendKind::RemoveBroken,
         [this](const MendPlan& plan) {
             ChangeRecord(catalogue_->dm3.UitleenAccess, 1,
                          [](TTable& loans) { loans.SetFieldAsString("AANWIE", "Ann"); });
             MendOutcome outcome = RunMend(*catalogue_, plan);
             ChangeRecord(catalogue_->dm3.UitleenAccess, 1,
                          [](TTable& loans) { loans.SetFieldAsString("AANWIE", "Bob"); });
             return outcome;
         },
         "Nothing was changed: record 1 of the loans is not the one that was to be removed"},
        {"crash after the first table", MendKind::RemoveBroken,
         [this](const MendPlan& plan) {
             EXPECT_TRUE(WIFSIGNALED(InChild([&] {
                 Catalogue mine(folder());
                 mine.OpenIndexes();
                 RunMend(mine, plan, [](uint64_t) { raise(SIGKILL); });
             })));
             catalogue_.reset();
             catalogue_ = std::make_unique<Catalogue>(folder());
             catalogue_->OpenIndexes();
             const std::vector<RecoveryOutcome> done = FinishPendingWork(*catalogue_);
             EXPECT_EQ(done.size(), 1u);
             EXPECT_EQ(done.empty() ? "" : done[0].message,
                       "The mending \"Remove loans and playlist entries of nothing\" was cut "
                       "short. It has been taken back: the 2 record(s) it named hold what they "
                       "held before (1 were put back now).");
             return MendOutcome{};
         },
         ""},
    };
    for (const auto& c : cases) {
        const MendOutcome outcome = c.stop(Plan(c.kind));
        if (c.refusal == nullptr)
            EXPECT_TRUE(outcome.failure && outcome.takenBack) << c.what;
        else
            EXPECT_TRUE(outcome.refusal.starts_with(c.refusal)) << c.what << outcome.refusal;
        EXPECT_EQ(Report(MendKind::RenumberTracks) + Report(MendKind::RemoveBroken), before)
            << c.what;
        EXPECT_FALSE(Exists("mend.journal")) << c.what;
        ExpectIndexesSound();
    }
}

// A journal that does not fit the tables changes nothing and is set aside once.
TEST_F(CatalogueMendTest, AJournalThatDoesNotFitIsRefusedOnce) {
    const std::string before = Report(MendKind::RemoveBroken);
    for (const char* journal : {"TUNELO MEND 1\nK\t2\nR\tU\t1\tsomething else\nEND\n",
                                "TUNELO MEND 1\nK\t0\nC\tA\t3\tTRACK\t3\t2\n"}) {
        WriteFile(File("mend.journal"), journal);
        const RecoveryOutcome outcome = TakeBackMend(*catalogue_);
        EXPECT_EQ(outcome.kind, RecoveryOutcome::Kind::Refused) << outcome.message;
        EXPECT_FALSE(Exists("mend.journal"));
        EXPECT_FALSE(TakeBackMend(*catalogue_).acted());
        EXPECT_EQ(Report(MendKind::RemoveBroken), before);
    }
}

}  // namespace
