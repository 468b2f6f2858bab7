#include "store/field_replace.h"

#include <random>

#include "base/text.h"
#include "store/catalogue_fixture.h"
#include "store/record_edit.h"
#include "store/replace_journal.h"
#include "support/scripted_ui.h"

namespace {

TEST(ReplacedValueTest, MatchesReplacesFirstAndRaisesTheFirstLetter) {
    struct Case {
        const char* value;
        const char* search;
        const char* replacement;
        bool exact;
        bool eachWord;
        const char* expected;  // nullptr: no match
    };
    const Case cases[] = {
        {"the lovers rock   ", "LOVE", "hate", false, false, "The haters rock"},
        {"the lovers rock   ", "love", "hate", true, false, nullptr},
        {"the love rock     ", "LOVE", "hate", true, false, "The hate rock"},
        {"love me love you  ", "love", "hold", false, false, "Hold me love you"},
        {"love me love you  ", "me love", "x", true, true, "Love X You"},
        {"rock  ", " rock", "jazz", false, false, nullptr},  // the typed blank must match too
        {"a rock", " rock", "jazz", false, false, "A jazz"},
        {"      ", "rock", "jazz", false, false, nullptr},
    };
    for (const Case& c : cases) {
        const auto result = ReplacedValue(c.value, c.search, c.replacement, c.exact, c.eachWord);
        EXPECT_EQ(result.value_or("(none)"), c.expected ? c.expected : "(none)")
            << c.value << " / " << c.search;
    }
}

class FieldReplaceTest : public CatalogueTest {
protected:
    // The artist and title of every track, then the main title of every main title.
    static std::string Values(Catalogue& catalogue) {
        std::string out;
        for (auto [access, fields] :
             {std::pair{&catalogue.dm1.ArtAccess, std::vector<const char*>{"ARTIEST", "TITEL"}},
              {&catalogue.dm2.HfAccess, {"HTITEL"}}}) {
            access->SetOrder(0);
            for (access->GoTop(); !access->Eof(); access->Skip()) {
                for (const char* field : fields)
                    out += TrimRight(access->GetString(field).bytes()) + "/";
            }
            out += "|";
        }
        return out;
    }
};

// Every field changed counts; a value too long for its field is skipped and counted unless the
// user, asked, sees it cut; changed pick-list fields become items.
TEST_F(FieldReplaceTest, CountsFieldsSkipsOverflowAndAddsItems) {
    auto catalogue = OpenBuilt();
    Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Rock Band"}, {"TITEL", "Rock On"}});
    Add(catalogue->dm1.ArtTable, {{"UITVOER", "rock " + std::string(24, 'x')}});
    Add(catalogue->dm2.HfTable, {{"LABEL", "Rock Records"}});
    ScriptedUi ui;
    ReplaceRequest request{"rock", "Heavy Metal", ReplaceIn::All, false, false, false};
    std::vector<ReplaceQuestion> asked;
    uint64_t examined = 0;
    const auto count = [&examined](uint64_t n) { examined = n; };
    const ReplaceOutcome quiet = RunReplace(*catalogue, request, {}, nullptr, count);
    EXPECT_EQ(quiet.replaced, 3u);
    EXPECT_EQ(quiet.skipped, 1u);
    EXPECT_EQ(examined, 3u);
    catalogue->dm1.ArtAccess.Go(2);
    EXPECT_EQ(TrimRight(catalogue->dm1.ArtAccess.GetString("UITVOER").bytes()),
              "rock " + std::string(24, 'x'));
    catalogue->dm3.ItemsAccess.SetOrder(1);
    EXPECT_TRUE(
        catalogue->dm3.ItemsAccess.Seek(catalogue->dm3.ItemKey("Heavy Metal Records", 'L')));

    request.warn = true;
    const ReplaceOutcome warned = RunReplace(
        *catalogue, request, {},
        [&](const ReplaceQuestion& q) {
            asked.push_back(q);
            return ReplaceState::Replace;
        },
        nullptr);
    EXPECT_EQ(warned.replaced, 1u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].cut);
    EXPECT_EQ(asked[0].newValue.size(), 30u);
    EXPECT_EQ(catalogue->dm1.ArtAccess.GetString("UITVOER").bytes(), asked[0].newValue);
}

