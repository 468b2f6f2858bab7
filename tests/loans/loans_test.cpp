// The loan register: the due check, the loan dialogs and list, the lock, start and closing.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableView>
#include <QTableWidget>

#include "base/clock.h"
#include "entry/editors_fixture.h"
#include "loans/edit_uitleen.h"
#include "loans/loan_commands.h"
#include "shell/main_form.h"
#include "shell/modal_driver.h"
#include "store/source_key.h"

namespace {

using Strings = std::vector<std::string>;

class LoansTest : public EditorsTest {
protected:
    LoansTest() {
        // 6 December 2026, noon UTC: the same day in every time zone in use.
        Clock::Set(std::chrono::sys_days{std::chrono::year{2026} / 12 / 6} +
                   std::chrono::hours{12});
        IniWriteBool("Diversen", "MeldBackupWindow", true);
        // TelOpDatum missing: a new loan is due the next day.
        std::string ini = CdIni();
        ini.erase(ini.find("TelOpDatum=14"), 14);
        std::ofstream(IniFileName(), std::ios::binary) << ini;
        AddSource("CD", 7, "Blue Train");
        AddSource("LP", 3, "Kind Of Blue");
    }
    ~LoansTest() override { Clock::Reset(); }

    void AddLoan(const std::string& carrier, int number, const std::string& name,
                 const std::string& due) {
        Add(catalogue->dm3.UitleenTable, {{"DRAGER", carrier},
                                          {"CDNUMMER", std::to_string(number)},
                                          {"AANWIE", name},
                                          {"UITDATUM", "01-12-2026"},
                                          {"TERDATUM", due}});
    }
    // Every loan as "carrier number name loan-date due-date", in record order.
    Strings Loans() {
        Strings loans;
        TTableAccess& access = catalogue->dm3.UitleenAccess;
        access.SetOrder(0);
        for (access.GoTop(); !access.Eof(); access.Skip(1))
            loans.push_back(Trim(access.GetString("DRAGER").bytes()) + " " +
                            std::to_string(access.GetInteger("CDNUMMER")) + " " +
                            Trim(access.GetString("AANWIE").bytes()) + " " +
                            access.GetDateString("UITDATUM") + " " +
                            access.GetDateString("TERDATUM"));
        return loans;
    }
    static Strings GridNames(QWidget* list) {
        Strings names;
        auto* grid = Child<QTableWidget>(list, "StringGrid1");
        for (int row = 0; row < grid->rowCount(); ++row)
            names.push_back(grid->item(row, 2)->text().toStdString());
        return names;
    }
    // Fills the free loan dialog and presses OK; a dialog that stays open is cancelled.
    static void FillFreeLoan(QWidget* screen, const QString& carrier, const QString& number,
                             const QString& name, const QString& out, const QString& due) {
        Child<QComboBox>(screen, "eDrager")->setEditText(carrier);
        auto* numberText = Child<QWidget>(screen, "SpinEdit1")->findChild<QLineEdit*>();
        numberText->selectAll();
        QTest::keyClicks(numberText, number);
        Child<QComboBox>(screen, "eAanWie")->setEditText(name);
        Child<QLineEdit>(screen, "eUitleenDat")->setText(out);
        Child<QLineEdit>(screen, "eInleverdat")->setText(due);
        Press(screen, "BitBtn1");
        if (screen->isVisible())
            Press(screen, "BitBtn2");
    }
};

TEST_F(LoansTest, TheDueCheckListsLoansDueTodayOrEarlierAndDeletesThemRowByRow) {
    AddLoan("CD", 7, "Anna", "05-12-2026");
    AddLoan("LP", 3, "Bert", "06-12-2026");
    AddLoan("CD", 7, "Carl", "07-12-2026");
    AddLoan("LP", 3, "Dora", "");  // no hand-in date: never due
    catalogue->dm3.UitleenAccess.SetOrder(2);
    ui.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    testutil::WhenModalShown([](QWidget* list) {
        EXPECT_EQ(list->windowTitle(), "Loan date is reached");
        EXPECT_EQ(GridNames(list), (Strings{"Anna", "Bert"}));
        EXPECT_EQ(Child<QLabel>(list, "DragerCap")->text(), "CD");
        EXPECT_EQ(Child<QLabel>(list, "NummerCap")->text(), "7");
        Press(list, "BitBtn1");
        EXPECT_EQ(Child<QLabel>(list, "DragerCap")->text(), "LP");
        Press(list, "BitBtn1");  // the last row
        EXPECT_TRUE(GridNames(list).empty());
        Press(list, "BitBtn1");  // no row left: only the beep
        Press(list, "BitBtn2");
    });
    EXPECT_TRUE(CheckDueLoans(*catalogue, nullptr, false));
    EXPECT_EQ(ui.MessageTexts(),
              (Strings{"Loan source to \"Anna\" delete?", "Loan source to \"Bert\" delete?"}));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(ui.sounds, Strings{"Opti.wav"});
    EXPECT_EQ(Loans(), (Strings{"CD 7 Carl 01-12-2026 07-12-2026", "LP 3 Dora 01-12-2026 "}));

    EXPECT_FALSE(CheckDueLoans(*catalogue, nullptr, false));
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(CheckDueLoans(*catalogue, nullptr, true));
    EXPECT_EQ(ui.MessageTexts().back(), "No sources found that match the hand in date.");
}

// A new loan is due TelOpDatum days after today (1 when the key is missing, never more than 999);
// with 0 it is due at once. Names typed in the free dialog are stored capitalised.
TEST_F(LoansTest, ANewLoanIsDueAfterTheDaysSetAndStoresTheNameCapitalised) {
    const struct {
        const char* days;
        int number;
        const char* due;
    } cases[] = {{nullptr, 1, "07-12-2026"},
                 {"0", 2, "06-12-2026"},
                 {"14", 3, "20-12-2026"},
                 {"2147483647", 4, "31-08-2029"}};  // at most the 999 days the settings offer
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        AddSource("MC", c.number);
        if (c.days != nullptr)
            IniWriteString("Diversen", "TelOpDatum", c.days);
        testutil::WhenModalShown([&c](QWidget* screen) {
            EXPECT_EQ(Child<QLineEdit>(screen, "eUitleenDat")->text(), "06-12-2026");
            EXPECT_EQ(Child<QLineEdit>(screen, "eInleverdat")->text(), c.due);
            EXPECT_EQ(screen->focusWidget(), Child<QComboBox>(screen, "eDrager"));
            FillFreeLoan(screen, "mc", QString::number(c.number), "jan de vries", "06-12-2026",
                         c.due);
        });
        TEditUitleen dialog(*catalogue);
        EXPECT_TRUE(dialog.NewLoan());
        EXPECT_EQ(Loans().back(),
                  "MC " + std::to_string(c.number) + " Jan De Vries 06-12-2026 " + c.due);
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Items('N'), Strings{"Jan De Vries"});
    testutil::WhenModalShown([](QWidget* list) {
        EXPECT_EQ(GridNames(list), Strings{"Jan De Vries"});
        list->close();
    });
    EXPECT_TRUE(CheckDueLoans(*catalogue, nullptr, false));
}

