// The lookup item editors: a carrier and its sides (TGeluidKant), a quality (TVerbKwaliteit) and
// any list item (TVeranderComboItems).
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "entry/editors_fixture.h"
#include "entry/geluid_kant.h"
#include "entry/verander_combo_items.h"
#include "entry/verb_kwaliteit.h"
#include "shell/modal_driver.h"

namespace {

using Strings = std::vector<std::string>;

using ItemEditorsTest = EditorsTest;
using testutil::WhenModalShown;

TEST_F(ItemEditorsTest, CarrierChangeShowsTheItemAndStoresItsSides) {
    const uint32_t recno = AddItem("MC", 'D');
    WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QLineEdit>(screen, "WijzigDrager")->text(), "MC");
        EXPECT_EQ(Child<QLineEdit>(screen, "WijzigDrager")->maxLength(), 50);
        auto* sides = Child<QCheckBox>(screen, "CheckBox1");
        EXPECT_FALSE(sides->isChecked());
        sides->setChecked(true);
        Press(screen, "BitBtn1");
    });
    EXPECT_EQ(TGeluidKant::Show(*catalogue, "mc "), "MC");
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, recno, "KANT"), "A");

    WhenModalShown([](QWidget* screen) {
        auto* sides = Child<QCheckBox>(screen, "CheckBox1");
        EXPECT_TRUE(sides->isChecked());
        sides->setChecked(false);
        // Typed in lower case, kept in upper case.
        Retype(screen, "WijzigDrager", "cassette");
        EXPECT_EQ(Child<QLineEdit>(screen, "WijzigDrager")->text(), "CASSETTE");
        Press(screen, "BitBtn1");
    });
    EXPECT_EQ(TGeluidKant::Show(*catalogue, "MC"), "CASSETTE");
    catalogue->dm3.ItemsAccess.Go(recno);
    EXPECT_EQ(catalogue->dm3.ItemsAccess.GetString("KANT").bytes(), " ");
    EXPECT_EQ(Items('D'), Strings{"CASSETTE"});
}

TEST_F(ItemEditorsTest, CarrierChangeCancelledLeavesTheItem) {
    const uint32_t recno = AddItem("MC", 'D', "A");
    WhenModalShown([](QWidget* screen) {
        Retype(screen, "WijzigDrager", "TAPE");
        Child<QCheckBox>(screen, "CheckBox1")->setChecked(false);
        Press(screen, "BitBtn2");
    });
    EXPECT_EQ(TGeluidKant::Show(*catalogue, "MC"), "MC");
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, recno, "OMS"), "MC");
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, recno, "KANT"), "A");
}

TEST_F(ItemEditorsTest, NewCarrierIsCreatedByOkOnly) {
    const uint64_t before = catalogue->dm3.ItemsAccess.Count();
    WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QLineEdit>(screen, "WijzigDrager")->text(), "DAT");
        EXPECT_FALSE(Child<QCheckBox>(screen, "CheckBox1")->isChecked());
        Press(screen, "BitBtn2");
    });
    EXPECT_EQ(TGeluidKant::Show(*catalogue, "dat"), "dat");
    EXPECT_EQ(catalogue->dm3.ItemsAccess.Count(), before);

    WhenModalShown([](QWidget* screen) {
        Child<QCheckBox>(screen, "CheckBox1")->setChecked(true);
        Press(screen, "BitBtn1");
    });
    EXPECT_EQ(TGeluidKant::Show(*catalogue, "dat"), "DAT");
    EXPECT_EQ(catalogue->dm3.ItemsAccess.Count(), before + 1);
    catalogue->dm3.ItemsAccess.SetOrder(1);
    ASSERT_TRUE(catalogue->dm3.ItemsAccess.Seek(catalogue->dm3.ItemKey("DAT", 'D')));
    EXPECT_EQ(catalogue->dm3.ItemsAccess.GetString("KANT").bytes(), "A");
    EXPECT_EQ(catalogue->dm3.ItemsAccess.GetString("CODE").bytes(), "D");
}

TEST_F(ItemEditorsTest, CarrierCannotBecomeAnotherCarrier) {
    const uint32_t recno = AddItem("MC", 'D');
    AddItem("LP", 'D');
    WhenModalShown([](QWidget* screen) {
        Retype(screen, "WijzigDrager", "lp");
        Press(screen, "BitBtn1");
        EXPECT_TRUE(screen->isVisible());
        Press(screen, "BitBtn2");
    });
    EXPECT_EQ(TGeluidKant::Show(*catalogue, "MC"), "MC");
    EXPECT_EQ(ui.MessageTexts(), Strings{"Information \"LP\" does already exist."});
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, recno, "OMS"), "MC");
}

