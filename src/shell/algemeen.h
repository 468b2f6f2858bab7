// TAlgemeen: the General preferences (Preferences > "&General"): confirmation on closing, the
// loan date increment and the loan checks, sound effects, the CD player, and how discs are
// identified (the disc data folder and whether the internet may be asked). Every control shows
// its cd.ini key; "OK" writes them all, "Cancel" nothing.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QSpinBox;

class TAlgemeen : public QDialog {
    Q_OBJECT
public:
    // Loads every control from cd.ini.
    explicit TAlgemeen(QWidget* parent = nullptr);

private:
    void OKBtnClick();
    void ChooseDiscData();
    bool WriteDiscSettings();
    QWidget* BuildDiscGroup();

    QCheckBox* afsluitbox_;
    QSpinBox* telOpDatum_;
    QCheckBox* chkUitleenOpstart_;
    QCheckBox* chkUitleenAfsluit_;
    QCheckBox* geluid_;
    QCheckBox* toonCdSpeler_;
    QLineEdit* discData_ = nullptr;
    QCheckBox* online_ = nullptr;
    bool onlineAsked_ = false;  // the look-up setting was set before: it is written as shown
};
