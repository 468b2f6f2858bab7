// TTekstblad: the memo sheet of one main title: free text of any length, with the main title,
// carrier, number and the date the memo was last saved shown above it. "OK" (enabled only while
// the lock on adding and modifying is off) stores the text and today's date; closing otherwise,
// Escape included, stores nothing.
#pragma once

#include <QDialog>
#include <cstdint>

class Catalogue;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class TTekstblad : public QDialog {
    Q_OBJECT
public:
    // Reads main-title record `recno` of hfdat.dat. `catalogue` must outlive the screen. Throws
    // TableError when the record cannot be read.
    TTekstblad(Catalogue& catalogue, uint32_t recno, QWidget* parent = nullptr);

    // Shows the memo of `recno` modally; true when it was stored. Table failures are shown to
    // the user (false).
    static bool Show(Catalogue& catalogue, uint32_t recno, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BitBtn1Click();

    Catalogue& catalogue_;
    uint32_t recno_;
    QPlainTextEdit* cTekstblad_;
    QLabel* tekstDat_;
    QPushButton* bitBtn1_;
};
