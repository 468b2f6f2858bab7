// Optimize and restoring a safety copy through the main window's menu; both end the program.
#include <QApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "base/ini.h"
#include "maintenance/maintenance_fixture.h"
#include "shell/modal_driver.h"
#include "store/safety_copy.h"
#include "test_util.h"

namespace {

class MaintenanceScreensTest : public MaintenanceFixture {
protected:
    void BeforeOpening() override { IniWriteBool("Diversen", "Geluid", true); }
    // Ending the program asked the application to quit, which no event loop ran yet: run that
    // quit now, or every later dialog's loop would end at once.
    void TearDown() override {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        QCoreApplication::exec();
    }

    void AddTrack(const std::string& title) {
        TTable& table = catalogue_->dm1.ArtTable;
        table.Insert();
        table.SetFieldAsString("DRAGER", "CD");
        table.SetFieldAsString("ARTIEST", "Artist");
        table.SetFieldAsString("TITEL", title);
        table.Post();
    }
    uint32_t TracksInFile() {
        std::unique_ptr<xbase::Table> file;
        EXPECT_TRUE(xbase::Table::Open(folder_ + "/artdat.dat", {}, &file).ok());
        return file ? file->recordCount() : 0;
    }
};

TEST_F(MaintenanceScreensTest, OptimizeCopiesPacksDeletedRecordsAwayAndEndsTheProgram) {
    AddTrack("Kept");
    AddTrack("Deleted");
    catalogue_->dm1.ArtAccess.Delete();
    ASSERT_TRUE(form_->command("Optimize1")->isEnabled());

    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_FALSE(screen->findChild<QProgressBar*>()->isVisibleTo(screen));  // nothing runs
        screen->findChild<QPushButton*>("BitBtn1")->click();
    });
    form_->command("Optimize1")->trigger();
    EXPECT_EQ(TracksInFile(), 1u);
    EXPECT_EQ(ui_.MessageTexts(),
              std::vector<std::string>{"Optimized: artdat.dat, hfdat.dat and Uitdat.dat.\nThe "
                                       "program will be closed."});
    EXPECT_EQ(ui_.sounds, std::vector<std::string>{"Opti.wav"});
    EXPECT_TRUE(form_->ending());
    const std::vector<SafetyCopy> copies = ListSafetyCopies(folder_);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].what, "optimize");
}

// Another program writing a table: it is named, and the end says what was and was not done.
TEST_F(MaintenanceScreensTest, OptimizeNamesATableInUseAndSaysWhatItOptimized) {
    AddTrack("Deleted");
    catalogue_->dm1.ArtAccess.Delete();
    std::unique_ptr<xbase::Table> other;
    ASSERT_TRUE(xbase::Table::Open(folder_ + "/artdat.dat", {}, &other).ok());
    testutil::WhenModalShown(
        [](QWidget* screen) { screen->findChild<QPushButton*>("BitBtn1")->click(); });
    form_->command("Optimize1")->trigger();
    EXPECT_EQ(ui_.MessageTexts(),
              (std::vector<std::string>{
                  "File is in use, try later.\nartdat.dat is open in another program.",
                  "Optimized: hfdat.dat and Uitdat.dat.\nNot optimized: artdat.dat; optimize again "
                  "when no other program uses it.\nThe program will be closed."}));
    EXPECT_EQ(TracksInFile(), 1u);  // the deleted track is still in the file
}

TEST_F(MaintenanceScreensTest, RestorePutsTheChosenCopyBackAndEndsTheProgram) {
    form_->command("Restoresafetycopy1")->trigger();
    EXPECT_EQ(ui_.messages.size(), 1u);  // no copy yet: says so, no screen
    ui_.messages.clear();

    AddTrack("Before");
    ASSERT_TRUE(TakeSafetyCopy(*catalogue_, "renumber", nullptr).ok());
    AddTrack("After");
    ui_.answers.push_back(MsgAnswer::Yes);
    testutil::WhenModalShown([](QWidget* screen) {
        auto* grid = screen->findChild<QTableWidget*>("StringGrid1");
        ASSERT_EQ(grid->rowCount(), 1);
        EXPECT_EQ(grid->item(0, 1)->text(), "Renumber");  // the job's name, not its code
        EXPECT_FALSE(screen->findChild<QProgressBar*>()->isVisibleTo(screen));  // nothing runs
        screen->findChild<QPushButton*>("BitBtn1")->click();
    });
    form_->command("Restoresafetycopy1")->trigger();
    EXPECT_TRUE(form_->ending());
    EXPECT_EQ(TracksInFile(), 1u);
    EXPECT_EQ(ListSafetyCopies(folder_).front().what, "before-restore");
    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[1].text, "The program will be closed.");
}

}  // namespace
