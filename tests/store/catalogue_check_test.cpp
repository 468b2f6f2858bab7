// The catalogue's check of its own data and `--check-catalogue`'s exit statuses.
#include "store/catalogue_check.h"

#include <sstream>

#include "base/clock.h"
#include "store/catalogue_fixture.h"
#include "store/check_command.h"

namespace {

using CheckRow = std::map<std::string, std::string>;

class CatalogueCheckTest : public BuiltCatalogueTest {
protected:
    void SetUp() override {
        BuiltCatalogueTest::SetUp();
        Clock::Set(std::chrono::sys_days{std::chrono::year{2026} / 6 / 15} +
                   std::chrono::hours(12));
        // A clean source: a main title, three tracks, a loan and a playlist entry of it.
        Title({});
        for (const char* n : {"1", "2", "3"})
            Track({{"TRACK", n}});
        Add(catalogue_->dm3.UitleenTable, {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"AANWIE", "Ann"}});
        Add(catalogue_->dm3.PlaylistTable,
            {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"TRACK", "2"}, {"TITEL", "Song"}});
    }
    ~CatalogueCheckTest() override { Clock::Reset(); }

    // A main title of CD 1 unless `values` say otherwise, titled after its source.
    void Title(const CheckRow& values) {
        CheckRow row = {{"DRAGER", "CD"},
                        {"CDNUMMER", "1"},
                        {"HOOFDART", "Band"},
                        {"AANKOOPDAT", "15-06-2026"},
                        {"RMNR", "1A2B"}};
        for (const auto& [field, value] : values)
            row[field] = value;
        row.try_emplace("HTITEL", "Album of " + row["DRAGER"] + " " + row["CDNUMMER"]);
        Add(catalogue_->dm2.HfTable, row);
    }
    // A track of CD 1 lasting 3:05 unless `values` say otherwise.
    void Track(const CheckRow& values) {
        CheckRow row = {{"DRAGER", "CD"},   {"CDNUMMER", "1"},   {"TRACK", "1"},
                        {"TITEL", "Song"},  {"ARTIEST", "Band"}, {"MINUTEN", "03"},
                        {"SECONDEN", "05"}, {"JAAR", "1999"}};
        for (const auto& [field, value] : values)
            row[field] = value;
        Add(catalogue_->dm1.ArtTable, row);
    }

    // Back to the clean catalogue alone.
    void Fresh() {
        catalogue_.reset();
        for (const auto& entry : std::filesystem::directory_iterator(folder()))
            std::filesystem::remove_all(entry.path());
        SetUp();
    }

    std::string Report(const std::set<CheckKind>& off = {}) {
        return CheckReportText(CheckCatalogue(*catalogue_, off));
    }
};

TEST_F(CatalogueCheckTest, ACleanCatalogueHoldsNothingToMend) {
    const CatalogueCheck check = CheckCatalogue(*catalogue_);
    EXPECT_TRUE(check.empty() && !check.cancelled) << CheckReportText(check);
}

