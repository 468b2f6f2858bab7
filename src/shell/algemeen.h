// TAlgemeen: the General preferences (Preferences > "&General"): confirmation on closing, the
// loan date increment and the loan checks, sound effects and the CD player. Every control shows
// its cd.ini key; "OK" writes them all, "Cancel" nothing.
#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

class TAlgemeen : public QDialog {
    Q_OBJECT
public:
    // Loads every control from cd.ini.
    explicit TAlgemeen(QWidget* parent = nullptr);

private:
    void OKBtnClick();

    QCheckBox* afsluitbox_;
    QSpinBox* telOpDatum_;
    QCheckBox* chkUitleenOpstart_;
    QCheckBox* chkUitleenAfsluit_;
    QCheckBox* geluid_;
    QCheckBox* toonCdSpeler_;
};
