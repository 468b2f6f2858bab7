// TEditAankoop: the purchase data of one main title: where (a pick list of the purchase places,
// code K), when (typed or picked on the calendar) and the price. "OK" is enabled only while the
// lock on adding and modifying is off; it stores the three fields and adds the place to the pick
// list. "&Cancel" stores nothing.
#pragma once

#include <QDialog>
#include <cstdint>

class Catalogue;
class PickListCombo;
class QLineEdit;
class QPushButton;
class QToolButton;

class TEditAankoop : public QDialog {
    Q_OBJECT
public:
    // Reads main-title record `recno` of hfdat.dat; a record without purchase date shows today's.
    // `catalogue` must outlive the screen. Throws TableError when the record cannot be read.
    TEditAankoop(Catalogue& catalogue, uint32_t recno, QWidget* parent = nullptr);

    // Shows the purchase data of `recno` modally; true when they were stored. Table failures
    // are shown to the user (false).
    static bool Show(Catalogue& catalogue, uint32_t recno, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void SpeedButton1Click();
    void BitBtn1Click();

    Catalogue& catalogue_;
    uint32_t recno_;
    PickListCombo* dbEdit1_;
    QLineEdit* dbEdit2_;
    QToolButton* speedButton1_;
    QLineEdit* dbEdit3_;
    QPushButton* bitBtn1_;
};
