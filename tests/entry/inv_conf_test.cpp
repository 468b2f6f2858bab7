// The entry settings screen (TInvConf): what it shows for missing keys and which keys it writes.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "entry/editors_fixture.h"
#include "entry/inv_conf.h"

namespace {

constexpr const char* kFieldBoxes[] = {
    "InvKwaliteit", "InvGenre1",     "InvLabel", "InvHoofdArtiest", "InvComponist",
    "InvGenre2",    "InvUitvoering", "InvTijd",  "InvJaar",         "InvTrefwoord"};
constexpr const char* kCapitalBoxes[] = {"KHoofdtitel", "Kgenre1",   "klabel",     "khoofdartiest",
                                         "kartiest",    "Ktitel",    "kcomponist", "Kgenre2",
                                         "KUitvoering", "Ktrefwoord"};

class InvConfTest : public EditorsTest {
protected:
    void EmptyCdIni() { std::ofstream(IniFileName(), std::ios::trunc | std::ios::binary); }
};

TEST_F(InvConfTest, WithoutKeysShowsTheDefaults) {
    EmptyCdIni();
    TInvConf screen(*catalogue);
    for (const char* name : kFieldBoxes)
        EXPECT_FALSE(Child<QCheckBox>(&screen, name)->isChecked()) << name;
    for (const char* name : kCapitalBoxes)
        EXPECT_FALSE(Child<QCheckBox>(&screen, name)->isChecked()) << name;
    EXPECT_EQ(Child<QComboBox>(&screen, "ComboBox1")->currentText(), "");
    EXPECT_EQ(Child<QComboBox>(&screen, "ComboBox2")->currentText(), "");
    EXPECT_EQ(Child<QLineEdit>(&screen, "iJaar")->text(), "");
    EXPECT_EQ(Child<QLineEdit>(&screen, "iJaar")->maxLength(), 2);
    EXPECT_TRUE(Child<QRadioButton>(&screen, "iBut3")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(&screen, "SignCheck")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(&screen, "CheckBox1")->isChecked());
}

TEST_F(InvConfTest, ShowsTheStoredKeys) {
    EmptyCdIni();
    IniWriteBool("Invoer", "Inv_Tijd", true);
    IniWriteBool("Kapitaliseer", "K_titel", true);
    IniWriteString("Invoer", "DefaultDrager", "LP        ");
    IniWriteString("Invoer", "DefaultKwaliteit", "DDD");
    IniWriteString("diversen", "VeldJaar", "19");
    IniWriteBool("Diversen", "VolgendeTrackButton", true);
    IniWriteBool("Diversen", "ZoekBeep", false);
    TInvConf screen(*catalogue);
    EXPECT_TRUE(Child<QCheckBox>(&screen, "InvTijd")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(&screen, "InvJaar")->isChecked());
    EXPECT_TRUE(Child<QCheckBox>(&screen, "Ktitel")->isChecked());
    EXPECT_EQ(Child<QComboBox>(&screen, "ComboBox1")->currentText(), "LP");
    EXPECT_EQ(Child<QComboBox>(&screen, "ComboBox2")->currentText(), "DDD");
    EXPECT_EQ(Child<QLineEdit>(&screen, "iJaar")->text(), "19");
    EXPECT_TRUE(Child<QRadioButton>(&screen, "iBut2")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(&screen, "SignCheck")->isChecked());
}

TEST_F(InvConfTest, OkWritesExactlyItsKeys) {
    EmptyCdIni();
    TInvConf screen(*catalogue);
    Child<QCheckBox>(&screen, "InvLabel")->setChecked(true);
    Child<QCheckBox>(&screen, "Ktrefwoord")->setChecked(true);
    Child<QComboBox>(&screen, "ComboBox1")->setEditText("CD");
    Child<QRadioButton>(&screen, "iBut1")->setChecked(true);
    // A year start with a letter is refused and nothing is written.
    QTest::keyClicks(Child<QLineEdit>(&screen, "iJaar"), "1x");
    Child<QPushButton>(&screen, "BitBtn1")->click();
    EXPECT_EQ(ui.MessageTexts(),
              std::vector<std::string>{"\"1x\" cannot be used in Fill field year with: type up "
                                       "to 2 digits, the start of a year such as 19."});
    EXPECT_EQ(CdIni(), "");
    Child<QLineEdit>(&screen, "iJaar")->clear();
    QTest::keyClicks(Child<QLineEdit>(&screen, "iJaar"), "1999");
    Child<QPushButton>(&screen, "BitBtn1")->click();
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    EXPECT_EQ(CdIni(),
              "[Invoer]\r\nInv_Kwaliteit=0\r\nInv_Genre1=0\r\nInv_Label=1\r\n"
              "Inv_HoofdArtiest=0\r\nInv_Componist=0\r\nInv_Genre2=0\r\nInv_Uitvoering=0\r\n"
              "Inv_Tijd=0\r\nInv_Jaar=0\r\nInv_Trefwoord=0\r\nDefaultDrager=CD\r\n"
              "DefaultKwaliteit=\r\nMeldIngelezenTracks=1\r\n\r\n"
              "[Kapitaliseer]\r\nK_Hoofdtitel=0\r\nK_Genre1=0\r\nK_Label=0\r\n"
              "K_Hoofdartiest=0\r\nK_Artiest=0\r\nK_titel=0\r\nK_Componist=0\r\nK_Genre2=0\r\n"
              "K_Uitvoering=0\r\nK_Trefwoord=1\r\n\r\n"
              "[diversen]\r\nVeldJaar=19\r\nAccepteerButton=1\r\nVolgendeTrackButton=0\r\n"
              "ZoekBeep=1\r\n");
}

TEST_F(InvConfTest, NoneWritesBothButtonKeysOff) {
    IniWriteBool("Diversen", "AccepteerButton", true);
    TInvConf screen(*catalogue);
    EXPECT_TRUE(Child<QRadioButton>(&screen, "iBut1")->isChecked());
    Child<QRadioButton>(&screen, "iBut3")->setChecked(true);
    Child<QPushButton>(&screen, "BitBtn1")->click();
    EXPECT_FALSE(IniReadBool("Diversen", "AccepteerButton", true));
    EXPECT_FALSE(IniReadBool("Diversen", "VolgendeTrackButton", true));
}

TEST_F(InvConfTest, CancelWritesNothing) {
    const std::string before = CdIni();
    TInvConf screen(*catalogue);
    Child<QCheckBox>(&screen, "InvJaar")->setChecked(false);
    Child<QCheckBox>(&screen, "kartiest")->setChecked(true);
    Child<QPushButton>(&screen, "BitBtn2")->click();
    EXPECT_EQ(screen.result(), QDialog::Rejected);
    EXPECT_EQ(CdIni(), before);
}

TEST_F(InvConfTest, StartListsOfferTheCarrierAndQualityItems) {
    AddItem("MC", 'D');
    AddItem("LP", 'D');
    AddItem("AAD", 'O');
    TInvConf screen(*catalogue);
    auto* carriers = Child<QComboBox>(&screen, "ComboBox1");
    carriers->setEditText("X");
    carriers->showPopup();
    carriers->hidePopup();
    ASSERT_EQ(carriers->count(), 2);
    EXPECT_EQ(carriers->itemText(0) + carriers->itemText(1), "LPMC");
    EXPECT_EQ(carriers->currentText(), "X");
    auto* qualities = Child<QComboBox>(&screen, "ComboBox2");
    qualities->showPopup();
    qualities->hidePopup();
    EXPECT_EQ(qualities->count(), 1);
}

}  // namespace
