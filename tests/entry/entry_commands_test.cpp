// The main window's entry commands driven through its real menu: the entry screen opens as a
// child window with the entry commands disabled until it closes (and the commands that change the
// whole catalogue refused), and "&Reopen" refuses while a source is still open.
#include "entry/entry_commands.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "entry/geluids_invoer.h"
#include "entry_fixture.h"
#include "shell/clean_end.h"
#include "shell/editing_screens.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"
#include "store/source_key.h"

namespace {

class EntryCommandsTest : public EntryTest {
protected:
    void SetUp() override {
        EntryTest::SetUp();
        form_ = std::make_unique<TMainForm>(&catalogue());
        InstallEntryCommands(*form_, catalogue(),
                             [this](const std::string& key) { shown_.push_back(key); });
    }
    bool Enabled(const char* name) { return form_->command(name)->isEnabled(); }

    ScriptedUi ui_;
    std::unique_ptr<TMainForm> form_;
    std::vector<std::string> shown_;  // the sources the entry screen opened
};

TEST_F(EntryCommandsTest, AddOpensOneEntryScreenAndDisablesTheEntryCommandsUntilItCloses) {
    ASSERT_TRUE(Enabled("Add1"));
    form_->command("Add1")->trigger();
    const QList<QMdiSubWindow*> windows = form_->mdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 1);
    EXPECT_NE(qobject_cast<TGeluidsInvoer*>(windows[0]->widget()), nullptr);
    for (const char* name : {"Add1", "Reopen1", "Addingsource1", "AddButton", "ReopenButton"}) {
        EXPECT_FALSE(Enabled(name)) << name;
    }
    form_->command("HelpGeneral1")->trigger();  // F1: the screen's own page
    EXPECT_EQ(ui_.helpContexts, std::vector<int>{50});
    EXPECT_TRUE(Enabled("Addsometracks1"));
    // Commands that change the whole catalogue refuse, naming the screen to close.
    EXPECT_TRUE(RefuseWhileEditing(*form_, "Optimize databases"));
    EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"Please close the screen \"Add\" first: "
                                                           "\"Optimize databases\" cannot run "
                                                           "while it is open."});
    ui_.messages.clear();

    windows[0]->close();  // nothing typed: closes without a question
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_FALSE(RefuseWhileEditing(*form_, "Optimize databases"));
    EXPECT_TRUE(Enabled("Add1"));
    EXPECT_TRUE(Enabled("ReopenButton"));
    form_->command("HelpGeneral1")->trigger();  // no screen open: the contents
    EXPECT_EQ(ui_.helpContexts, (std::vector<int>{50, 0}));
}

TEST_F(EntryCommandsTest, ReopenRefusesWhileASourceIsOpenAndTheButtonContinuesIt) {
    IniWriteString("Diversen", "OpenDrager", "CD                 7");
    EXPECT_TRUE(SourceLeftOpen());
    form_->command("Reopen1")->trigger();
    EXPECT_EQ(ui_.MessageTexts(), std::vector<std::string>{"There is still a source open!"});
    EXPECT_TRUE(form_->mdiArea()->subWindowList().isEmpty());

    AddMainTitle({{"DRAGER", "CD"}, {"CDNUMMER", "7"}, {"HTITEL", "Kept open"}});
    form_->show();  // the entry screen opens its source when it is shown
    form_->command("ReopenButton")->trigger();
    ASSERT_EQ(form_->mdiArea()->subWindowList().size(), 1);
    EXPECT_FALSE(SourceLeftOpen());  // the entry screen took the source over
    form_->mdiArea()->subWindowList()[0]->close();

    IniWriteString("Diversen", "OpenDrager", "");
    EXPECT_FALSE(SourceLeftOpen());
    IniWriteString("Diversen", "OpenDrager", "FOUT");
    EXPECT_FALSE(SourceLeftOpen());
}

