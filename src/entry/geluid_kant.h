// TGeluidKant: a carrier lookup item (code D) and its side setting: whether sources of that
// carrier are divided into sides A and B (KANT "A") or not (KANT blank). For a carrier that is
// an item it shows that item ("Change source"); otherwise it offers a new item with the carrier
// text in upper case ("New source"), which is created only by "OK".
#pragma once

#include <QDialog>
#include <cstdint>

class Catalogue;
class QCheckBox;
class QLineEdit;

class TGeluidKant : public QDialog {
    Q_OBJECT
public:
    // Looks the carrier item up (items.dat order 1). `catalogue` must outlive the screen.
    TGeluidKant(Catalogue& catalogue, const QString& carrier, QWidget* parent = nullptr);

    // Shows the screen modally and returns the text for the carrier field: the item's text,
    // trimmed, after OK; the item's stored text (change) or `carrier` (new) after Cancel.
    static QString Show(Catalogue& catalogue, const QString& carrier, QWidget* parent = nullptr);

    // True when no item existed and the screen offers a new one.
    bool isNew() const { return isNew_; }
    // The text for the carrier field once the screen has closed (see Show).
    QString result() const { return result_; }

private:
    void BitBtn1Click();

    Catalogue& catalogue_;
    bool isNew_ = true;
    uint32_t recno_ = 0;
    QString result_;
    QLineEdit* wijzigDrager_;
    QCheckBox* checkBox1_;
};
