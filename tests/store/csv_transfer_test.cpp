// Export to CSV and import from it, through the store's entry points and the command line's.
#include <optional>
#include <sstream>
#include <thread>

#include "base/ini.h"
#include "base/work_dir.h"
#include "catalogue_fixture.h"
#include "store/csv_command.h"
#include "store/csv_export.h"
#include "store/csv_import.h"
#include "store/pending_work.h"
#include "store/safety_copy.h"

namespace {

namespace fs = std::filesystem;

// Texts a spreadsheet would run as formulas, and their exported cells; a full field comes back
// whole.
const std::pair<std::string, std::string> kFormulaCells[] = {
    {"=HYPERLINK(\"http://x\",\"y\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\""},
    {"@SUM(1)", "'@SUM(1)"},
    {"+1+1", "'+1+1"},
    {"-1", "'-1"},
    {"\tTab", "'\tTab"},
    {"'=1", "''=1"},
    {"''+1", "'''+1"},
    {"'quoted'", "'quoted'"},
    {"a=b", "a=b"},
    {std::string(50, '='), "'" + std::string(50, '=')},
};

class CsvTransferTest : public CatalogueTest {
protected:
    // Two sources, tracks, a loan, a playlist entry; quoting, accents, a two-line memo, a price.
    void Fill(Catalogue& c) {
        AppendRow(c.dm2.HfTable.table(),
                  {{"DRAGER", "CD"},
                   {"CDNUMMER", "7"},
                   {"HTITEL", "Caf\xE9, \"live\""},
                   {"AANKOOPDAT", "19971224"},
                   {"AANKPPRS", "12.50"},
                   {"SOORT", "Jazz"}},
                  {{4, "line one\r\nline, two"}});
        AppendRow(c.dm2.HfTable.table(), {{"DRAGER", "LP"}, {"CDNUMMER", "12"}});
        for (const char* title : {"So What", "Blue in Green"})
            AppendRow(c.dm1.ArtTable.table(), {{"DRAGER", "CD"},
                                               {"CDNUMMER", "7"},
                                               {"TITEL", title},
                                               {"TRACK", "1"},
                                               {"MINUTEN", "09"},
                                               {"SECONDEN", "22"},
                                               {"SOORT", "Modal"},
                                               {"WIJZIGDAT", "20240131"}});
        AppendRow(c.dm3.UitleenTable.table(), {{"DRAGER", "CD"},
                                               {"CDNUMMER", "7"},
                                               {"AANWIE", "J\xF8rgen"},
                                               {"UITDATUM", "20240101"}});
        AppendRow(c.dm3.PlaylistTable.table(),
                  {{"DRAGER", "CD"}, {"CDNUMMER", "7"}, {"TRACK", "1"}, {"TITEL", "So What"}});
        c.dm2.HfAccess.GoTop();
    }

    std::string Export(Catalogue& c, const std::string& name) {
        const std::string dir = File(name);
        EXPECT_TRUE(ExportCsv(c, dir, {true, true}).ok());
        std::string all;
        for (const char* file : {"sources.csv", "tracks.csv", "loans.csv", "playlist.csv"})
            all += std::string(file) + "\n" + ReadFile(fs::path(dir) / file);
        return all;
    }

