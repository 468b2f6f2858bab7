// The start-up check: new index files and items, old files, left-over backups, spellings.
#include "store/startup_check.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/ini.h"
#include "base/text.h"
#include "catalogue_fixture.h"
#include "platform/xbase/cdx_file.h"
#include "store/catalogue_schema.h"
#include "store/folder_file.h"
#include "support/scripted_ui.h"

namespace {

using Items = std::vector<std::string>;

const char kCreated[] =
    "Files are created. The program will be closed! Restart the program after closing.";
const char kImported[] = "Files are created. The program will be closed.";
const char kBackups[] = "The BACKUP files are still here. Updating is not possible!";

class StartupCheckTest : public CatalogueTest {
protected:
    // Writes an old-generation table: a row per entry of `rows`, its values in the order of
    // `fields` (blank ones left unset), and memoText_ in the field MEMO when the table has one.
    void WriteOldTable(const std::string& name, const std::vector<xbase::FieldSpec>& fields,
                       const std::vector<Items>& rows) {
        std::unique_ptr<xbase::Table> table;
        ASSERT_TRUE(xbase::Table::Create(File(name), fields, &table).ok());
        const int memo = table->schema().Find("MEMO");
        for (const Items& values : rows) {
            std::map<std::string, std::string> row;
            for (size_t i = 0; i < values.size(); ++i) {
                if (!values[i].empty())
                    row[fields[i].name] = values[i];
            }
            AppendRow(*table, row,
                      memo < 0 ? xbase::MemoTexts{} : xbase::MemoTexts{{memo, memoText_}});
        }
    }

    // DATA1.DAT with two tracks and DATA2.DAT (memo file spelled DATA2.FPT) with one main title.
    void WriteOldFiles() {
        const std::vector<xbase::FieldSpec> tracks = {
            {"TITEL", 'C', 50, 0},   {"ARTIEST", 'C', 50, 0}, {"UITVOER", 'C', 30, 0},
            {"SOORT", 'C', 30, 0},   {"TREF", 'C', 30, 0},    {"DRAGER", 'C', 10, 0},
            {"CDNUMMER", 'N', 6, 0}, {"TRACK", 'N', 3, 0},    {"OUDVELD", 'C', 5, 0}};
        WriteOldTable(
            "DATA1.DAT", tracks,
            {{"Come Together", "The Beatles", "Studio", "Pop", "love", "CD", "12", "1", "x"},
             {"Something", "The Beatles", "studio", "Rock", "", "CD", "12", "2"}});
        const std::vector<xbase::FieldSpec> titles = {
            {"HTITEL", 'C', 50, 0},  {"HOOFDART", 'C', 50, 0}, {"LABEL", 'C', 30, 0},
            {"AANKOOP", 'C', 45, 0}, {"SOORT", 'C', 30, 0},    {"DRAGER", 'C', 10, 0},
            {"CDNUMMER", 'N', 6, 0}, {"MEMO", 'M', 10, 0}};
        WriteOldTable(
            "DATA2.DAT", titles,
            {{"Abbey Road", "The Beatles", "Apple", "Free Record Shop", "POP", "CD", "12"}});
        std::filesystem::rename(FolderFile(folder(), "DATA2.FPT"), File("DATA2.FPT"));
    }

    // A start that makes the files ends the program, saying `said`, after one splash line.
    void ExpectStartEnds(const char* said) {
        ScriptedUi ui;
        Catalogue catalogue(folder());
        int splashLines = 0;
        EXPECT_EQ(CheckDataFiles(catalogue, [&] { ++splashLines; }), StartupOutcome::EndProgram);
        EXPECT_EQ(splashLines, 1);
        ASSERT_EQ(ui.MessageTexts(), Items{said});
        EXPECT_EQ(ui.messages[0].kind, MsgKind::Information);
        ASSERT_FALSE(ui.statuses.empty());
        EXPECT_EQ(ui.statuses.back(), "");
    }

    void SwitchSoundOn() {
        ASSERT_TRUE(IniWriteBool("Diversen", "Geluid", true));
        WriteFile(File("error.wav"), "RIFF");
    }

