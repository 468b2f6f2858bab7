// TVeranderComboItems: one lookup item of a list field, to change its text or delete it. The
// records that carry the old text are not changed; only the pick list is.
#pragma once

#include <QDialog>
#include <cstdint>

class Catalogue;
class QLineEdit;

class TVeranderComboItems : public QDialog {
    Q_OBJECT
public:
    // Looks the item (text, code) up on items.dat order 1. `catalogue` must outlive the screen.
    TVeranderComboItems(Catalogue& catalogue, const QString& text, char code,
                        QWidget* parent = nullptr);

    // The double-click on a list field. While the lock is on: refused (ChkBeveiliging), the
    // result is `text`. A blank text or code: a beep, the result is empty. An unknown item:
    // "ngev.wav" and "Information \"<text>\" is not found.", the result is `text`. Otherwise the
    // screen is shown; the result is the item's text as it stands when the screen closes, empty
    // after "&Delete".
    static QString Show(Catalogue& catalogue, const QString& text, char code,
                        QWidget* parent = nullptr);

    bool found() const { return found_; }
    bool deleted() const { return deleted_; }
    // The item's text, trimmed, once the screen has closed (empty after "&Delete").
    QString result() const { return result_; }

private:
    void BitBtn1Click();
    void VerwButClick();

    Catalogue& catalogue_;
    char code_;
    bool found_ = false;
    bool deleted_ = false;
    uint32_t recno_ = 0;
    QString result_;
    QLineEdit* dbEdit1_;
};