    void Write(const std::string& dir, const std::map<std::string, std::string>& files) {
        fs::create_directories(File(dir));
        for (const auto& [name, text] : files)
            WriteFile(File(dir + "/" + name), text);
    }
};

TEST_F(CsvTransferTest, ExportImportedIntoAnEmptyCatalogueExportsTheSameFiles) {
    auto full = OpenBuilt();
    Fill(*full);
    AppendRow(full->dm2.HfTable.table(),
              {{"DRAGER", "LP"}, {"CDNUMMER", "13"}, {"AANKPPRS", "3.00"}}, {{4, "=1+1"}});
    AppendRow(full->dm2.HfTable.table(), {{"DRAGER", "LP"}, {"CDNUMMER", "14"}}, {{4, "\rx"}});
    int track = 0;
    for (const auto& [text, cell] : kFormulaCells)
        AppendRow(full->dm1.ArtTable.table(), {{"DRAGER", "LP"},
                                               {"CDNUMMER", "13"},
                                               {"TRACK", std::to_string(++track)},
                                               {"TITEL", text}});
    const std::string first = Export(*full, "one");
    EXPECT_NE(first.find("\r\n,\"Caf\xC3\xA9, \"\"live\"\"\",Jazz,7,"), std::string::npos);
    EXPECT_NE(first.find("\"line one\r\nline, two\",CD,,,1997-12-24,,,,,,12.50\r\n"),
              std::string::npos)
        << first;
    for (const auto& [text, cell] : kFormulaCells)
        EXPECT_NE(first.find("\r\n" + cell + ","), std::string::npos) << cell;
    EXPECT_NE(first.find(",13,'=1+1,LP,"), std::string::npos);  // a memo too
    EXPECT_NE(first.find(",14,\"'\rx\",LP,"), std::string::npos);
    EXPECT_NE(first.find(",3.00\r\n"), std::string::npos);  // numbers stay numbers

    testutil::TempDir other;
    ASSERT_TRUE(CreateCatalogueTables(other.path().string()).ok());
    ASSERT_TRUE(CreateCatalogueIndexes(other.path().string()).ok());
    Catalogue empty(other.path().string());
    empty.OpenIndexes();
    std::ostringstream out, errors;
    IniWriteInteger("Geluidsdragers", "CD", 20);
    ASSERT_EQ(ImportCsvCommand(empty, File("one"), out, errors), 0) << errors.str();
    EXPECT_EQ(Export(empty, "two"), first);
    EXPECT_EQ(ItemsOf(empty, 'G'), (std::vector<std::string>{"Jazz", "Modal"}));
    // The entry screen offers each carrier's number after the highest imported one.
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "LP"), 15);
    EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD"), 20);
}

// A failed export keeps the earlier set; a file of it not written this time is set aside.
TEST_F(CsvTransferTest, AnExportPutsItsWholeSetInPlaceOrNothing) {
    auto c = OpenBuilt();
    Fill(*c);
    for (int i = 0; i < 3000; ++i)
        AppendRow(c->dm1.ArtTable.table(),
                  {{"DRAGER", "MC"}, {"CDNUMMER", "1"}, {"TITEL", "Song"}});
    const struct {
        CsvExportChoice choice;
        uint64_t room;       // bytes a file may take; 0 without limit
        std::string folder;  // afterwards: each file and the earlier file it equals, or "new"
        std::string note;
    } cases[] = {
        {{true, true},
         20000,  // the tracks do not fit
         "loans.csv=loans.csv playlist.csv=playlist.csv sources.csv=sources.csv "
         "tracks.csv=tracks.csv ",
         ""},
        {{false, true},
         0,
         "loans.csv.old=loans.csv playlist.csv=playlist.csv sources.csv=new tracks.csv=tracks.csv ",
         "loans.csv was not part of this export: the earlier one is now loans.csv.old, so that "
         "an import of this folder does not add it."},
    };
    for (const auto& test : cases) {
        testutil::TempDir out;
        ASSERT_TRUE(ExportCsv(*c, out.path().string(), {true, true}).ok());
        std::map<std::string, std::string> earlier, now;
        for (const auto& entry : fs::directory_iterator(out.path()))
            earlier[ReadFile(entry.path())] = entry.path().filename().string();
        AppendRow(c->dm2.HfTable.table(), {{"DRAGER", "MC"}, {"CDNUMMER", "1"}});
        std::string note;
        {
            std::optional<testutil::FileSizeLimit> full;
            if (test.room > 0)
                full.emplace(test.room);
            EXPECT_EQ(ExportCsv(*c, out.path().string(), test.choice, nullptr, &note).ok(),
                      test.room == 0);
        }
        EXPECT_EQ(note, test.note);
        for (const auto& entry : fs::directory_iterator(out.path())) {
            const auto from = earlier.find(ReadFile(entry.path()));
            now[entry.path().filename().string()] = from == earlier.end() ? "new" : from->second;
        }
        std::string folder;
        for (const auto& [name, from] : now)
            folder += name + "=" + from + " ";
        EXPECT_EQ(folder, test.folder);
    }
}

