// Opening a catalogue folder: missing or damaged tables, a new catalogue from the template.
#include "store/catalogue_folder.h"

#include <gtest/gtest.h>

#include "catalogue_fixture.h"
#include "store/startup_check.h"
#include "store/table_error.h"
#include "support/scripted_ui.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.push_back(fs::relative(entry.path(), folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

// What the failure to open `folder` as a catalogue says.
std::string OpenFailure(const std::string& folder) {
    std::unique_ptr<Catalogue> catalogue;
    xbase::Status status = Catalogue::Open(folder, &catalogue);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(catalogue, nullptr);
    EXPECT_THROW(Catalogue{folder}, TableError);
    return status.ToString();
}

using CatalogueFolderTest = CatalogueTest;

TEST_F(CatalogueFolderTest, AMissingOrDamagedTableIsReportedByName) {
    EXPECT_TRUE(MissingCatalogueTables(folder()).empty());
    {
        std::unique_ptr<Catalogue> catalogue;
        EXPECT_TRUE(Catalogue::Open(folder(), &catalogue).ok());
    }
    fs::rename(File("Uitdat.dat"), File("Uitdat.old"));
    EXPECT_EQ(MissingCatalogueTables(folder()), std::vector<std::string>{"Uitdat.dat"});
    EXPECT_FALSE(HasNoCatalogue(folder()));
    EXPECT_NE(OpenFailure(folder()).find("Uitdat.dat"), std::string::npos);
    fs::rename(File("Uitdat.old"), File("UITDAT.DAT"));  // any spelling will do

    WriteFile(File("playlist.dat"), "no table here");
    EXPECT_NE(OpenFailure(folder()).find("playlist.dat"), std::string::npos);
    fs::remove(File("playlist.dat"));

    fs::remove(File("hfdat.fpt"));
    EXPECT_NE(OpenFailure(folder()).find("hfdat.fpt"), std::string::npos);

    testutil::TempDir empty;
    EXPECT_TRUE(HasNoCatalogue(empty.path().string()));
    EXPECT_EQ(MissingCatalogueTables(empty.path().string()).size(), 5u);
}

TEST_F(CatalogueFolderTest, ANewCatalogueIsCopiedFromTheTemplate) {
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    WriteFile(File("cd.ini"), "[Diversen]\r\nGeluid=1\r\n");
    WriteFile(File("print.ini"), "[Print]\r\n");
    WriteFile(File("error.wav"), "RIFF");
    WriteFile(File("notes.txt"), "not part of a catalogue");
    fs::create_directories(File("help/images"));
    WriteFile(File("help/index.html"), "<html></html>");
    WriteFile(File("help/images/cd.png"), "PNG");

    testutil::TempDir target;
    const std::string into = (target.path() / "catalogue").string();
    fs::create_directories(into / fs::path("help"));
    WriteFile(into + "/help/index.html", "the user's own page");  // kept
    ASSERT_TRUE(CreateCatalogueFromTemplate(folder(), into).ok());
    EXPECT_EQ(Listing(into),
              (std::vector<std::string>{"Index1.cdx", "Index2.cdx", "Index3.cdx", "Index4.cdx",
                                        "Index5.cdx", "Uitdat.dat", "artdat.dat", "cd.ini",
                                        "error.wav", "help", "help/images", "help/images/cd.png",
                                        "help/index.html", "hfdat.dat", "hfdat.fpt", "items.dat",
                                        "playlist.dat", "print.ini"}));
    EXPECT_EQ(ReadFile(into + "/cd.ini"), "[Diversen]\r\nGeluid=1\r\n");
    EXPECT_EQ(ReadFile(into + "/help/index.html"), "the user's own page");

    ScriptedUi ui;
    Catalogue catalogue(into);
    EXPECT_EQ(CheckDataFiles(catalogue, nullptr), StartupOutcome::GoOn);
    EXPECT_TRUE(ui.messages.empty());
}

// A folder whose tables were moved away still holds their memo texts, indexes and settings.
TEST_F(CatalogueFolderTest, TheTemplateIsNeverCopiedOverAnyFileOfACatalogue) {
    ASSERT_TRUE(CreateCatalogueIndexes(folder()).ok());
    WriteFile(File("cd.ini"), "[Diversen]\r\n");
    for (const char* name : {"ITEMS.DAT", "HFDAT.fpt", "index3.CDX", "Cd.Ini", "print.ini"}) {
        testutil::TempDir target;
        const std::string into = target.path().string();
        WriteFile(into + "/" + name, "the user's file");
        const xbase::Status made = CreateCatalogueFromTemplate(folder(), into);
        EXPECT_NE(made.ToString().find(name), std::string::npos) << made.ToString();
        EXPECT_EQ(Listing(into), std::vector<std::string>{name});
        EXPECT_EQ(ReadFile(into + "/" + name), "the user's file");
        EXPECT_EQ(CatalogueFilesIn(into), std::vector<std::string>{name});
    }

    // Nor is an incomplete template copied.
    testutil::TempDir partial, elsewhere;
    fs::copy_file(File("artdat.dat"), partial.File("artdat.dat"));
    EXPECT_FALSE(
        CreateCatalogueFromTemplate(partial.path().string(), elsewhere.path().string()).ok());
    EXPECT_TRUE(fs::is_empty(elsewhere.path()));
}

}  // namespace
