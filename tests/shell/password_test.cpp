// Password protection: the start check, the tries of a run, the lock, changing the password.
#include "shell/password.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include "base/ini.h"
#include "base/text.h"
#include "base/work_dir.h"
#include "modal_driver.h"
#include "shell/conf_paswoord.h"
#include "shell/password_store.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace {

using Strings = std::vector<std::string>;

constexpr char kIncorrect[] = "Password is incorrect.";
constexpr char kDenied[] = "Access to this program is denied!";

class PasswordTest : public testing::Test {
protected:
    PasswordTest() {
        SetWorkDir(dir.path().string());
        std::ofstream(dir.File("error.wav")) << "RIFF";
        IniWriteBool("Diversen", "Geluid", true);
        ResetPasswordAttempts();
    }
    ~PasswordTest() override { ResetPasswordAttempts(); }

    static void SetPassword(const std::string& plain) {
        IniWriteString("Diversen", "Code_0001", InvertBytes(plain));
    }

    // Types each try into the password dialog and presses OK while the dialog stays open;
    // nullopt presses "&Cancel".
    static void AnswerPassword(std::vector<std::optional<QString>> tries) {
        testutil::WhenModalShown([tries](QWidget* dialog) {
            auto* field = dialog->findChild<QLineEdit*>("Password");
            auto* ok = dialog->findChild<QPushButton*>("OKBtn");
            auto* cancel = dialog->findChild<QPushButton*>("CancelBtn");
            ASSERT_TRUE(field && ok && cancel);
            EXPECT_EQ(field->echoMode(), QLineEdit::Password);
            EXPECT_EQ(field->maxLength(), 25);
            for (const std::optional<QString>& attempt : tries) {
                if (!dialog->isVisible()) {
                    ADD_FAILURE() << "the dialog closed before all tries were typed";
                    return;
                }
                if (!attempt) {
                    cancel->click();
                    return;
                }
                field->setText(*attempt);
                ok->click();
            }
        });
    }

    testutil::TempDir dir;
    ScriptedUi ui;
};

// Three tries at start: two wrong ones are answered with a sound each, a third wrong one (letter
// case counts) denies access. An accented password is compared in its stored code page.
TEST_F(PasswordTest, AStartAllowsThreeTriesAndThenDeniesAccess) {
    const struct {
        std::string stored;
        std::vector<std::optional<QString>> tries;
        bool starts;
        Strings messages;
    } cases[] = {
        {"Secret", {"one", "two", "three"}, false, {kIncorrect, kIncorrect, kDenied}},
        {"Secret", {"one", "two", "Secret"}, true, {kIncorrect, kIncorrect}},
        {"Secret", {"secret", "SECRET", "sEcReT"}, false, {kIncorrect, kIncorrect, kDenied}},
        {"caf\xE9", {QString::fromUtf8("caf\xC3\xA9")}, true, {}}};  // Windows-1252 é
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tries.back()->toStdString());
        SetPassword(c.stored);
        ResetPasswordAttempts();
        ui.messages.clear();
        ui.sounds.clear();
        AnswerPassword(c.tries);
        EXPECT_EQ(ChkPaswoord(nullptr), c.starts);
        EXPECT_EQ(ui.MessageTexts(), c.messages);
        EXPECT_EQ(ui.sounds, Strings(c.messages.empty() ? 0 : 2, "error.wav"));
        if (!c.starts) {
            EXPECT_EQ(ui.messages.back().kind, MsgKind::Warning);
        }
    }
}