// A record another user changes between the scan and the writing refuses the whole run.
TEST_F(FieldReplaceTest, ARecordChangedMeanwhileRefusesTheRun) {
    auto catalogue = OpenBuilt();
    Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Rock Band"}});
    Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Rock Duo"}});
    const ReplaceOutcome outcome = RunReplace(
        *catalogue, {"rock", "Jazz", ReplaceIn::All, false, true, false}, {},
        [&](const ReplaceQuestion&) {
            ChangeRecord(catalogue->dm1.ArtAccess, 1,
                         [](TTable& table) { table.SetFieldAsString("ARTIEST", "Pop Band"); });
            return ReplaceState::Continue;
        },
        nullptr);
    EXPECT_EQ(outcome.replaced, 0u);
    EXPECT_NE(outcome.refusal.find("record 1 of the tracks holds \"Pop Band\""), std::string::npos)
        << outcome.refusal;
    EXPECT_EQ(Values(*catalogue), "Pop Band//Rock Duo//||");
    EXPECT_FALSE(FinishReplace(*catalogue).acted());
}

// A failure while writing says how many fields were written before it; the next start writes
// the rest.
TEST_F(FieldReplaceTest, AFailureWhileWritingCountsTheFieldsWritten) {
    auto catalogue = OpenBuilt();
    Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Rock Band"}});
    Add(catalogue->dm2.HfTable, {{"HTITEL", "Rock Hits"}});
    const ReplaceOutcome outcome = RunReplace(
        *catalogue, {"rock", "Jazz", ReplaceIn::All, false, true, false}, {},
        [&](const ReplaceQuestion&) {
            // The main titles can be read, but no longer written.
            TTable& titles = catalogue->dm2.HfTable;
            titles.Close();
            titles.setReadOnly(true);
            titles.Open();
            return ReplaceState::Continue;
        },
        nullptr);
    ASSERT_TRUE(outcome.failure.has_value());
    EXPECT_EQ(outcome.replaced, 1u);
    EXPECT_EQ(outcome.unwritten, 1u);
    EXPECT_EQ(Values(*catalogue), "Jazz Band//|Rock Hits/|");
    catalogue.reset();
    Catalogue reopened(folder());
    reopened.OpenIndexes();
    EXPECT_TRUE(FinishReplace(reopened).acted());
    EXPECT_EQ(Values(reopened), "Jazz Band//|Jazz Hits/|");
}