TEST_F(ItemEditorsTest, QualityChangedOrCancelled) {
    const uint32_t recno = AddItem("AAD", 'O');
    WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit1")->text(), "AAD");
        Retype(screen, "DBEdit1", "XYZ");
        Press(screen, "BitBtn2");
    });
    EXPECT_EQ(TVerbKwaliteit::Show(*catalogue, "aad"), "AAD");
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, recno, "OMS"), "AAD");

    WhenModalShown([](QWidget* screen) {
        Retype(screen, "DBEdit1", "DDD");
        Press(screen, "BitBtn1");
    });
    EXPECT_EQ(TVerbKwaliteit::Show(*catalogue, "AAD"), "DDD");
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, recno, "OMS"), "DDD");
}

TEST_F(ItemEditorsTest, UnknownQualityIsReported) {
    EXPECT_EQ(TVerbKwaliteit::Show(*catalogue, "ZZ "), "ZZ ");
    EXPECT_EQ(ui.Log(), (Strings{"sound:ngev.wav", "Quality \"ZZ\" is not found."}));
}

TEST_F(ItemEditorsTest, ListItemChangedKeepsTheStoredRecords) {
    const uint32_t item = AddItem("Jazz", 'G');
    AddItem("Jazz", 'L');  // the same text under another code is another item
    const uint32_t source = Add(catalogue->dm2.HfTable, {{"SOORT", "Jazz"}});
    WhenModalShown([](QWidget* screen) {
        EXPECT_EQ(Child<QLineEdit>(screen, "DBEdit1")->maxLength(), 30);
        EXPECT_TRUE(Child<QPushButton>(screen, "BitBtn2")->isDefault());
        Retype(screen, "DBEdit1", "Modern Jazz");
        Press(screen, "BitBtn1");
    });
    EXPECT_EQ(TVeranderComboItems::Show(*catalogue, "JAZZ", 'G'), "Modern Jazz");
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, item, "OMS"), "Modern Jazz");
    EXPECT_EQ(Items('L'), Strings{"Jazz"});
    EXPECT_EQ(Field(catalogue->dm2.HfAccess, source, "SOORT"), "Jazz");
}

TEST_F(ItemEditorsTest, ListItemCancelWritesNothing) {
    const uint32_t item = AddItem("Blues", 'U');
    WhenModalShown([](QWidget* screen) {
        Retype(screen, "DBEdit1", "Soul");
        Press(screen, "BitBtn2");
    });
    EXPECT_EQ(TVeranderComboItems::Show(*catalogue, "Blues", 'U'), "Blues");
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, item, "OMS"), "Blues");
}

TEST_F(ItemEditorsTest, ListItemDeleted) {
    AddItem("Live", 'T');
    AddItem("Studio", 'T');
    WhenModalShown([](QWidget* screen) { Press(screen, "VerwBut"); });
    EXPECT_EQ(TVeranderComboItems::Show(*catalogue, "live", 'T'), "");
    EXPECT_EQ(Items('T'), Strings{"Studio"});
}

TEST_F(ItemEditorsTest, ListItemsAreRefusedWhileLocked) {
    AddItem("Live", 'T');
    Lock(true);
    EXPECT_EQ(TVeranderComboItems::Show(*catalogue, "Live", 'T'), "Live");
    EXPECT_EQ(ui.Log(), (Strings{"sound:error.wav", "You are not authorized to use this option."}));
    EXPECT_EQ(Items('T'), Strings{"Live"});
}

TEST_F(ItemEditorsTest, DeleteAsksTheLockAgain) {
    AddItem("Live", 'T');
    TVeranderComboItems screen(*catalogue, "Live", 'T');
    ASSERT_TRUE(screen.found());
    Lock(true);
    Press(&screen, "VerwBut");
    EXPECT_FALSE(screen.deleted());
    EXPECT_EQ(ui.MessageTexts(), Strings{"You are not authorized to use this option."});
    EXPECT_EQ(Items('T'), Strings{"Live"});
}

TEST_F(ItemEditorsTest, ListItemNotFoundOrBlank) {
    EXPECT_EQ(TVeranderComboItems::Show(*catalogue, "Nowhere ", 'K'), "Nowhere ");
    EXPECT_EQ(ui.Log(), (Strings{"sound:ngev.wav", "Information \"Nowhere\" is not found."}));
    EXPECT_EQ(TVeranderComboItems::Show(*catalogue, "   ", 'K'), "");
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(ItemEditorsTest, TextsOutsideTheCodePageAreRefused) {
    const uint32_t item = AddItem("Rock", 'G');
    WhenModalShown([](QWidget* screen) {
        auto* edit = Child<QLineEdit>(screen, "DBEdit1");
        edit->setText(QString::fromUtf8("Rock \u2603"));
        Press(screen, "BitBtn1");
        EXPECT_TRUE(screen->isVisible());
        edit->setText(QString::fromUtf8("Ros\u00e9"));
        Press(screen, "BitBtn1");
    });
    EXPECT_EQ(TVeranderComboItems::Show(*catalogue, "Rock", 'G'), QString::fromUtf8("Ros\u00e9"));
    EXPECT_EQ(ui.MessageTexts(),
              Strings{"The character \"\u2603\" in Information cannot be stored."});
    EXPECT_EQ(Field(catalogue->dm3.ItemsAccess, item, "OMS"), "Ros\xe9");
}

}  // namespace