TEST_F(CsvTransferTest, RefusesRowsWithTheirReasonsAndAddsNothingFromTheCommandLine) {
    auto c = OpenBuilt();
    Fill(*c);
    const std::string cd5 = "DRAGER,CDNUMMER,AANKPPRS,MEMO\r\nCD,5,,\r\n";
    const std::string tracks5 = "DRAGER,CDNUMMER,TRACK,MINUTEN,SECONDEN,JAAR,TITEL\r\n";
    struct Case {
        std::map<std::string, std::string> files;
        std::string reason;  // of the one refused row (line 2); "" when every row is accepted
        uint32_t tracks;     // tracks accepted
    };
    std::vector<Case> cases = {
        {{{"sources.csv", "DRAGER,CDNUMMER\r\ncd,3\r\n"},
          {"Tracks.CSV", "cdnummer,Drager,titel,TRACK,minuten,seconden\r\n3,cd,Naima,1,3,7\r\n"}},
         "",
         1},
        {{{"sources.csv", "DRAGER,CDNUMMER\rCD,4\r"},
          {"tracks.csv", "DRAGER,CDNUMMER,TRACK,JAAR\rCD,4,1,1999\rCD,4,2,\r"}},
         "",
         2},  // lines ending in CR alone
        {{{"sources.csv", "DRAGER,CDNUMMER,AANKPPRS\r\nCD,5,-3.00\r\n"}},
         "AANKPPRS: \"-3.00\" is below 0",
         0},
        {{{"sources.csv", std::string("DRAGER,CDNUMMER,MEMO\r\nCD,5,a\0b\r\n", 32)}},
         "MEMO: \"a\\x00b\" holds the control character \\x00",
         0},
        {{{"tracks.csv", "DRAGER,CDNUMMER,TRACK\r\nXX,9,1\r\n"}},
         "there is no source XX 9 in sources.csv",
         0},
        {{{"tracks.csv", "DRAGER,CDNUMMER,TRACK,TITEL\nCD,3,1,\xE4\xB8\x80\n"}},
         "cannot be stored",
         0},
        {{{"tracks.csv", "DRAGER,CDNUMMER,TRACK,TREF\nCD,3,1," + std::string(31, 'x') + "\n"}},
         "31 characters long; 30 fit",
         0},
        {{{"sources.csv", cd5}, {"tracks.csv", "DRAGER,CDNUMMER,TRACK\nCD,5,1000\nCD,5,2\n"}},
         "TRACK: \"1000\" is not a whole number from 1 to 999",
         1},
        {{{"sources.csv", "DRAGER,CDNUMMER,AANKOOPDAT\nCD,3,2024-02-30\n"}}, "is not a date", 0},
        {{{"sources.csv", "DRAGER,CDNUMMER\ncd,7\n"}},
         "source CD 7 is already in the catalogue",
         0},
        {{{"tracks.csv", "DRAGER,CDNUMMER,TRACK\nLP,12,1\n"}},
         "source LP 12 is already in the catalogue",
         0},
        {{{"loans.csv", "DRAGER,CDNUMMER,AANWIE\nMC,1,Piet\n"}}, "there is no source MC 1", 0},
        {{{"sources.csv", "DRAGER,CDNUMMER,HTITEL\nMC,2," + std::string(51, 'x') + "\n"},
          {"tracks.csv", "DRAGER,CDNUMMER,TRACK\nMC,2,1\n"}},
         "51 characters long",  // the track of the refused source goes too
         0},
    };
    // Rows of tracks.csv for source CD 5 that the entry screens would not take.
    const std::pair<std::string, std::string> refusedTracks[] = {
        {"CD,5,1,3,75,,x", "SECONDEN: \"75\" is not a whole number from 0 to 59"},
        {"CD,5,1,abc,1,,x", "MINUTEN: \"abc\" is not a whole number from 0 to 999"},
        {"CD,5,1,-1,1,,x", "MINUTEN: \"-1\" is not a whole number"},
        {"CD,5,1,3,3,19x9,x", "JAAR: \"19x9\" is not a year of 3 or 4 digits"},
        {"CD,5,1,3,3,abcd,x", "JAAR: \"abcd\" is not a year"},
        {"CD,5,1,3,3,0,x", "JAAR: \"0\" is not a year"},
        {"CD,5,,3,3,,x", "TRACK: the track has no number"},
        {"CD,5,1,3,3,,a\x1B[2Jb", "TITEL: \"a\\x1B[2Jb\" holds the control character \\x1B"},
        {"CD,5,1,3,3,,\"a\r\nCD,5,2\a\"",
         "TITEL: \"a\\r\\nCD,5,2\\x07\" holds the control character \\x0D"},
        {"CD,5,1,3,3,,\"abc\"def", "TITEL: \"abcdef\" has text after its closing quote"},
    };
    for (const auto& [row, reason] : refusedTracks)
        cases.push_back(
            {{{"sources.csv", cd5}, {"tracks.csv", tracks5 + row + "\r\n"}}, reason, 0});
    for (const Case& test : cases) {
        const std::string before = Export(*c, "before");
        testutil::TempDir in;
        for (const auto& [name, text] : test.files)
            WriteFile((in.path() / name).string(), text);
        CsvImport import;
        ASSERT_TRUE(import.Prepare(*c, in.path().string()).ok()) << test.reason;
        EXPECT_EQ(import.count(CsvKind::Tracks), test.tracks) << test.reason;
        std::ostringstream out, errors;
        EXPECT_EQ(ImportCsvCommand(*c, in.path().string(), out, errors),
                  test.reason.empty() ? 0 : 1);
        if (test.reason.empty()) {
            EXPECT_TRUE(import.refusals().empty());
            continue;
        }
        ASSERT_FALSE(import.refusals().empty()) << test.reason;
        EXPECT_NE(import.refusals()[0].reason.find(test.reason), std::string::npos)
            << import.refusals()[0].reason;
        // One line for the row, whatever its values hold, and one to say nothing was added.
        const std::string told = errors.str();
        EXPECT_NE(told.find(" line 2: "), std::string::npos) << told;
        EXPECT_NE(told.find(test.reason), std::string::npos) << told;
        EXPECT_EQ(size_t(std::count(told.begin(), told.end(), '\n')), import.refusals().size() + 1)
            << told;
        EXPECT_EQ(Export(*c, "after"), before) << test.reason;  // nothing added
    }
    // Times in two digits, as the entry screen stores them.
    EXPECT_NE(Export(*c, "end").find("Naima,,,1,,03,07,3,"), std::string::npos);
}

