// TWijzigArtiestGegevens ("Edit artist"): modifies the track on which the track table stands
// when the screen is created; "Change in all records" gives every track of its source the new
// style, performance or keyword. OK is available only while adding and modifying is not locked.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class Catalogue;
class PickListCombo;
class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class RangeSpinBox;
class QPushButton;
class QSpinBox;

class TWijzigArtiestGegevens : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen; its track table stands on the track to modify.
    TWijzigArtiestGegevens(Catalogue& catalogue, QWidget* parent = nullptr);

    // The record number of the track being modified (0: the table stood on no track).
    uint32_t recno() const { return recno_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BitBtn1Click();

    Catalogue& catalogue_;
    uint32_t recno_ = 0;
    // Style, performance and keyword as they were when the screen opened.
    std::string style_, performance_, keyword_;

    QFormLayout* form_;
    QLineEdit* dbEdit1_;
    QLineEdit* dbEdit2_;
    QLineEdit* dbEdit3_;
    PickListCombo* dbEdit4_;
    PickListCombo* dbEdit5_;
    PickListCombo* dbEdit9_;
    QLineEdit* dbEdit11_;
    QLabel* dbText1_;
    RangeSpinBox* invMin_;
    RangeSpinBox* invSec_;
    QLineEdit* invJaar_;
    RangeSpinBox* invTrack_;
    QLabel* timeCaption_;
    QLabel* yearCaption_;
    QCheckBox* genreCheckBox_;
    QCheckBox* uitvoeringCheckBox_;
    QCheckBox* trefwoordCheckBox_;
    QPushButton* bitBtn1_;
};