    const std::string memoText_ = "Recorded at Abbey Road.\r\n" + std::string(300, 'm');
};

TEST_F(StartupCheckTest, EmptyTablesGetIndexFilesAndItemsThenTheNextStartIsNormal) {
    {
        // Records typed in before the index files existed still give lookup items.
        Catalogue catalogue(folder());
        catalogue.dm1.ArtTable.Open();
        Add(catalogue.dm1.ArtTable, {{"TITEL", "Help"}, {"SOORT", "Rock"}, {"UITVOER", "Live"}});
        Add(catalogue.dm2.HfTable, {{"HTITEL", "Help!"}, {"SOORT", "rock"}, {"LABEL", "EMI"}});
    }
    ExpectStartEnds(kCreated);
    for (const char* name : {"Index1.cdx", "Index2.cdx", "Index3.cdx", "Index4.cdx", "Index5.cdx"})
        EXPECT_TRUE(Exists(name)) << name;

    ScriptedUi ui;
    Catalogue catalogue(folder());
    EXPECT_EQ(CheckDataFiles(catalogue, [] { ADD_FAILURE() << "splash line on a normal start"; }),
              StartupOutcome::GoOn);
    ASSERT_TRUE(catalogue.dm1.ArtTable.Active());
    catalogue.dm1.ArtAccess.SetOrder(7);
    EXPECT_TRUE(catalogue.dm1.ArtAccess.Seek("ROCK"));
    // Tracks first: the track's "Rock" is the style item, the title's "rock" is the same one.
    EXPECT_EQ(ItemsOf(catalogue, 'G'), Items{"Rock"});
    EXPECT_EQ(ItemsOf(catalogue, 'U'), Items{"Live"});
    EXPECT_EQ(ItemsOf(catalogue, 'H'), Items{"Help!"});
    EXPECT_EQ(ItemsOf(catalogue, 'L'), Items{"EMI"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartupCheckTest, OldFilesAreTakenOverOnceWithTheirMemos) {
    WriteOldFiles();
    ExpectStartEnds(kImported);
    for (const char* gone : {"DATA1.DAT", "DATA2.DAT", "DATA2.FPT"})
        EXPECT_FALSE(FolderHasFile(folder(), gone)) << gone;
    for (const char* kept : {"DATA1.B01", "DATA2.B02", "DATA2.FP2", "Index1.cdx", "Index5.cdx"})
        EXPECT_TRUE(Exists(kept)) << kept;

    ScriptedUi ui;
    Catalogue catalogue(folder());
    ASSERT_EQ(CheckDataFiles(catalogue, nullptr), StartupOutcome::GoOn);
    TTableAccess& tracks = catalogue.dm1.ArtAccess;
    EXPECT_EQ(tracks.Count(), 2u);
    tracks.SetOrder(10);
    ASSERT_TRUE(tracks.Seek("CD                12"));
    EXPECT_EQ(Trim(tracks.GetString("TITEL").bytes()), "Come Together");
    EXPECT_EQ(tracks.GetInteger("TRACK"), 1);
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.SetOrder(4);
    ASSERT_TRUE(titles.Seek("CD                12"));
    EXPECT_EQ(titles.GetString("MEMO").bytes(), memoText_);
    EXPECT_EQ(Trim(titles.GetString("AANKOOP").bytes()), "Free Record Shop");

    EXPECT_EQ(ItemsOf(catalogue, 'U'), Items{"Studio"});
    EXPECT_EQ(ItemsOf(catalogue, 'G'), (Items{"Pop", "Rock"}));
    EXPECT_EQ(ItemsOf(catalogue, 'T'), Items{"love"});
    EXPECT_EQ(ItemsOf(catalogue, 'H'), Items{"Abbey Road"});
    EXPECT_EQ(ItemsOf(catalogue, 'K'), Items{"Free Record Shop"});
    EXPECT_EQ(ItemsOf(catalogue, 'L'), Items{"Apple"});
    EXPECT_EQ(ItemsOf(catalogue, 'A'), Items{"The Beatles"});
    // Carrier codes are not rebuilt: only what the entry screens wrote survives.
    EXPECT_TRUE(ItemsOf(catalogue, 'D').empty());
    EXPECT_EQ(ui.MessageTexts(), Items{"No information found!"});
}

TEST_F(StartupCheckTest, LeftOverBackupsStopTheStartAndChangeNothing) {
    SwitchSoundOn();
    for (const char* backup : {"DATA1.B01", "data2.b02"}) {
        SCOPED_TRACE(backup);
        WriteFile(File("DATA1.DAT"), "old tracks");
        WriteFile(File(backup), "backup");
        ScriptedUi ui;
        Catalogue catalogue(folder());
        EXPECT_EQ(CheckDataFiles(catalogue, [] { ADD_FAILURE() << "splash line"; }),
                  StartupOutcome::Failed);
        EXPECT_EQ(ui.Log(), (Items{"sound:error.wav", kBackups}));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, MsgKind::Warning);
        EXPECT_EQ(ui.messages[0].buttons, MsgButtons::Ok);
        EXPECT_TRUE(Exists("DATA1.DAT") && Exists(backup));
        EXPECT_FALSE(FolderHasFile(folder(), "INDEX1.CDX") || catalogue.dm1.ArtTable.Active());
        std::filesystem::remove(File(backup));
    }
}

TEST_F(StartupCheckTest, ADamagedOldFileIsNamedAndNothingIsTakenOver) {
    SwitchSoundOn();
    WriteOldFiles();
    WriteFile(File("DATA2.DAT"), "this is no table at all");
    ScriptedUi ui;
    Catalogue catalogue(folder());
    EXPECT_EQ(CheckDataFiles(catalogue, nullptr), StartupOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_NE(ui.messages[0].text.find("DATA2.DAT"), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(ui.sounds, Items{"error.wav"});
    EXPECT_TRUE(Exists("DATA1.DAT"));
    EXPECT_FALSE(Exists("DATA1.B01"));
    EXPECT_EQ(catalogue.dm1.ArtTable.Active() ? catalogue.dm1.ArtAccess.Count() : 0u, 0u);
}

TEST_F(StartupCheckTest, IndexFilesAreFoundAndReplacedInAnyLetterCase) {
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    std::filesystem::rename(File("Index1.cdx"), File("INDEX1.CDX"));
    std::filesystem::rename(File("Index3.cdx"), File("index3.CDX"));
    {
        ScriptedUi ui;
        Catalogue catalogue(folder());
        ASSERT_EQ(CheckDataFiles(catalogue, nullptr), StartupOutcome::GoOn);
        catalogue.dm3.WriteItems("Jazz", 'G');
        EXPECT_EQ(ItemsOf(catalogue, 'G'), Items{"Jazz"});
    }
    // Without INDEX1.CDX every index file is built anew; an old spelling is not left beside it.
    std::filesystem::remove(File("INDEX1.CDX"));
    ScriptedUi ui;
    Catalogue catalogue(folder());
    EXPECT_EQ(CheckDataFiles(catalogue, nullptr), StartupOutcome::EndProgram);
    EXPECT_EQ(ui.MessageTexts(), Items{kCreated});
    EXPECT_FALSE(Exists("index3.CDX"));
    EXPECT_TRUE(Exists("Index3.cdx") && Exists("Index1.cdx"));
}

// A file that does not open fails the start with the repair that fits it; a table's fault never
// costs an index file, whether the index files are there or about to be built.
TEST_F(StartupCheckTest, AFileThatDoesNotOpenFailsTheStartWithTheRepairThatFitsIt) {
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    const std::string tracks = File("artdat.dat");
    const std::string pristine = ReadFile(tracks);
    std::unique_ptr<xbase::Table> holder;
    const std::string restore = "Restore artdat.dat from your backup";
    const struct {
        std::function<void()> damage;
        std::string advice;
    } cases[] = {
        {[&] { WriteFile(File("Index2.cdx"), std::string(100, 'x')); },
         "Delete " + File("Index1.cdx") + " and start the program again"},
        {[&] { WriteFile(tracks, ""); }, restore},
        {[&] { WriteFile(tracks, pristine.substr(0, 40)); }, restore},
        {[&] {
             std::filesystem::copy_file(File("items.dat"), tracks,
                                        std::filesystem::copy_options::overwrite_existing);
         },
         "field TITEL is missing: this is another table's file"},
        {[&] {
             xbase::Table::Options exclusive;
             exclusive.exclusive = true;
             ASSERT_TRUE(xbase::Table::Open(tracks, exclusive, &holder).ok());
         },
         "artdat.dat is in use by another program"},
    };
    for (const auto& c : cases) {
        for (const bool withIndex1 : {true, false}) {
            if (c.advice.rfind("Delete", 0) == 0 && !withIndex1)
                continue;
            holder.reset();
            WriteFile(tracks, pristine);
            ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
            if (!withIndex1)
                std::filesystem::remove(File("Index1.cdx"));
            c.damage();
            ScriptedUi ui;
            Catalogue catalogue(folder());
            EXPECT_EQ(CheckDataFiles(catalogue, nullptr), StartupOutcome::Failed) << c.advice;
            ASSERT_EQ(ui.messages.size(), 1u) << c.advice;
            EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
            EXPECT_NE(ui.messages[0].text.find(c.advice), std::string::npos) << ui.messages[0].text;
            for (const char* index : {"Index1.cdx", "Index2.cdx", "Index3.cdx", "Index5.cdx"})
                EXPECT_EQ(Exists(index), withIndex1 || index[5] != '1') << c.advice << index;
        }
    }
}

}  // namespace

// An index file with a tag missing, or with a tag under our name but another key, has its tags
// built at open, so no look-up silently misses records. A tag whose key is ours spelt another
// program's way is kept as it is.
TEST_F(CatalogueTest, OpeningBuildsTagsAnIndexFileLacksOrHoldsWithAnotherKey) {
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    const TableDefinition& titles = MainTitleTable();
    const char kOtherSpelling[] = "dtos( AANKOOPDAT )+Upper(drager)+STR(CDNUMMER,10,0)";
    std::filesystem::remove(File("Index2.cdx"));
    {
        std::unique_ptr<xbase::Table> table;
        ASSERT_TRUE(xbase::Table::Open(File("hfdat.dat"), {}, &table).ok());
        ASSERT_TRUE(
            table
                ->CreateTags(File("INDEX2.CDX"), {{titles.tags[0].name, titles.tags[1].expression},
                                                  {titles.tags[8].name, kOtherSpelling}})
                .ok());
    }
    auto catalogue = std::make_unique<Catalogue>(folder());
    catalogue->OpenIndexes();
    for (const TagDefinition& tag : titles.tags) {
        const xbase::OpenTag* open = catalogue->dm2.HfTable.table().FindTag(tag.name);
        ASSERT_NE(open, nullptr) << tag.name;
        EXPECT_EQ(open->tag->info().expression, tag.name == "9" ? kOtherSpelling : tag.expression)
            << tag.name;
    }
}
