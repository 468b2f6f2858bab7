// "Renumber" and "Search and replace" through the menu, and refused while entry is open.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTimer>

#include "base/text.h"
#include "entry/entry_commands.h"
#include "maintenance/maintenance_fixture.h"
#include "shell/modal_driver.h"
#include "store/safety_copy.h"
#include "test_util.h"

namespace {

// Answers the "Replace" questions in turn with the buttons given, checking the value each shows.
void AnswerQuestions(std::vector<std::pair<const char*, QString>> answers) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answers]() mutable {
        QWidget* question = QApplication::activeModalWidget();
        if (question == nullptr || question->objectName() != "MeldVervang")
            return;
        EXPECT_EQ(question->findChild<QLabel*>("Label2")->text(), answers.front().second);
        const char* button = answers.front().first;
        answers.erase(answers.begin());
        if (answers.empty())
            poll->deleteLater();
        question->findChild<QPushButton*>(button)->click();
    });
    poll->start(10);
}

class ReplaceRenumberScreensTest : public MaintenanceFixture {
protected:
    void SetUp() override {
        MaintenanceFixture::SetUp();
        for (const char* number : {"4", "8"}) {
            Add(catalogue_->dm2.HfTable, number, "HTITEL", "Love Songs");
            Add(catalogue_->dm1.ArtTable, number, "TITEL", "my love");
        }
    }
    static void Add(TTable& table, const char* number, const char* field, const char* value) {
        table.Insert();
        table.SetFieldAsString("DRAGER", "CD");
        table.SetFieldAsString("CDNUMMER", number);
        table.SetFieldAsString(field, value);
        table.Post();
    }
    std::string Value(TTableAccess& access, uint32_t recno, const char* field) {
        access.Go(recno);
        return Trim(access.GetString(field).bytes());
    }
};

TEST_F(ReplaceRenumberScreensTest, RenumberEnablesOkPlacesTheSourcesAndKeepsACopy) {
    testutil::WhenModalShown([](QWidget* screen) {
        auto* ok = screen->findChild<QPushButton*>("BitBtn1");
        EXPECT_FALSE(ok->isEnabled());
        screen->findChild<QComboBox*>("hDrager")->setEditText("cd");
        screen->findChild<QLineEdit*>("hNummer")->setText("10");
        EXPECT_TRUE(ok->isEnabled());
        ok->click();
    });
    form_->show();
    form_->activateWindow();
    form_->command("Renumber1")->trigger();
    EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"2 source(s) are renumbered."});
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), form_.get());  // the focus is back in the program
    EXPECT_EQ(catalogue_->dm2.HfAccess.Count(), 2u);
    for (uint32_t recno : {1u, 2u}) {
        EXPECT_EQ(Value(catalogue_->dm2.HfAccess, recno, "CDNUMMER"), std::to_string(9 + recno));
        EXPECT_EQ(Value(catalogue_->dm1.ArtAccess, recno, "CDNUMMER"), std::to_string(9 + recno));
    }
    EXPECT_EQ(ListSafetyCopies(folder_).at(0).what, "renumber");
}

TEST_F(ReplaceRenumberScreensTest, SearchAndReplaceAsksAboutEachChangeAndCountsThem) {
    testutil::WhenModalShown([](QWidget* screen) {
        auto* ok = screen->findChild<QPushButton*>("BitBtn1");
        ok->click();  // nothing typed yet
        screen->findChild<QLineEdit*>("lZoekStr")->setText("LOVE");
        screen->findChild<QLineEdit*>("VervangStr")->setText("hate");
        screen->findChild<QCheckBox*>("vWaarschuw")->setChecked(true);
        // The first change is made, the second skipped, the third stops the run.
        AnswerQuestions(
            {{"BitBtn1", "my love"}, {"BitBtn2", "my love"}, {"BitBtn4", "Love Songs"}});
        ok->click();
        EXPECT_EQ(screen->findChild<QLabel*>("Tel")->text(), "0");
        screen->close();
    });
    form_->command("Searchandreplace1")->trigger();
    EXPECT_EQ(ui_.MessageTexts(), (std::vector<std::string>{"You must fill in both fields!",
                                                            "1 record(s) are replaced."}));
    // The status line tells what goes on while the run lasts.
    ASSERT_GE(ui_.statuses.size(), 2u);
    EXPECT_NE(std::find(ui_.statuses.begin(), ui_.statuses.end(), "Replacing field..."),
              ui_.statuses.end());
    EXPECT_EQ(ui_.statuses.back(), "");
    EXPECT_EQ(Value(catalogue_->dm1.ArtAccess, 1, "TITEL"), "My hate");
    EXPECT_EQ(Value(catalogue_->dm1.ArtAccess, 2, "TITEL"), "my love");
    EXPECT_EQ(Value(catalogue_->dm2.HfAccess, 1, "HTITEL"), "Love Songs");
}

TEST_F(ReplaceRenumberScreensTest, BothRefuseWhileTheEntryScreenIsOpen) {
    InstallEntryCommands(*form_, *catalogue_, nullptr);
    form_->command("Add1")->trigger();
    ASSERT_EQ(form_->mdiArea()->subWindowList().size(), 1);
    form_->command("Renumber1")->trigger();
    form_->command("Searchandreplace1")->trigger();
    EXPECT_EQ(ui_.MessageTexts(),
              (std::vector<std::string>{
                  "Please close the screen \"Add\" first: \"Renumber\" cannot run while it is "
                  "open.",
                  "Please close the screen \"Add\" first: \"Search and replace\" cannot run while "
                  "it is open."}));
}

}  // namespace
