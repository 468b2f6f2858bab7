// TWijzigHoofdtitelGegevens ("Edit main title"): modifies the main title on which the main-title
// table stands when the screen is created. A new carrier or number moves the source with all its
// tracks, unless another source has that key already. OK is available only while adding and
// modifying is not locked.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class Catalogue;
class PickListCombo;
class QFormLayout;
class QLabel;
class QPushButton;
class QSpinBox;

class TWijzigHoofdtitelGegevens : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen; its main-title table stands on the source to modify.
    TWijzigHoofdtitelGegevens(Catalogue& catalogue, QWidget* parent = nullptr);

    // The record number of the main title being modified (0: the table stood on none).
    uint32_t recno() const { return recno_; }
    // After OK: false when the new key belonged to another source and the old one was kept.
    bool moved() const { return moved_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BitBtn1Click();

    Catalogue& catalogue_;
    uint32_t recno_ = 0;
    bool moved_ = true;
    // The key of the source when the screen opened.
    std::string oldCarrier_, oldNumber_;

    QFormLayout* form_;
    PickListCombo* dbComboBox1_;
    QSpinBox* spinEdit1_;
    PickListCombo* dbComboBox2_;
    PickListCombo* dbEdit2_;
    PickListCombo* dbEdit3_;
    PickListCombo* dbEdit4_;
    PickListCombo* dbEdit5_;
    QLabel* dbText1_;
    QPushButton* bitBtn1_;
};
