#include "entry/pick_list_combo.h"

PickListCombo::PickListCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The typed text is the value; the list only offers what was stored before.
    setCompleter(nullptr);
}

void PickListCombo::showPopup() {
    // Filling the list replaces the typed text; keep it.
    const QString typed = currentText();
    emit dropDown();
    setEditText(typed);
    QComboBox::showPopup();
}