TEST_F(LoansTest, TheFreeDialogRefusesWhatCannotBeStored) {
    AddLoan("CD", 7, "Anna", "24-12-2026");
    const struct {
        const char *carrier, *number, *out, *due;
        std::optional<MsgAnswer> answer;
        const char* message;
        size_t loans;
    } cases[] = {
        {"LP", "9", "06-12-2026", "07-12-2026", std::nullopt, "Source \"LP 9\" does not exist!", 1},
        {"LP", "3", "31-02-2026", "07-12-2026", std::nullopt,
         "\"31-02-2026\" is not a valid date. Type it as dd-mm-yyyy.", 1},
        {"LP", "3", "06-12-2026", "01-12-2026", std::nullopt,
         "The expiration date 01-12-2026 lies before the loan date 06-12-2026.", 1},
        {"cd", "7", "06-12-2026", "", MsgAnswer::No,
         "Source \"cd 7\" is already lent to Anna until 24-12-2026. Add a second loan?", 1},
        {"cd", "7", "06-12-2026", "", MsgAnswer::Yes,
         "Source \"cd 7\" is already lent to Anna until 24-12-2026. Add a second loan?", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ui.messages.clear();
        if (c.answer)
            ui.answers = {*c.answer};
        testutil::WhenModalShown([&c](QWidget* screen) {
            FillFreeLoan(screen, c.carrier, c.number, "Bert", c.out, c.due);
        });
        TEditUitleen dialog(*catalogue);
        EXPECT_EQ(dialog.NewLoan(), c.loans == 2);
        EXPECT_EQ(ui.MessageTexts(), Strings{c.message});
        EXPECT_EQ(Loans().size(), c.loans);
    }
    EXPECT_EQ(Loans().back(), "CD 7 Bert 06-12-2026 ");

    // A post that fails (the disk full) is shown and leaves no record behind.
    const Strings before = Loans();
    ui.messages.clear();
    {
        testutil::FileSizeLimit full(std::filesystem::file_size(dir.File("Uitdat.dat")));
        testutil::WhenModalShown([](QWidget* screen) {
            FillFreeLoan(screen, "LP", "3", "Bert", "06-12-2026", "07-12-2026");
        });
        TEditUitleen dialog(*catalogue);
        EXPECT_FALSE(dialog.NewLoan());
    }
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MsgKind::Error);
    EXPECT_EQ(Loans(), before);
}

