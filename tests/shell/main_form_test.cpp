// The main window through its real menu: commands, the lock, toggles, start and closing.
#include "shell/main_form.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <filesystem>
#include <map>

#include "base/ini.h"
#include "base/work_dir.h"
#include "overview/dubbele_artiesten_form.h"
#include "overview/show_art_hf_form.h"
#include "shell/about_box.h"
#include "shell/main_commands.h"
#include "shell/open_scherm.h"
#include "shell/product_logo.h"
#include "shell/program_screens.h"
#include "shell/qt_ui.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

class MainFormTest : public testing::Test {
protected:
    MainFormTest() {
        SetWorkDir(dir.path().string());
        const auto made = CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", folder());
        EXPECT_TRUE(made.ok()) << made.ToString();
    }
    std::string folder() const { return dir.path().string(); }
    // A window on the catalogue, as the program creates it.
    std::unique_ptr<TMainForm> Open() {
        catalogue = std::make_unique<Catalogue>(folder());
        return std::make_unique<TMainForm>(catalogue.get());
    }
    static bool Enabled(TMainForm& form, const char* name) {
        return form.command(name)->isEnabled();
    }

    testutil::TempDir dir;
    ScriptedUi ui;
    std::unique_ptr<Catalogue> catalogue;
};

// With every screen plugged in as the program does it, no command stays grey for want of a
// handler, and no menu gives one access key to two items.
TEST_F(MainFormTest, EveryCommandHasItsCaptionHintShortcutAndHandler) {
    auto form = Open();
    QtUi qtUi;
    const ProgramScreens screens(*form, *catalogue, qtUi);
    for (const MainCommand& item : MainCommands()) {
        if (item.name.isEmpty())
            continue;
        QAction* action = form->command(item.name);
        ASSERT_NE(action, nullptr) << item.name.toStdString();
        EXPECT_EQ(action->text(), item.caption);
        EXPECT_FALSE(action->statusTip().isEmpty());
        EXPECT_TRUE(action->menu() != nullptr || form->handles(item.name))
            << item.name.toStdString();
    }
    EXPECT_EQ(form->command("Close1")->shortcut(), QKeySequence("Alt+F4"));
    EXPECT_EQ(form->command("Specialcharacters1")->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(form->command("Volumesettings1")->shortcut(), QKeySequence("Ctrl+R"));

    // No menu, pop-up or the menu bar itself gives one access key to two items: the main menus,
    // the CD player's pop-up, and the pop-ups of every search, overview and source screen.
    for (const char* name :
         {"Maintitle1", "Label1", "Style1", "Mainartist1", "Artist1", "Title1", "Composer1",
          "Keyword1", "Performance1", "Style2", "Source1", "Year1", "Tracktime1", "Memofields1",
          "Context1", "Artist2", "Maintitles1", "Doubleentries1", "Databaseinformation1"}) {
        form->command(name)->trigger();
    }
    new TShowArtHfForm(*catalogue, form.get());
    new TDubbeleArtiestenForm(*catalogue, form.get());
    QList<QWidget*> menus = {form->menuBar()};
    for (QMenu* menu : form->findChildren<QMenu*>())
        menus.append(menu);
    for (const QWidget* menu : menus) {
        std::map<int, QString> owner;
        for (const QAction* action : menu->actions()) {
            const QKeySequence key = QKeySequence::mnemonic(action->text());
            if (key.isEmpty())
                continue;
            const auto [first, fresh] = owner.emplace(key[0].key(), action->text());
            EXPECT_TRUE(fresh) << menu->parentWidget()->objectName().toStdString() << " "
                               << menu->objectName().toStdString() << ": "
                               << first->second.toStdString() << " and "
                               << action->text().toStdString();
        }
    }
}

TEST_F(MainFormTest, TheProgramsOwnIconOnEveryWindowAndOneVersion) {
    auto form = Open();
    QMdiSubWindow* child = form->mdiArea()->addSubWindow(new QWidget);
    EXPECT_EQ(child->windowIcon().pixmap(16).toImage(), ProductLogoIcon().pixmap(16).toImage());
    TOpenScherm splash;
    TAboutBox about;
    EXPECT_EQ(splash.findChild<QLabel*>("Version")->text(),
              about.findChild<QLabel*>("Version")->text());
}

TEST_F(MainFormTest, ScreensNotYetPluggedInAreDisabledUntilRegistered) {
    auto form = Open();
    EXPECT_FALSE(Enabled(*form, "Add1"));
    EXPECT_FALSE(Enabled(*form, "Tracksentijden1"));  // only while the CD panel is active
    EXPECT_TRUE(Enabled(*form, "General1") && Enabled(*form, "About1"));
    int opened = 0;
    form->registerCommand("Add1", [&opened] { ++opened; });
    ASSERT_TRUE(Enabled(*form, "Add1"));
    form->command("Add1")->trigger();
    EXPECT_EQ(opened, 1);
    form->setEntryOpen(true);
    EXPECT_FALSE(Enabled(*form, "Add1"));
    form->setEntryOpen(false);
    EXPECT_TRUE(Enabled(*form, "Add1"));
}

TEST_F(MainFormTest, TheLockNeedsAPasswordAndDisablesTheProtectedCommandsButNotItself) {
    {
        auto form = Open();  // the template holds the no-password marker
        form->command("Protect1")->trigger();
        EXPECT_EQ(ui.MessageTexts(),
                  std::vector<std::string>{"You have to fill in a password first."});
        EXPECT_FALSE(form->command("Protect1")->isChecked());
        EXPECT_FALSE(IniReadBool("Diversen", "TrackBvAan"));
    }
    IniWriteBool("Diversen", "TrackBvAan", true);
    auto form = Open();
    form->registerCommand("Add1", [] {});
    EXPECT_TRUE(form->command("Protect1")->isChecked() && Enabled(*form, "Protect1"));
    for (const char* name : {"Add1", "General1", "Password1", "Printer1", "PrinterButton", "Hints1",
                             "Toolbar1", "Backup1", "Specialcharacters1"})
        EXPECT_FALSE(Enabled(*form, name)) << name;
    EXPECT_TRUE(Enabled(*form, "Volumesettings1"));
    form->applyProtection(false);
    EXPECT_TRUE(Enabled(*form, "Add1") && Enabled(*form, "General1"));
    EXPECT_FALSE(form->command("Protect1")->isChecked());
}

// An empty cd.ini hides the bars and keeps the close button; toolbar, status bar and hints
// toggle from their commands and are remembered.
TEST_F(MainFormTest, ToolbarStatusbarAndHintsToggleAndAreRemembered) {
    std::filesystem::remove(dir.File("cd.ini"));
    {
        auto form = Open();
        form->show();
        EXPECT_FALSE(form->speedPanel()->isVisible());
        for (const char* name : {"Toolbar1", "Statusbar1", "Hints1"})
            EXPECT_FALSE(form->command(name)->isChecked()) << name;
        EXPECT_TRUE(form->command("CloseButton")->isVisible());
    }
    IniWriteBool("Opstart", "ToonStatusBalk", true);
    auto form = Open();
    form->show();
    const std::tuple<const char*, const char*, const char*, bool> steps[] = {
        {"Toolbar1", "Toolbar1", "ToonWerkBalk", true},
        {"Hidetoolbar1", "Toolbar1", "ToonWerkBalk", false},
        {"Hidestatusbar1", "Statusbar1", "ToonStatusBalk", false},
        {"Hints1", "Hints1", "Hints", true}};
    for (const auto& [command, checked, key, on] : steps) {
        form->command(command)->trigger();
        EXPECT_EQ(form->command(checked)->isChecked(), on) << command;
        EXPECT_EQ(IniReadBool("Opstart", key), on) << command;
        EXPECT_EQ(form->speedPanel()->isVisible(), std::string(key) == "ToonWerkBalk" && on)
            << command;
    }
}

TEST_F(MainFormTest, TheStoredPictureIsTiledBehindTheChildWindows) {
    QImage tile(16, 8, QImage::Format_RGB32);
    tile.fill(Qt::darkCyan);
    ASSERT_TRUE(tile.save(QString::fromStdString(dir.File("tile.bmp")), "BMP"));
    IniWriteString("Opstart", "ToonBitmap", dir.File("tile.bmp"));
    auto form = Open();
    EXPECT_EQ(form->mdiArea()->background().style(), Qt::TexturePattern);
    EXPECT_EQ(form->mdiArea()->background().texture().size(), QSize(16, 8));

    IniWriteString("Opstart", "ToonBitmap", dir.File("missing.bmp"));
    auto plain = Open();
    EXPECT_NE(plain->mdiArea()->background().style(), Qt::TexturePattern);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainFormTest, HintsAndProgressGoToTheirPanels) {
    auto form = Open();
    QStatusTipEvent tip("Printer setup");
    QCoreApplication::sendEvent(form.get(), &tip);
    EXPECT_EQ(form->statusPanel(0)->text(), "Printer setup");
    form->resize(1280, 800);
    form->show();
    const int hintWidth = form->statusPanel(0)->width();
    const QString longText = "Making a safety copy of the catalogue... 1234 of 5678 MB";
    form->showStatusText(longText);
    EXPECT_EQ(form->statusPanel(1)->text(), longText);
    // A long text borrows room from the hints and gives it back when it goes.
    EXPECT_GE(form->statusPanel(1)->width(),
              form->statusPanel(1)->fontMetrics().horizontalAdvance(longText));
    form->showStatusText("");
    EXPECT_TRUE(form->statusPanel(1)->text().isEmpty());
    EXPECT_EQ(form->statusPanel(0)->width(), hintWidth);
}

// An empty playlist only tells so; an outside program starts from its stored path.
TEST_F(MainFormTest, PlaylistAndExternalProgramsNeedNoScreen) {
    IniWriteString("Opstart", "StartVolumeControl", "/bin/sh");
    auto form = Open();
    int opened = 0;
    form->setPlaylistOpener([&opened] { ++opened; });
    form->command("Playlist1")->trigger();
    form->command("Volumesettings1")->trigger();
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"The playlist is empty!"});
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(ui.started, std::vector<std::string>{"/bin/sh"});
}