// At start a complete journal is finished when every field it names holds its old or its new
// value; any other is refused once and renamed aside; a part journal had changed nothing.
TEST_F(FieldReplaceTest, FinishesOnlyAJournalThatFitsTheTables) {
    struct Case {
        const char* journal;  // after the header; "part:" for a journal never completed
        RecoveryOutcome::Kind kind;
        const char* said;
        const char* values;
    };
    using Kind = RecoveryOutcome::Kind;
    const char* before = "Rock Band/Rock On/Jazz Duo//|Rock Hits/|";
    const Case cases[] = {
        {"part:S\trock\tJazz\nA\t1\tARTIEST\tRock Band\tJazz Band\n", Kind::TakenBack,
         "nothing was replaced", before},
        {"S\trock\tJazz\nA\t1\tTITEL\tPop On\tJazz On\nEND\n", Kind::Refused,
         "record 1 of the tracks holds \"Rock On\" in TITEL, not \"Pop On\" or \"Jazz On\"",
         before},
        {"S\trock\tJazz\nH\t9\tHTITEL\tRock\tJazz\nEND\n", Kind::Refused,
         "record 9 of the main titles does not exist", before},
        {"S\trock\tJazz\nA\t1\tTITEL\tRock%G0\tJazz\nEND\n", Kind::Refused,
         "line 3 (\"A\t1\tTITEL\tRock%G0\tJazz\") cannot be read", before},
        {"S\trock\tJazz\nA\t1\tTITEL\tRock On\tJazz On\n", Kind::Refused,
         "it ends before its last line", before},
        {"S\trock\tJazz\nA\t1\tARTIEST\tRock Band\tJazz Band\nA\t1\tTITEL\tRock On\tJazz "
         "On\nA\t2\tARTIEST\tRock Duo\tJazz Duo\nH\t1\tHTITEL\tRock Hits\tJazz Hits\nEND\n",
         Kind::Finished,
         "The search and replace of \"rock\" by \"Jazz\" was cut short. It has been finished: 4 "
         "field(s) hold the new text (3 were changed now).",
         "Jazz Band/Jazz On/Jazz Duo//|Jazz Hits/|"},
    };
    auto catalogue = OpenBuilt();
    Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Rock Band"}, {"TITEL", "Rock On"}});
    Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Jazz Duo"}});
    Add(catalogue->dm2.HfTable, {{"HTITEL", "Rock Hits"}});
    for (const Case& c : cases) {
        std::string text = c.journal;
        const bool part = text.starts_with("part:");
        WriteFile(File(part ? "replace.journal.part" : "replace.journal"),
                  "TUNELO REPLACE 1\n" + text.substr(part ? 5 : 0));
        const RecoveryOutcome outcome = FinishReplace(*catalogue);
        EXPECT_EQ(outcome.kind, c.kind) << c.journal;
        EXPECT_NE(outcome.message.find(c.said), std::string::npos) << outcome.message;
        EXPECT_EQ(Values(*catalogue), c.values) << c.journal;
        EXPECT_FALSE(Exists("replace.journal") || Exists("replace.journal.part")) << c.journal;
        EXPECT_EQ(std::filesystem::remove(File("replace.journal.refused")),
                  c.kind == Kind::Refused);
        EXPECT_FALSE(FinishReplace(*catalogue).acted()) << c.journal;
    }
    catalogue->dm3.ItemsAccess.SetOrder(1);
    EXPECT_TRUE(catalogue->dm3.ItemsAccess.Seek(catalogue->dm3.ItemKey("Jazz Hits", 'H')));
}

// Runs killed at random moments leave, after the next start, every field wholly old or new.
TEST_F(FieldReplaceTest, KilledRunsAreAllOrNothing) {
    constexpr int kTracks = 2000;
    auto catalogue = OpenBuilt();
    for (int i = 0; i < kTracks; ++i) {
        const std::string n = std::to_string(i);
        Add(catalogue->dm1.ArtTable, {{"ARTIEST", "Rock band " + n}, {"TITEL", "Rock song " + n}});
        if (i % 10 == 0)
            Add(catalogue->dm2.HfTable, {{"HTITEL", "Rock title " + n}});
    }
    catalogue.reset();
    std::mt19937 random(22);
    std::string current = "Rock";
    std::chrono::microseconds whole{0};
    for (int round = 0; round < 8; ++round) {
        const std::string next = current == "Rock" ? "Jazz" : "Rock";
        const auto started = std::chrono::steady_clock::now();
        const auto killAfter =  // the first round, whole, measures how long a run takes
            round == 0 ? std::chrono::microseconds(-1)
                       : std::chrono::microseconds(
                             std::uniform_int_distribution<int64_t>(0, whole.count())(random));
        const int status = InChild(
            [&] {
                Catalogue mine(folder());
                mine.OpenIndexes();
                RunReplace(mine, {current, next, ReplaceIn::All, false, false, false}, {}, nullptr,
                           nullptr);
            },
            killAfter);
        if (round == 0) {
            ASSERT_TRUE(WIFEXITED(status));
            whole = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - started);
        }
        Catalogue reopened(folder());
        reopened.OpenIndexes();
        FinishReplace(reopened);
        const std::string values = Values(reopened);
        const bool old = values.find(next) == std::string::npos;
        ASSERT_TRUE(old || values.find(current) == std::string::npos) << "round " << round;
        current = old ? current : next;
    }
}

}  // namespace
