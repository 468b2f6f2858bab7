// TPrintJaar: the Print menu's "&Year": every track of one year, with the carrier filter.
#pragma once

#include "print/print_selection_form.h"

class RangeSpinBox;

class TPrintJaar : public PrintSelectionForm {
    Q_OBJECT
public:
    // The year starts as the default year of the entry settings (cd.ini diversen VeldJaar);
    // empty when that key is missing or holds no year.
    TPrintJaar(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent = nullptr);

private:
    void PrintData(bool preview) override;

    RangeSpinBox* year_;
};
