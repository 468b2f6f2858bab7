// The purchase data (TEditAankoop), the calendar it uses (TShowKalender) and the memo sheet
// (TTekstblad) of a main title.
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "base/clock.h"
#include "entry/edit_aankoop.h"
#include "entry/editors_fixture.h"
#include "entry/price_text.h"
#include "entry/show_kalender.h"
#include "entry/tekstblad.h"
#include "shell/modal_driver.h"
#include "store/record_edit.h"

namespace {

using Strings = std::vector<std::string>;

class PurchaseMemoTest : public EditorsTest {
protected:
    PurchaseMemoTest() {
        // 24 December 1997, noon UTC: the same day in every time zone in use.
        Clock::Set(std::chrono::sys_days{std::chrono::year{1997} / 12 / 24} +
                   std::chrono::hours{12});
        recno = Add(catalogue->dm2.HfTable,
                    {{"DRAGER", "CD"}, {"CDNUMMER", "42"}, {"HTITEL", "Blue Train"}});
    }
    ~PurchaseMemoTest() override { Clock::Reset(); }

    std::string Hf(const char* field) { return Field(catalogue->dm2.HfAccess, recno, field); }
    static void SetPlace(QWidget* screen, const QString& text) {
        Child<QComboBox>(screen, "DBedit1")->setEditText(text);
    }

    uint32_t recno = 0;
};

TEST_F(PurchaseMemoTest, PurchaseStoresPlaceDatePriceAndThePlaceItem) {
    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_TRUE(Child<QPushButton>(screen, "BitBtn1")->isEnabled());
        // No purchase date yet: today's is offered.
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit2")->text(), "24-12-1997");
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit3")->text(), "0.00");
        SetPlace(screen, "the record shop");
        Retype(screen, "DBEdit2", "03-01-1998");
        Retype(screen, "DBEdit3", "1,234.5");
        Press(screen, "BitBtn1");
    });
    EXPECT_TRUE(TEditAankoop::Show(*catalogue, recno));
    EXPECT_EQ(Hf("AANKOOP"), "The Record Shop");
    EXPECT_EQ(Hf("AANKOOPDAT"), "03-01-1998");
    catalogue->dm2.HfAccess.Go(recno);
    EXPECT_DOUBLE_EQ(catalogue->dm2.HfAccess.GetDouble("AANKPPRS"), 1234.5);
    EXPECT_EQ(Items('K'), Strings{"The Record Shop"});

    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QComboBox>(screen, "DBedit1")->currentText(), "The Record Shop");
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit2")->text(), "03-01-1998");
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit3")->text(), "1,234.50");
        Press(screen, "BitBtn2");
    });
    EXPECT_FALSE(TEditAankoop::Show(*catalogue, recno));
}

TEST_F(PurchaseMemoTest, PurchaseCancelLeavesTheDateBlank) {
    testutil::WhenModalShown([](QWidget* screen) {
        SetPlace(screen, "Market");
        Press(screen, "BitBtn2");
    });
    EXPECT_FALSE(TEditAankoop::Show(*catalogue, recno));
    EXPECT_EQ(Hf("AANKOOPDAT"), "");
    EXPECT_EQ(Hf("AANKOOP"), "");
}

TEST_F(PurchaseMemoTest, PurchaseWithoutPlaceClearsTheDate) {
    Add(catalogue->dm3.ItemsTable, {{"OMS", "Shop"}, {"CODE", "K"}});
    ChangeRecord(catalogue->dm2.HfAccess, recno, [](TTable& table) {
        table.SetFieldAsString("AANKOOP", "Shop");
        table.SetFieldAsString("AANKOOPDAT", "01-02-1990");
    });
    testutil::WhenModalShown([](QWidget* screen) {
        SetPlace(screen, "  ");
        Press(screen, "BitBtn1");
    });
    EXPECT_TRUE(TEditAankoop::Show(*catalogue, recno));
    EXPECT_EQ(Hf("AANKOOP"), "");
    EXPECT_EQ(Hf("AANKOOPDAT"), "");
}