// As --new-catalogue does for the window program.
TEST_F(CsvTransferTest, AnImportIntoAMissingOrEmptyFolderMakesTheCatalogueThere) {
    Write("in", {{"sources.csv", "DRAGER,CDNUMMER\r\nCD,1\r\n"}});
    fs::create_directories(File("empty"));
    for (const char* name : {"missing/deeper", "empty"}) {
        const std::string target = File(name);
        SetWorkDir(target);
        std::ostringstream out, errors;
        EXPECT_EQ(CsvCommand(target, CsvDirection::Import, File("in"), out, errors,
                             TUNELO_SOURCE_DIR "/data"),
                  0)
            << errors.str();
        EXPECT_NE(errors.str().find("A new, empty catalogue was made in " + target),
                  std::string::npos);
        EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD"), 2);
        Catalogue made(target);
        EXPECT_EQ(made.dm2.HfAccess.Count(), 1u) << name;
    }
    SetWorkDir(folder());
}

TEST_F(CsvTransferTest, RefusesAHeaderOrAValueOverItsLimitNamingFileAndLine) {
    auto c = OpenBuilt();
    struct Case {
        std::string tracks;
        std::string error;
        std::string alsoNamed = "";  // a second spelling of tracks.csv
    } cases[] = {
        {"DRAGER,CDNUMMER\n", "holds both TRACKS.CSV and tracks.csv", "TRACKS.CSV"},
        {"DRAGER,CDNUMMER," + std::string(kLongestCsvHeader, 'X') + "\n", "line 1: the row is"},
        {"DRAGER,CDNUMMER,TRACK,TITEL\nCD,1,1,a\nCD,2,1," + std::string(kLongestMemo + 1, 'x'),
         "line 3: a value is longer"},
        {"DRAGER,CDNUMMER,TRACK,TITEL\nCD,1,\"" + std::string(3 * kLongestMemo, ','), "line 2: "},
        {"DRAGER,CDNUMMER,TITEL\n", "has no column TRACK"},
        {"DRAGER,CDNUMMER,\"JA\nAR\"\n", "column \"JA\\nAR\" is no field of artdat.dat"},
    };
    for (const Case& test : cases) {
        fs::remove_all(File("long"));
        Write("long", {{"tracks.csv", test.tracks}});
        if (!test.alsoNamed.empty())
            Write("long", {{test.alsoNamed, test.tracks}});
        CsvImport import;
        const xbase::Status status = import.Prepare(*c, File("long"));
        EXPECT_NE(status.ToString().find("tracks.csv"), std::string::npos) << status.ToString();
        EXPECT_NE(status.ToString().find(test.error), std::string::npos) << status.ToString();
    }
}

