// TPrnGeluidsdrager: the Print menu's "&Source": every main title of one carrier, in number order.
#pragma once

#include "print/print_selection_form.h"

class PickListCombo;

class TPrnGeluidsdrager : public PrintSelectionForm {
    Q_OBJECT
public:
    // The box holds the default carrier of the entry settings and has the focus.
    TPrnGeluidsdrager(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent = nullptr);

private:
    void PrintData(bool preview) override;

    PickListCombo* box_;
};