TEST_F(MainFormTest, TheShowStepChecksTheDataFilesAndThePassword) {
    {
        auto form = Open();
        EXPECT_TRUE(form->runShowStep());  // template: indexes present, no password
        EXPECT_TRUE(ui.messages.empty());
    }
    catalogue.reset();
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().extension() == ".cdx")
            std::filesystem::remove(entry.path());
    }
    auto form = Open();
    EXPECT_FALSE(form->runShowStep());
    EXPECT_EQ(ui.MessageTexts().back(),
              "Files are created. The program will be closed! Restart the program after closing.");
    EXPECT_TRUE(std::filesystem::exists(dir.File("Index1.cdx")));
    EXPECT_FALSE(form->startFailed());  // the run ends as planned, with status 0

    // A missing password entry ends the start as failed.
    IniWriteString("Diversen", "Code_0001", "");
    ui.messages.clear();
    auto refused = Open();
    EXPECT_FALSE(refused->runShowStep());
    EXPECT_TRUE(refused->startFailed());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("cd.ini in ", 0), 0u);
}

TEST_F(MainFormTest, ClosingAsksWhenConfiguredAndShowsNoReminderOnNo) {
    IniWriteBool("Diversen", "Afsluitbox", true);
    IniWriteBool("Diversen", "MeldBackupWindow", true);
    auto form = Open();
    form->show();
    ui.answers = {MsgAnswer::No};
    form->command("Close1")->trigger();
    EXPECT_TRUE(form->isVisible());
    ui.answers = {MsgAnswer::Yes};
    form->command("CloseButton")->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
