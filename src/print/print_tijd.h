// TPrintTijd: the Print menu's "&Track time": every track of one playing time, or of whole
// minutes when the seconds are 0, with the carrier filter.
#pragma once

#include "print/print_selection_form.h"

class RangeSpinBox;

class TPrintTijd : public PrintSelectionForm {
    Q_OBJECT
public:
    TPrintTijd(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent = nullptr);

private:
    void PrintData(bool preview) override;

    RangeSpinBox* minutes_;
    RangeSpinBox* seconds_;
};
