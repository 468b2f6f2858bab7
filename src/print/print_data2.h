// TPrintData2: the main-title screen of the Print menu, for the main title, label, style and main
// artist; it runs the main-title report.
#pragma once

#include "print/print_field_form.h"

class TPrintData2 : public PrintFieldForm {
    Q_OBJECT
public:
    TPrintData2(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent = nullptr);
};