TEST_F(CsvTransferTest, AFailedImportLeavesTheCatalogueAsBefore) {
    auto c = OpenBuilt();
    Fill(*c);
    const std::string before = Export(*c, "before");
    std::string rows = "DRAGER,CDNUMMER,TRACK,TITEL\r\n";
    for (int i = 0; i < 20000; ++i)
        rows += "MC," + std::to_string(i % 900 + 1) + "," + std::to_string(i / 900 + 1) +
                ",A title long enough to fill the disk\r\n";
    std::string sources = "DRAGER,CDNUMMER,SOORT\r\n";
    for (int i = 1; i <= 900; ++i)
        sources += "MC," + std::to_string(i) + ",Ska\r\n";
    Write("in", {{"tracks.csv", rows}, {"sources.csv", sources}});
    const fs::path ini = File("cd.ini");
    struct Case {
        const char* name;
        uint64_t limit;    // the size no file may grow past, or 0
        bool iniReadOnly;  // cd.ini turns read-only once every row is read
    } cases[] = {
        {"full disk", fs::file_size(File("artdat.dat")) + 100000, false},
        {"note not cleared", 0, true},
    };
    for (const Case& test : cases) {
        CsvImport import;
        ASSERT_TRUE(import.Prepare(*c, File("in")).ok());
        ASSERT_EQ(import.count(CsvKind::Tracks), 20000u);
        std::unique_ptr<testutil::FileSizeLimit> limit;
        if (test.limit > 0)
            limit = std::make_unique<testutil::FileSizeLimit>(test.limit);
        const xbase::Status status = import.Apply(*c, [&](uint64_t done, uint64_t total) {
            if (done == total && test.iniReadOnly)
                fs::permissions(ini, fs::perms::owner_read);
        });
        limit.reset();
        fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_FALSE(status.ok()) << test.name;
        EXPECT_EQ(Export(*c, "after"), before) << test.name << ": " << status.ToString();
        UndoUnfinishedCsvImport(*c);
        EXPECT_EQ(Export(*c, "again"), before) << test.name;
        EXPECT_EQ(IniReadString("Diversen", "CsvImport", ""), "") << test.name;
    }
}

// An import a crash ends after its first batch, and what happened before the next start.
TEST_F(CsvTransferTest, TheNextStartTakesBackOnlyWhatTheNoteProvesToBeTheImports) {
    using Kind = RecoveryOutcome::Kind;
    std::string sources = "DRAGER,CDNUMMER,HTITEL,MEMO\r\n";
    for (int i = 1; i <= 120; ++i)
        sources += "IM," + std::to_string(i) + ",Title," + std::string(100000, 'm') + "\r\n";
    Write("in", {{"sources.csv", sources}, {"tracks.csv", "DRAGER,CDNUMMER,TRACK\r\nIM,1,1\r\n"}});
    const auto note = [] { return IniReadString("Diversen", "CsvImport", ""); };
    struct Case {
        const char* name;
        std::function<void(Catalogue&)> meanwhile;
        Kind kind;
        bool importLeft;  // the import's main titles stay
    } cases[] = {
        {"nothing", nullptr, Kind::TakenBack, false},
        {"another writer appended",
         [](Catalogue& c) {
             AppendRow(c.dm2.HfTable.table(), {{"DRAGER", "XB"}, {"CDNUMMER", "1"}});
             AppendRow(c.dm1.ArtTable.table(), {{"DRAGER", "XB"}, {"CDNUMMER", "1"}});
         },
         Kind::TakenBack, false},
        {"damaged note", [](Catalogue&) { IniWriteString("Diversen", "CsvImport", "0,0,0,0,0"); },
         Kind::Refused, true},
        {"a noted record changed",
         [](Catalogue& c) {
             c.dm2.HfAccess.SetOrder(0);
             c.dm2.HfAccess.GoBottom();
             c.dm2.HfTable.Edit();
             c.dm2.HfTable.SetFieldAsString("HTITEL", "Edited");
             c.dm2.HfTable.Post();
         },
         Kind::Refused, true},
        {"a note past the table's end",
         [&](Catalogue&) {
             std::string text = note();
             text.replace(text.find("hfdat.dat:") + 10, 1, "9");
             IniWriteString("Diversen", "CsvImport", text);
         },
         Kind::Refused, true},
    };
    for (const Case& test : cases) {
        auto c = OpenBuilt();
        Fill(*c);
        const std::string before = Export(*c, "before");
        CsvImport import;
        ASSERT_TRUE(import.Prepare(*c, File("in")).ok());
        struct Crash {};
        EXPECT_THROW(import.Apply(*c, [](uint64_t, uint64_t) { throw Crash(); }), Crash);
        const std::string noted = note();
        ASSERT_NE(noted, "") << test.name;
        if (test.meanwhile)
            test.meanwhile(*c);
        const std::string kept = note();
        const size_t copies = ListSafetyCopies(folder()).size();

        const RecoveryOutcome outcome = UndoUnfinishedCsvImport(*c);
        EXPECT_EQ(outcome.kind, test.kind) << test.name << ": " << outcome.message;
        const std::string after = Export(*c, "after");
        EXPECT_EQ(after.find(",IM,") != std::string::npos, test.importLeft) << test.name;
        EXPECT_EQ(after.find(",XB,") != std::string::npos,
                  std::string(test.name) == "another writer appended")
            << test.name;
        if (test.kind == Kind::Refused) {
            EXPECT_NE(outcome.message.find("[Diversen] CsvImport in cd.ini"), std::string::npos);
            EXPECT_EQ(IniReadString("Diversen", "CsvImportRefused", ""), kept) << test.name;
            EXPECT_EQ(ListSafetyCopies(folder()).size(), copies) << test.name;
        } else {
            EXPECT_EQ(ListSafetyCopies(folder()).size(), copies + 1) << test.name;
        }
        EXPECT_EQ(after == before, test.meanwhile == nullptr) << test.name;
        EXPECT_EQ(UndoUnfinishedCsvImport(*c).kind, Kind::None) << test.name;
        c.reset();
        for (const auto& entry : fs::directory_iterator(folder())) {
            if (entry.path().filename() != "in")
                fs::remove_all(entry.path());
        }
        ASSERT_TRUE(CreateCatalogueTables(folder()).ok());
    }
}

