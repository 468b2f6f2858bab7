// TInvoegTrackForm ("Add some tracks"): adds single tracks to an existing source at a chosen
// track number. Each OK stores one track and asks for another; closing offers to renumber the
// source so that the new tracks take their places, and to show its contents.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <string>

class Catalogue;
class PickListCombo;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class RangeSpinBox;

class TInvoegTrackForm : public QDialog {
    Q_OBJECT
public:
    using ShowSourceFn = std::function<void(const std::string& sourceSeekKey)>;

    // `catalogue` must outlive the screen. Show it with exec().
    TInvoegTrackForm(Catalogue& catalogue, QWidget* parent = nullptr);

    // What "Do you want to see the contents?" opens on Yes; without one the question is not asked.
    void setShowSource(ShowSourceFn showSource) { showSource_ = std::move(showSource); }

    // Whether at least one track was stored.
    bool added() const { return added_; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void FormShow();
    void DBEdit1Change();
    void OkButClick();
    bool FormCloseQuery();
    void ClearTrackFields();

    Catalogue& catalogue_;
    ShowSourceFn showSource_;
    bool added_ = false;
    bool closingByOk_ = false;
    bool closeAsked_ = false;
    uint32_t lastStored_ = 0;  // record number of the last track stored
    int lastTrack_ = 0;        // the number it was stored with
    std::string storedCarrier_, storedNumber_;

    QFormLayout* form_;
    PickListCombo* invDrager_;
    RangeSpinBox* invNummer_;
    RangeSpinBox* invTrack_;
    QLineEdit* dbEdit7_;
    QLineEdit* dbEdit1_;
    QLineEdit* dbEdit2_;
    QLineEdit* dbEdit3_;
    PickListCombo* dbEdit4_;
    PickListCombo* dbEdit5_;
    PickListCombo* dbEdit6_;
    RangeSpinBox* invMin_;
    RangeSpinBox* invSec_;
    QWidget* timeCaption_;
    QLineEdit* invJaar_;
    QLabel* yearCaption_ = nullptr;
    QPushButton* okBut_;
    QPushButton* bitBtn2_;
};
