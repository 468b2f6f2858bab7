// TArtiestInfoForm ("Information"): the track record on which the track table stands, read-only.
// "&Edit" opens the track modification screen on it; the labels follow what was stored.
#pragma once

#include <QDialog>
#include <memory>

class Catalogue;
class RecordLabels;

class TArtiestInfoForm : public QDialog {
    Q_OBJECT
public:
    // `catalogue` must outlive the window.
    explicit TArtiestInfoForm(Catalogue& catalogue, QWidget* parent = nullptr);
    ~TArtiestInfoForm() override;

private:
    void EditBtnClick();

    Catalogue& catalogue_;
    std::unique_ptr<RecordLabels> labels_;
};
