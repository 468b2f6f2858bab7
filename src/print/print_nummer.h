// TPrintNummer: the Print menu's "&Number": the main titles of one carrier within a range of
// source numbers.
#pragma once

#include "print/print_selection_form.h"

class PickListCombo;
class RangeSpinBox;

class TPrintNummer : public PrintSelectionForm {
    Q_OBJECT
public:
    // Both numbers start at 1, the carrier at the default carrier of the entry settings.
    TPrintNummer(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent = nullptr);

private:
    void PrintData(bool preview) override;

    PickListCombo* box_;
    RangeSpinBox* aNummer_;
    RangeSpinBox* bNummer_;
};