// The dialog of a selected source keeps one loan per source: a second opening shows the loan to
// change or delete. The name is stored as typed; the pick list gets it capitalised.
TEST_F(LoansTest, TheSourceDialogLendsShowsAndDeletesTheLoanOfTheSource) {
    catalogue->dm2.HfAccess.SetOrder(4);
    catalogue->dm2.HfAccess.Seek(SourceSeekKey("CD", 7));
    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(screen->windowTitle(), "Loan");
        EXPECT_EQ(Child<QLabel>(screen, "DBText3")->text(), "Blue Train");
        EXPECT_FALSE(Child<QPushButton>(screen, "BitBtn3")->isEnabled());
        EXPECT_EQ(screen->focusWidget(), Child<QComboBox>(screen, "mAanWie"));
        Child<QComboBox>(screen, "mAanWie")->setEditText("the rolling stones");
        Press(screen, "BitBtn1");
    });
    EXPECT_TRUE(ShowLoanForSource(*catalogue, nullptr));
    EXPECT_EQ(Loans(), Strings{"CD 7 the rolling stones 06-12-2026 07-12-2026"});
    EXPECT_EQ(Items('N'), Strings{"The Rolling Stones"});

    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QComboBox>(screen, "mAanWie")->currentText(), "the rolling stones");
        Press(screen, "BitBtn3");  // No keeps it
        EXPECT_TRUE(screen->isVisible());
        Press(screen, "BitBtn3");
    });
    EXPECT_TRUE(ShowLoanForSource(*catalogue, nullptr));
    EXPECT_EQ(ui.MessageTexts(),
              Strings(2, "Remove loan source to \"the rolling stones\" from database?"));
    EXPECT_TRUE(Loans().empty());
}

// With adding and modifying locked, every delete is refused and an existing loan cannot be
// changed from the free dialog.
TEST_F(LoansTest, TheLockRefusesDeletesAndChangingALoan) {
    AddLoan("CD", 7, "Anna", "01-12-2026");
    const Strings lent = Loans();
    Lock(true);
    TMainForm form(catalogue.get());
    InstallLoanCommands(form, *catalogue);
    form.show();
    form.command("Loancollection1")->trigger();
    QWidget* list = form.mdiArea()->subWindowList().at(0)->widget();
    EXPECT_EQ(Child<QTableView>(list, "DBGrid1")->model()->rowCount(), 1);
    Press(list, "BitBtn3");
    testutil::WhenModalShown([](QWidget* due) {
        Press(due, "BitBtn1");
        due->close();
    });
    form.command("Check1")->trigger();
    catalogue->dm2.HfAccess.SetOrder(4);
    catalogue->dm2.HfAccess.Seek(SourceSeekKey("CD", 7));
    testutil::WhenModalShown([](QWidget* screen) {
        Press(screen, "BitBtn3");
        screen->close();
    });
    ShowLoanForSource(*catalogue, nullptr);
    EXPECT_EQ(ui.MessageTexts(), Strings(3, "You are not authorized to use this option."));
    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_FALSE(Child<QPushButton>(screen, "BitBtn1")->isEnabled());
        screen->close();
    });
    catalogue->dm3.UitleenAccess.GoTop();
    TEditUitleen(*catalogue).EditLoan();
    EXPECT_EQ(Loans(), lent);
}