TEST_F(CatalogueCheckTest, EachKindIsFoundAndNamesItsSourceAndRecord) {
    const struct {
        const char* what;
        std::function<void()> spoil;
        std::string report;
    } cases[] = {
        {"blank title or artist",
         [this] {
             Track({{"TRACK", "4"}, {"ARTIEST", ""}});
             Track({{"TRACK", "5"}, {"TITEL", " "}, {"ARTIEST", ""}});
         },
         "Tracks with a blank title or artist: 2\n"
         "  CD 1: no artist (artdat.dat record 4)\n"
         "  CD 1: no title and no artist (artdat.dat record 5)\n"},
        {"time",
         [this] {
             Track({{"TRACK", "4"}, {"MINUTEN", ""}, {"SECONDEN", ""}});
             Track({{"TRACK", "5"}, {"MINUTEN", "00"}, {"SECONDEN", "00"}});
             Track({{"TRACK", "6"}, {"MINUTEN", "2"}, {"SECONDEN", "75"}});
             Track({{"TRACK", "7"}, {"MINUTEN", "0"}, {"SECONDEN", "59"}});
         },
         "Tracks with no time or seconds above 59: 3\n"
         "  CD 1: no time (artdat.dat record 4)\n"
         "  CD 1: no time (artdat.dat record 5)\n"
         "  CD 1: seconds above 59 (2:75) (artdat.dat record 6)\n"},
        {"track numbers, sides apart",
         [this] {
             Track({{"TRACK", "2"}});
             Track({{"TRACK", "6"}});
             Title({{"DRAGER", "LP"}, {"RMNR", ""}});
             Track({{"DRAGER", "LP"}, {"AKANT", "A"}, {"TRACK", "1"}});
             Track({{"DRAGER", "LP"}, {"AKANT", "B"}, {"TRACK", "1"}});
             Track({{"DRAGER", "LP"}, {"AKANT", "B"}, {"TRACK", "3"}});
             Track({{"DRAGER", "LP"}, {"AKANT", "B"}, {"TRACK", "0"}});
         },
         "Track numbers missing or stored twice: 5\n"
         "  CD 1: track 2 stored twice (artdat.dat record 4)\n"
         "  CD 1: track 4 missing (artdat.dat record 5)\n"
         "  CD 1: track 5 missing (artdat.dat record 5)\n"
         "  LP 1: track 2 on side B missing (artdat.dat record 8)\n"
         "  LP 1: no track number on side B (artdat.dat record 9)\n"},
        {"main titles and tracks apart",
         [this] {
             Title({{"CDNUMMER", "2"}, {"RMNR", ""}});
             Track({{"CDNUMMER", "3"}});
         },
         "Main titles without tracks: 1\n"
         "  CD 2: no tracks (hfdat.dat record 2)\n"
         "Tracks without a main title: 1\n"
         "  CD 3: no main title (artdat.dat record 4)\n"},
        {"loans and playlist entries pointing at nothing",
         [this] {
             Add(catalogue_->dm3.UitleenTable,
                 {{"DRAGER", "CD"}, {"CDNUMMER", "9"}, {"AANWIE", "Zo\xeb"}});
             Add(catalogue_->dm3.PlaylistTable,
                 {{"DRAGER", "CD"}, {"CDNUMMER", "1"}, {"TRACK", "4"}});
             Add(catalogue_->dm3.PlaylistTable,
                 {{"DRAGER", "cd"}, {"CDNUMMER", "1"}, {"TRACK", "3"}});  // case does not count
             Add(catalogue_->dm3.PlaylistTable,
                 {{"DRAGER", "MC"}, {"CDNUMMER", "1"}, {"TRACK", "1"}, {"AKANT", "A"}});
         },
         "Loans of no source: 1\n"
         "  CD 9: lent to Zo\xc3\xab: no such source (Uitdat.dat record 2)\n"
         "Playlist entries of no track: 2\n"
         "  CD 1: track 4: no such track (playlist.dat record 2)\n"
         "  MC 1: track 1 on side A: no such source (playlist.dat record 4)\n"},
        {"lookup items",
         [this] {
             for (const auto& [value, code] :
                  std::vector<std::pair<std::string, char>>{{"album of cd 1", 'H'},
                                                            {"R\xf6"
                                                             "ck",
                                                             'G'},
                                                            {"Cd", 'D'},
                                                            {"DVD", 'D'},
                                                            {"Other", 'Q'}})
                 catalogue_->dm3.WriteItems(value, code);
         },
         "Lookup items no record uses: 2\n"
         "  \"R\xc3\xb6"
         "ck\" (G) is used by no record (items.dat record 2)\n"
         "  \"DVD\" (D) is used by no record (items.dat record 4)\n"},
        {"dates and years",
         [this] {
             Title({{"CDNUMMER", "2"}, {"AANKOOPDAT", "16-06-2026"}, {"RMNR", ""}});
             Track({{"CDNUMMER", "2"}, {"JAAR", "1876"}});
             Track({{"CDNUMMER", "2"}, {"TRACK", "2"}, {"JAAR", "2027"}});
             Track({{"CDNUMMER", "2"}, {"TRACK", "3"}, {"JAAR", "2028"}});
             Track({{"CDNUMMER", "2"}, {"TRACK", "4"}, {"JAAR", "19x9"}});
         },
         "Purchase dates in the future: 1\n"
         "  CD 2: bought 2026-06-16 (hfdat.dat record 2)\n"
         "Years outside 1877 to next year: 3\n"
         "  CD 2: year 1876 (artdat.dat record 4)\n"
         "  CD 2: year 2028 (artdat.dat record 6)\n"
         "  CD 2: year 19x9 (artdat.dat record 7)\n"},
        {"doubles by CD ID",
         [this] {
             Title({{"CDNUMMER", "2"}, {"RMNR", "1a2b"}});
             Track({{"CDNUMMER", "2"}});
         },
         "Sources with the same CD ID: 2\n"
         "  CD 1: CD ID 1A2B also on CD 2 (hfdat.dat record 1)\n"
         "  CD 2: CD ID 1A2B also on CD 1 (hfdat.dat record 2)\n"},
        {"doubles by similar spelling; a blank artist matches a blank one",
         [this] {
             for (const auto& [number, title, artist] :
                  {std::tuple{"2", "The  album of cd 1.", "B\xe4nd"},
                   {"3", "", "Band"},
                   {"4", "Hits", ""},
                   {"5", "Hits", ""},
                   {"6", "Album of CD 1", "Other"}}) {
                 Title(
                     {{"CDNUMMER", number}, {"HTITEL", title}, {"HOOFDART", artist}, {"RMNR", ""}});
                 Track({{"CDNUMMER", number}});
             }
         },
         "Sources with the same title and artist (similar spelling): 4\n"
         "  CD 1: same as CD 2 \"The  album of cd 1.\" by B\xc3\xa4nd (hfdat.dat record 1)\n"
         "  CD 2: same as CD 1 \"Album of CD 1\" by Band (hfdat.dat record 2)\n"
         "  CD 4: same as CD 5 \"Hits\" (hfdat.dat record 4)\n"
         "  CD 5: same as CD 4 \"Hits\" (hfdat.dat record 5)\n"},
    };
    for (const auto& c : cases) {
        Fresh();
        c.spoil();
        EXPECT_EQ(Report(), c.report) << c.what;
    }
}