// Another program appends main titles before the import writes (its view is then out of date)
// and while it writes.
TEST_F(CsvTransferTest, AnotherWritersRowsStayAndTheImportsMemosGoToItsOwnRows) {
    auto c = OpenBuilt();
    std::string sources = "DRAGER,CDNUMMER,MEMO\r\n", tracks = "DRAGER,CDNUMMER,TITEL,TRACK\r\n";
    for (int i = 1; i <= 6000; ++i) {
        sources += "IM," + std::to_string(i) + ",memo " + std::to_string(i) + "\r\n";
        tracks += "IM," + std::to_string(i) + ",Imported,1\r\n";
    }
    Write("in", {{"sources.csv", sources}, {"tracks.csv", tracks}});
    CsvImport import;
    ASSERT_TRUE(import.Prepare(*c, File("in")).ok());
    const auto appendOthers = [this](int from, int to) {
        std::unique_ptr<xbase::Table> titles;
        ASSERT_TRUE(xbase::Table::Open(File("hfdat.dat"), {}, &titles).ok());
        for (int i = from; i < to; ++i)
            AppendRow(*titles, {{"DRAGER", "XB"}, {"CDNUMMER", std::to_string(i)}},
                      {{4, "other " + std::to_string(i)}});
    };
    appendOthers(1, 50);
    std::thread other;
    const xbase::Status status = import.Apply(*c, [&](uint64_t, uint64_t) {
        if (!other.joinable())
            other = std::thread(appendOthers, 50, 500);
    });
    other.join();
    ASSERT_TRUE(status.ok()) << status.ToString();

    std::unique_ptr<xbase::Table> titles;
    ASSERT_TRUE(xbase::Table::Open(File("hfdat.dat"), {}, &titles).ok());
    const xbase::Schema& schema = titles->schema();
    std::map<std::string, int> counts;
    std::vector<uint8_t> record(titles->recordLength());
    for (uint32_t recno = 1; recno <= titles->recordCount(); ++recno) {
        ASSERT_TRUE(titles->ReadRecord(recno, record.data()).ok());
        const auto field = [&](const char* name) {
            std::string text = xbase::GetText(record.data(), schema[size_t(schema.Find(name))]);
            text.erase(0, text.find_first_not_of(' '));
            return text.erase(text.find_last_not_of(' ') + 1);
        };
        const std::string carrier = field("DRAGER"), number = field("CDNUMMER");
        std::string memo;
        ASSERT_TRUE(titles->ReadMemo(record.data(), 4, &memo).ok());
        EXPECT_EQ(memo, (carrier == "XB" ? "other " : "memo ") + number) << recno;
        ++counts[carrier];
    }
    EXPECT_EQ(counts, (std::map<std::string, int>{{"IM", 6000}, {"XB", 499}}));
}

}  // namespace