// The list is in borrower order; a changed name moves its loan and the selection with it, and each
// delete command asks in its own words.
TEST_F(LoansTest, TheLoanListEditsAndDeletesTheSelectedLoan) {
    AddLoan("CD", 7, "Bert", "24-12-2026");
    AddLoan("LP", 3, "Anna", "24-12-2026");
    TMainForm form(catalogue.get());
    InstallLoanCommands(form, *catalogue);
    form.show();
    form.command("LoanButton")->trigger();
    QWidget* list = form.mdiArea()->subWindowList().at(0)->widget();
    auto* grid = Child<QTableView>(list, "DBGrid1");
    const auto names = [grid] {
        Strings shown;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            shown.push_back(grid->model()->index(row, 1).data().toString().toStdString());
        return shown;
    };
    EXPECT_EQ(names(), (Strings{"Anna", "Bert"}));
    testutil::WhenModalShown([](QWidget* screen) {
        Child<QComboBox>(screen, "eAanWie")->setEditText("zoe");
        Press(screen, "BitBtn1");
    });
    Press(list, "BitBtn2");  // edits Anna, the first row
    EXPECT_EQ(names(), (Strings{"Bert", "Zoe"}));
    EXPECT_EQ(grid->currentIndex().row(), 1);  // the edited loan stays selected
    ui.answers = {MsgAnswer::No, MsgAnswer::Yes};
    Press(list, "BitBtn3");
    list->findChild<QAction*>("Delete1")->trigger();
    EXPECT_EQ(ui.MessageTexts(), (Strings{"Remove loan source \"Zoe\" from database?",
                                          "Remove loan source to \"Zoe\" from database?"}));
    EXPECT_EQ(names(), Strings{"Bert"});
    EXPECT_EQ(Loans(), Strings{"CD 7 Bert 01-12-2026 24-12-2026"});
}

// Start and closing run the due check when configured, each after a beep; closing with a loan
// dialog open over the loan list closes both and stores nothing.
TEST_F(LoansTest, TheMainWindowChecksAtStartAndOnClosingWhenConfigured) {
    AddLoan("CD", 7, "Anna", "06-12-2026");
    const Strings lent = Loans();
    for (const bool atStart : {false, true}) {
        for (const bool atClose : {false, true}) {
            SCOPED_TRACE(std::to_string(atStart) + std::to_string(atClose));
            IniWriteBool("Diversen", "ChkUitleenOpstart", atStart);
            IniWriteBool("Diversen", "ChkUitleenAfsluit", atClose);
            ui.beeps = 0;
            int shown = 0;
            const auto count = [&shown](QWidget* due) {
                shown += due->objectName() == "DragersTerugForm" ? 1 : 0;
                due->close();
            };
            TMainForm form(catalogue.get());
            InstallLoanCommands(form, *catalogue);
            if (atStart)
                testutil::WhenModalShown(count);
            EXPECT_TRUE(form.runShowStep());
            form.command("LoanButton")->trigger();
            testutil::WhenModalShown([&form, &count, atClose](QWidget* screen) {
                EXPECT_EQ(screen->objectName(), "EditUitleen");
                if (atClose)
                    testutil::WhenModalShown(count);
                form.close();
            });
            Press(form.mdiArea()->subWindowList().at(0)->widget(), "BitBtn4");
            EXPECT_TRUE(form.mdiArea()->subWindowList().isEmpty());
            EXPECT_EQ(shown, int(atStart) + int(atClose));
            EXPECT_EQ(ui.beeps, int(atStart) + int(atClose));
        }
    }
    EXPECT_EQ(Loans(), lent);
}

}  // namespace