TEST_F(CatalogueCheckTest, KindsSwitchedOffAreNotReported) {
    Track({{"TRACK", "5"}, {"ARTIEST", ""}, {"JAAR", "1800"}});
    EXPECT_EQ(CheckCatalogue(*catalogue_).groups.size(), 3u);
    std::set<CheckKind> off(std::begin(kAllCheckKinds), std::end(kAllCheckKinds));
    off.erase(CheckKind::YearOutOfRange);
    EXPECT_EQ(Report(off),
              "Years outside 1877 to next year: 1\n"
              "  CD 1: year 1800 (artdat.dat record 4)\n");
}

TEST_F(CatalogueCheckTest, TheHookSeesEveryRecordAndCanStopTheCheck) {
    Track({{"TRACK", "5"}});
    uint64_t lastTotal = 0;
    const CatalogueCheck stopped = CheckCatalogue(*catalogue_, {}, [&](uint64_t, uint64_t total) {
        lastTotal = total;
        return false;
    });
    EXPECT_TRUE(stopped.cancelled && stopped.empty());
    EXPECT_EQ(lastTotal, 7u);  // 1 main title, 4 tracks, a loan and a playlist entry
}

TEST_F(CatalogueCheckTest, TheCommandsExitStatusSaysWhatWasFound) {
    testutil::TempDir empty;
    const struct {
        const char* what;
        std::function<void()> before;
        std::string folder;  // "" the test's catalogue
        int status;
        std::string outStart;
    } cases[] = {
        {"clean", nullptr, "", kCheckClean, "Nothing to mend was found.\n"},
        {"something found",
         [this] {
             Track({{"TRACK", "4"}, {"TITEL", ""}});
         },
         "", kCheckFound, "Tracks with a blank title or artist: 1\n"},
        {"no catalogue", nullptr, empty.path().string(), kCheckBadInput, ""},
        {"no folder", nullptr, empty.File("missing"), kCheckBadInput, ""},
    };
    for (const auto& c : cases) {
        if (c.before)
            c.before();
        std::ostringstream out, errors;
        EXPECT_EQ(CheckCatalogueCommand(c.folder.empty() ? folder() : c.folder, out, errors),
                  c.status)
            << c.what << ": " << errors.str();
        EXPECT_EQ(out.str().substr(0, c.outStart.size()), c.outStart) << c.what;
        EXPECT_EQ(errors.str().empty(), c.status != kCheckBadInput) << c.what;
    }
}

}  // namespace
