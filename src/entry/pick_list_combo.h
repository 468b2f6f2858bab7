// PickListCombo: an editable drop-down list whose pick list is filled when it opens, as every
// list field of the entry screens does (clear, then the lookup items of one code).
#pragma once

#include <QComboBox>

class PickListCombo : public QComboBox {
    Q_OBJECT
public:
    explicit PickListCombo(QWidget* parent = nullptr);

    // Emitted just before the list opens, so that the owner can fill it.
    void showPopup() override;

signals:
    void dropDown();
};