// Each way cd.ini can fail the start is named, with the repair that keeps the catalogue.
TEST_F(PasswordTest, ACdIniThatCannotStartTheProgramIsNamedWithItsRepair) {
    const std::string ini = IniFileName();
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[&] { std::filesystem::remove(ini); }, "is missing"},
        {[&] { std::ofstream(ini, std::ios::trunc); }, "is empty"},
        {[&] { std::ofstream(ini) << std::string("\177ELF\0\1garbage", 12); },
         "is not a settings file"},
        {[&] { std::filesystem::create_directory(ini); }, "cannot be read: not a regular file"},
        {[&] { std::ofstream(ini) << std::string(17 << 20, ';'); }, "cannot be read: larger"},
        {[&] { std::ofstream(ini) << "[Diversen]\nCode_0001=   \nTrackBvAan=1\n"; },
         "holds no password entry (Code_0001 in section [Diversen])"},
    };
    for (const auto& [make, cause] : cases) {
        std::filesystem::remove_all(ini);
        make();
        ui.messages.clear();
        EXPECT_FALSE(ChkPaswoord(nullptr)) << cause;
        ASSERT_EQ(ui.MessageTexts().size(), 1u) << cause;
        const std::string text = ui.MessageTexts()[0];
        EXPECT_EQ(text.rfind("cd.ini in " + dir.path().string() + " " + cause, 0), 0u) << text;
        EXPECT_NE(text.find("/cd.ini into " + dir.path().string() +
                            ". The catalogue stays as it is; the settings and the password "
                            "are reset."),
                  std::string::npos)
            << text;
        EXPECT_EQ(text.find('@'), std::string::npos) << text;
    }
    EXPECT_EQ(PasswordAttempts(), 0);
}

TEST_F(PasswordTest, LaterQuestionsInTheRunAllowFewerTries) {
    SetPassword("Secret");
    AnswerPassword({"one", "two", "three"});  // attempts: shown 1, wrong 2, wrong 3, closed
    EXPECT_FALSE(AskPassword(nullptr, false));
    EXPECT_EQ(ui.MessageTexts(), (Strings{kIncorrect, kIncorrect}));  // no denial: not at start
    EXPECT_EQ(PasswordAttempts(), 3);

    ui.messages.clear();
    AnswerPassword({"wrong"});  // shown at 4: the first wrong try closes the dialog
    EXPECT_FALSE(AskPassword(nullptr, false));
    EXPECT_TRUE(ui.messages.empty());
    AnswerPassword({"Secret"});
    EXPECT_TRUE(AskPassword(nullptr, false));
}

TEST_F(PasswordTest, CancelIsNoAnswerEvenWithTheRightTextTyped) {
    SetPassword("Secret");
    testutil::WhenModalShown([](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Password")->setText("Secret");
        dialog->findChild<QPushButton*>("CancelBtn")->click();
    });
    EXPECT_FALSE(ChkPaswoord(nullptr));
    EXPECT_EQ(ui.MessageTexts(), (Strings{kDenied}));
}

// The lock needs a password to exist, none to go on and the right one to come off; while it is
// on, the start asks nothing and protected options are refused.
TEST_F(PasswordTest, TheLockGoesOnFreelyAndComesOffWithThePassword) {
    SetPassword(std::string(kNoPasswordMarker));
    EXPECT_TRUE(ChkPaswoord(nullptr));
    EXPECT_FALSE(ToggleProtection(nullptr, false));
    EXPECT_EQ(IniReadString("Diversen", "TrackBvAan"), "FOUT");
    EXPECT_EQ(ui.MessageTexts(), (Strings{"You have to fill in a password first."}));
    EXPECT_TRUE(NietBeveiligd());
    EXPECT_FALSE(ChkBeveiliging());
    SetPassword("Secret");
    EXPECT_TRUE(ToggleProtection(nullptr, false));
    EXPECT_TRUE(IniReadBool("Diversen", "TrackBvAan"));
    EXPECT_TRUE(ChkPaswoord(nullptr));
    EXPECT_EQ(PasswordAttempts(), 0);  // no dialog was shown
    EXPECT_FALSE(NietBeveiligd());
    ui.messages.clear();
    ui.sounds.clear();
    EXPECT_TRUE(ChkBeveiliging());
    EXPECT_EQ(ui.MessageTexts(), (Strings{"You are not authorized to use this option."}));
    EXPECT_EQ(ui.sounds, (Strings{"error.wav"}));

    AnswerPassword({"wrong", std::nullopt});
    EXPECT_TRUE(ToggleProtection(nullptr, true));
    EXPECT_TRUE(IniReadBool("Diversen", "TrackBvAan"));
    AnswerPassword({"Secret"});
    EXPECT_FALSE(ToggleProtection(nullptr, true));
    EXPECT_FALSE(IniReadBool("Diversen", "TrackBvAan"));
    EXPECT_EQ(ui.MessageTexts().back(), kIncorrect);
}