TEST_F(PurchaseMemoTest, PurchaseRefusesAWrongDateOrPriceAndTakesADecimalComma) {
    testutil::WhenModalShown([](QWidget* screen) {
        SetPlace(screen, "Shop");
        Retype(screen, "DBEdit2", "31-02-1998");
        Press(screen, "BitBtn1");
        EXPECT_TRUE(screen->isVisible());
        Retype(screen, "DBEdit2", "28-02-1998");
        Retype(screen, "DBEdit3", "10000000");
        Press(screen, "BitBtn1");
        EXPECT_TRUE(screen->isVisible());
        Retype(screen, "DBEdit3", "12,50");
        Press(screen, "BitBtn1");
    });
    EXPECT_TRUE(TEditAankoop::Show(*catalogue, recno));
    EXPECT_EQ(ui.Log(), (Strings{"sound:error.wav",
                                 "\"31-02-1998\" is not a valid date. Type it as dd-mm-yyyy.",
                                 "sound:error.wav",
                                 "\"10000000\" is not a valid price. Type an amount from 0.00 to "
                                 "9,999,999.99, such as 12.50 or 12,50."}));
    EXPECT_EQ(Hf("AANKPPRS"), "12.50");
}

TEST_F(PurchaseMemoTest, PurchaseAndMemoCannotBeStoredWhileLocked) {
    Lock(true);
    const auto okDisabled = [](QWidget* screen) {
        EXPECT_FALSE(Child<QPushButton>(screen, "BitBtn1")->isEnabled());
        Press(screen, "BitBtn2");
    };
    testutil::WhenModalShown(okDisabled);
    EXPECT_FALSE(TEditAankoop::Show(*catalogue, recno));
    testutil::WhenModalShown(okDisabled);
    EXPECT_FALSE(TTekstblad::Show(*catalogue, recno));
}

TEST_F(PurchaseMemoTest, CalendarButtonPutsThePickedDateInTheField) {
    testutil::WhenModalShown([](QWidget* screen) {
        Retype(screen, "DBEdit2", "15-06-2001");
        testutil::WhenModalShown([](QWidget* calendar) {
            auto* kalender = Child<QCalendarWidget>(calendar, "Kalender1");
            EXPECT_EQ(kalender->selectedDate(), QDate(2001, 6, 15));
            EXPECT_EQ(Child<QLabel>(calendar, "TitleLabel")->text(), "June, 2001");
            Child<QToolButton>(calendar, "NextMonthBtn")->click();
            EXPECT_EQ(Child<QLabel>(calendar, "TitleLabel")->text(), "July, 2001");
            kalender->setSelectedDate(QDate(2001, 7, 4));
            Press(calendar, "BitBtn1");
        });
        Child<QToolButton>(screen, "SpeedButton1")->click();
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit2")->text(), "04-07-2001");

        testutil::WhenModalShown([](QWidget* calendar) { Press(calendar, "BitBtn2"); });
        Child<QToolButton>(screen, "SpeedButton1")->click();
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit2")->text(), "04-07-2001");
        Press(screen, "BitBtn2");
    });
    TEditAankoop::Show(*catalogue, recno);
}

TEST_F(PurchaseMemoTest, CalendarMonthButtons) {
    TShowKalender calendar;
    calendar.setDate(QDate(2000, 1, 31));
    EXPECT_EQ(Child<QLabel>(&calendar, "TitleLabel")->text(), "January, 2000");
    Child<QToolButton>(&calendar, "PrevMonthBtn")->click();
    EXPECT_EQ(Child<QLabel>(&calendar, "TitleLabel")->text(), "December, 1999");
    EXPECT_EQ(calendar.dateText(), "31-12-1999");
    Child<QToolButton>(&calendar, "NextMonthBtn")->click();
    Child<QToolButton>(&calendar, "NextMonthBtn")->click();
    // No 31 February: the last day of the month.
    EXPECT_EQ(calendar.dateText(), "29-02-2000");
    // The template switches hints on.
    EXPECT_EQ(Child<QToolButton>(&calendar, "PrevMonthBtn")->toolTip(), "Maand terug");
    EXPECT_EQ(Child<QToolButton>(&calendar, "NextMonthBtn")->toolTip(), "Maand vooruit");
    EXPECT_EQ(TShowKalender::ParseDate("29-02-2000"), QDate(2000, 2, 29));
    EXPECT_FALSE(TShowKalender::ParseDate("29-02-1999").isValid());
}

