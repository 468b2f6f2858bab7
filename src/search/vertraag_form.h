// TVertraagForm ("Delay"): how the details block glides into view after a search: whether the
// scrolling is announced and slowed, and the slowing factor 1..10 (10 the slowest).
#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

class TVertraagForm : public QDialog {
    Q_OBJECT
public:
    explicit TVertraagForm(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void OKBtnClick();

    QCheckBox* checkBox1_;
    QSpinBox* spinEdit1_;
};