class ConfPaswoordTest : public PasswordTest {
protected:
    // Shows the dialog over the stored password `password`.
    void Open(const std::string& password) {
        SetPassword(password);
        dialog = std::make_unique<TConfPaswoord>();
        dialog->show();
        f = {dialog->findChild<QLineEdit*>("PresentPassword"),
             dialog->findChild<QLineEdit*>("NewPassword"),
             dialog->findChild<QLineEdit*>("RepeatPassword"),
             dialog->findChild<QPushButton*>("OKBtn")};
        ASSERT_TRUE(f.present && f.fresh && f.repeat && f.ok);
    }
    // Types the new password twice (the second time as `repeat`) and presses OK.
    void Submit(const QString& fresh, const QString& repeat) {
        f.fresh->setText(fresh);
        f.repeat->setText(repeat);
        f.ok->click();
    }

    std::unique_ptr<TConfPaswoord> dialog;
    struct {
        QLineEdit *present, *fresh, *repeat;
        QPushButton* ok;
    } f{};
};

TEST_F(ConfPaswoordTest, TheNewFieldsOpenForThePresentPasswordAndMustMatch) {
    Open("Secret");
    EXPECT_TRUE(f.present->isEnabled());
    EXPECT_FALSE(f.fresh->isEnabled() || f.repeat->isEnabled() || f.ok->isEnabled());
    f.present->setText("secret");
    EXPECT_FALSE(f.fresh->isEnabled());
    f.present->setText("Secret");
    EXPECT_TRUE(f.fresh->isEnabled() && f.repeat->isEnabled() && f.ok->isEnabled());
    for (QLineEdit* edit : {f.present, f.fresh, f.repeat}) {
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        EXPECT_EQ(edit->maxLength(), 25);
    }
    Submit("New one", "New one!");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(ui.MessageTexts(), (Strings{"Passwords do not match!"}));
    EXPECT_EQ(ui.sounds, (Strings{"error.wav"}));
    EXPECT_EQ(PlainPassword(), "Secret");

    Submit("New one", "New one");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ui.MessageTexts().back(), "The password is successfully changed.");
    EXPECT_EQ(IniReadString("Diversen", "Code_0001"), InvertBytes("New one"));
    EXPECT_EQ(std::filesystem::status(IniFileName()).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
}

TEST_F(ConfPaswoordTest, ABlankPasswordDisablesItAndTheNextStartAsksNothing) {
    Open("Secret");
    f.present->setText("Secret");
    f.ok->click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ui.MessageTexts(), (Strings{"The password is disabled."}));
    EXPECT_TRUE(NoPasswordSet());
    EXPECT_TRUE(ChkPaswoord(nullptr));
    EXPECT_EQ(PasswordAttempts(), 0);
}

// Without a password a new one is set at once, unless the settings file cannot keep it: the
// marker itself would mean "no password"; a Greek letter has no Windows-1252 byte; o-umlaut
// inverts to a tab, which the file would trim off the end of the value.
TEST_F(ConfPaswoordTest, WithoutPasswordANewOneIsSetAtOnceIfTheFileCanKeepIt) {
    Open(std::string(kNoPasswordMarker));
    EXPECT_FALSE(f.present->isEnabled());
    ASSERT_TRUE(f.fresh->isEnabled() && f.ok->isEnabled());
    for (const char* unusable : {"583046", "\xCE\xA9mega", "abc\xC3\xB6"}) {
        Submit(QString::fromUtf8(unusable), QString::fromUtf8(unusable));
        EXPECT_TRUE(dialog->isVisible()) << unusable;
    }
    EXPECT_EQ(ui.MessageTexts(),
              Strings(3, "This password cannot be used. Please choose another one."));
    EXPECT_TRUE(NoPasswordSet());
    Submit(QString::fromUtf8("Caf\xC3\xA9"), QString::fromUtf8("Caf\xC3\xA9"));
    EXPECT_EQ(ui.MessageTexts().back(), "The password is successfully changed.");
    EXPECT_EQ(IniReadString("Diversen", "Code_0001"), InvertBytes("Caf\xE9"));
}

TEST_F(ConfPaswoordTest, AFailedWriteIsNotAnnouncedAsAChange) {
    Open(std::string(kNoPasswordMarker));
    std::filesystem::remove(IniFileName());
    std::filesystem::create_directory(IniFileName());  // cd.ini can no longer be written
    Submit("Secret", "Secret");
    EXPECT_TRUE(dialog->isVisible());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_NE(ui.messages[0].text.find("could not be saved"), std::string::npos);
}

}  // namespace