TEST(PriceText, FormatsAndParsesAmounts) {
    EXPECT_EQ(FormatPrice(0), "0.00");
    EXPECT_EQ(FormatPrice(1234567.5), "1,234,567.50");
    EXPECT_EQ(FormatPrice(999.999), "1,000.00");
    const std::pair<const char*, double> amounts[] = {{"", 0.0},
                                                      {" 12 ", 12.0},
                                                      {".5", 0.5},
                                                      {"1,234,567.89", 1234567.89},
                                                      {"9999999.99", 9999999.99},
                                                      {"12,50", 12.5},
                                                      {"12.50", 12.5},
                                                      {"0,5", 0.5},
                                                      {"1.234,50", 1234.5},
                                                      {"1,234", 1234.0}};
    for (const auto& [text, amount] : amounts)
        EXPECT_EQ(ParsePrice(text), amount) << text;
    for (const char* wrong : {"1,2,3", "12,5.0", "1234,567", "-1", "1.234", "1.", "abc", "1e3",
                              "10000000", "99999999999999999999", "1,5,0"})
        EXPECT_FALSE(ParsePrice(wrong)) << wrong;
}

TEST_F(PurchaseMemoTest, MemoStoresTextAndDate) {
    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QLabel>(screen, "HTITEL")->text(), "Blue Train");
        EXPECT_EQ(Child<QLabel>(screen, "DRAGER")->text(), "CD");
        EXPECT_EQ(Child<QLabel>(screen, "CDNUMMER")->text(), "42");
        EXPECT_EQ(Child<QLabel>(screen, "TEKSTDAT")->text(), "");
        auto* text = Child<QPlainTextEdit>(screen, "cTekstblad");
        EXPECT_EQ(screen->focusWidget(), text);
        QTest::keyClicks(text, "Recorded 1957.");
        QTest::keyClick(text, Qt::Key_Return);
        text->insertPlainText(QString::fromUtf8("Caf\u00e9 sleeve."));
        Press(screen, "BitBtn1");
    });
    EXPECT_TRUE(TTekstblad::Show(*catalogue, recno));
    catalogue->dm2.HfAccess.Go(recno);
    EXPECT_EQ(catalogue->dm2.HfAccess.GetString("MEMO").bytes(),
              "Recorded 1957.\r\nCaf\xe9 sleeve.");
    EXPECT_EQ(Hf("TEKSTDAT"), "24-12-1997");

    testutil::WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QLabel>(screen, "TEKSTDAT")->text(), "24-12-1997");
        EXPECT_EQ(Child<QPlainTextEdit>(screen, "cTekstblad")->toPlainText(),
                  QString::fromUtf8("Recorded 1957.\nCaf\u00e9 sleeve."));
        Press(screen, "BitBtn2");
    });
    EXPECT_FALSE(TTekstblad::Show(*catalogue, recno));
}

TEST_F(PurchaseMemoTest, MemoEscapeOrCancelStoresNothing) {
    testutil::WhenModalShown([](QWidget* screen) {
        auto* text = Child<QPlainTextEdit>(screen, "cTekstblad");
        QTest::keyClicks(text, "lost");
        QTest::keyClick(text, Qt::Key_Escape);
        EXPECT_FALSE(screen->isVisible());
    });
    EXPECT_FALSE(TTekstblad::Show(*catalogue, recno));
    EXPECT_EQ(Hf("MEMO"), "");
    EXPECT_EQ(Hf("TEKSTDAT"), "");
}

TEST_F(PurchaseMemoTest, MemoOfAnyLength) {
    const QString longText = QString("0123456789").repeated(2000);
    testutil::WhenModalShown([&](QWidget* screen) {
        Child<QPlainTextEdit>(screen, "cTekstblad")->setPlainText(longText);
        Press(screen, "BitBtn1");
    });
    EXPECT_TRUE(TTekstblad::Show(*catalogue, recno));
    EXPECT_EQ(Hf("MEMO"), longText.toStdString());
}

}  // namespace
