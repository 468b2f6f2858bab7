// THoofdtitelInfoForm ("Information"): the main title on which the main-title table stands,
// read-only, with its memo text. "&Main title" and "&Purchase" open their editors on it, a double
// click on the memo the memo sheet; the labels follow what was stored.
#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>

class Catalogue;
class QLabel;
class RecordLabels;

class THoofdtitelInfoForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the window.
    explicit THoofdtitelInfoForm(Catalogue& catalogue, QWidget* parent = nullptr);
    ~THoofdtitelInfoForm() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HoofdtitelBtnClick();
    void AankoopBtnClick();
    void DBMemo1DblClick();

    Catalogue& catalogue_;
    uint32_t recno_;  // the main title shown
    std::unique_ptr<RecordLabels> labels_;
    QLabel* dbMemo1_;
};
