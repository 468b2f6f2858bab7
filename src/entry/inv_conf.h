// TInvConf: the entry settings ("Preferences adding source"): which optional fields the entry
// and modify screens enable, which fields are capitalised word by word, the carrier and quality a
// new entry starts with, the default year, the entry screen's default button, the not-found
// signal and the report after reading a CD. "OK" writes every key, "&Cancel" nothing.
#pragma once

#include <QDialog>
#include <vector>

class Catalogue;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class PickListCombo;

class TInvConf : public QDialog {
    Q_OBJECT
public:
    // Loads every control from cd.ini. The two start lists take their pick lists from the
    // carrier (D) and quality (O) items of `catalogue`, which must outlive the screen.
    explicit TInvConf(Catalogue& catalogue, QWidget* parent = nullptr);

private:
    void FormShow();
    void BitBtn1Click();

    Catalogue& catalogue_;
    struct KeyBox {
        QCheckBox* box;
        const char* section;
        const char* key;
    };
    std::vector<KeyBox> keyBoxes_;
    PickListCombo* comboBox1_;
    PickListCombo* comboBox2_;
    QLineEdit* iJaar_;
    QRadioButton* iBut1_;
    QRadioButton* iBut2_;
    QRadioButton* iBut3_;
    QCheckBox* signCheck_;
    QCheckBox* checkBox1_;
};