TEST_F(EntryCommandsTest, TheEntryScreensAccessKeysWinOverTheMainMenus) {
    AddMainTitle({{"DRAGER", "CD"}, {"CDNUMMER", "12"}, {"HTITEL", "Blue"}, {"HOOFDART", "Joni"}});
    form_->show();
    QApplication::setActiveWindow(form_.get());
    form_->command("Add1")->trigger();
    QWidget* artist = form_->mdiArea()->subWindowList().at(0)->findChild<QWidget*>("InvArtiest");
    artist->setFocus();
    // A letter the screen does not use still opens its menu.
    QTest::keyClick(artist, Qt::Key_E, Qt::AltModifier);
    auto* search = form_->findChild<QMenu*>("Zoeken1");
    EXPECT_TRUE(search->isVisible());
    search->close();

    // The notice of a source the catalogue has already opens it; the entry goes on.
    const std::pair<const char*, const char*> typed[] = {{"InvHoofdtitel", "BLUE"},
                                                         {"InvHoofdartiest", "joni"}};
    for (const auto& [name, text] : typed) {
        QLineEdit* edit = form_->findChild<QComboBox*>(name)->lineEdit();
        edit->setFocus();
        QTest::keyClicks(edit, text);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(shown_, std::vector<std::string>{SourceSeekKey("CD", 12)});

    artist->setFocus();
    QTest::keyClicks(artist, "artist");
    QTest::keyClicks(form_->findChild<QWidget*>("InvTitel"), "title");
    QTest::keyClick(artist, Qt::Key_N, Qt::AltModifier);
    QTest::keyClick(artist, Qt::Key_S, Qt::AltModifier);  // "Save and close", not the Source menu
    EXPECT_FALSE(form_->findChild<QMenu*>("Bron1")->isVisible());
    EXPECT_TRUE(form_->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(Tracks().size(), 1u);
    EXPECT_EQ(MainTitles().size(), 2u);
}

// Closing the program by any route (the menu, the toolbar, the window's close box) first closes
// the entry screen through its own closing: its question, then the main title written and the
// carrier's counter moved on; only then the program's own question and the backup reminder. No
// keeps both open. A logout or a shutdown ends it the same way without any question or reminder.
TEST_F(EntryCommandsTest, ClosingTheProgramClosesTheEntryScreenFirst) {
    IniWriteInteger("Diversen", "MeldBackupOp", 1);
    IniWriteBool("Diversen", "Afsluitbox", true);
    struct Case {
        const char* route;  // a command; "" the close box; "end" the end without questions
        MsgAnswer answer;
        bool asked;
    };
    const Case cases[] = {{"Close1", MsgAnswer::No, true},
                          {"Close1", MsgAnswer::Yes, true},
                          {"CloseButton", MsgAnswer::Yes, true},
                          {"", MsgAnswer::Yes, true},
                          {"end", MsgAnswer::No, false}};
    int saved = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.route);
        IniWriteInteger("Diversen", "MeldBackup", 0);
        form_->show();
        if (form_->mdiArea()->subWindowList().isEmpty())
            form_->command("Add1")->trigger();
        QWidget* screen = form_->mdiArea()->subWindowList().at(0)->widget();
        EntrySession& s = qobject_cast<TGeluidsInvoer*>(screen)->session();
        s.fields.artiest = s.fields.titel = "A";
        ASSERT_TRUE(s.WriteTracks(false));
        const bool closes = c.answer == MsgAnswer::Yes || !c.asked;
        bool reminded = false;
        if (closes && c.asked)
            testutil::WhenModalShown([&reminded](QWidget* reminder) {
                reminded = reminder->objectName() == "BackupForm";
                reminder->close();
            });
        ui_.messages.clear();
        if (c.asked)
            ui_.answers = {c.answer, MsgAnswer::Yes};
        const std::string route = c.route;
        route == "end"   ? EndWithoutQuestions(*form_)
        : !route.empty() ? form_->command(c.route)->trigger()
                         : void(form_->close());
        std::vector<std::string> asked;
        if (c.asked)
            asked.push_back("Information will be lost. Do you want to abort?");
        if (c.asked && closes)
            asked.push_back("Are you sure you want to leave the program?");
        EXPECT_EQ(ui_.MessageTexts(), asked);
        saved += closes ? 1 : 0;
        EXPECT_EQ(form_->isVisible(), !closes);
        EXPECT_EQ(reminded, closes && c.asked);
        EXPECT_EQ(IniReadInteger("Geluidsdragers", "CD", 1), saved + 1);
    }
    // The end asked the application to quit, which no event loop ran: run that quit now, or
    // every later dialog's loop would end at once.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
}

TEST_F(EntryCommandsTest, TheLockDisablesTheEntryCommands) {
    form_->applyProtection(true);
    EXPECT_FALSE(Enabled("Add1"));
    EXPECT_FALSE(Enabled("Addsometracks1"));
    EXPECT_TRUE(Enabled("Number1"));  // showing a source changes nothing
    form_->applyProtection(false);
    EXPECT_TRUE(Enabled("Add1"));
}

}  // namespace
