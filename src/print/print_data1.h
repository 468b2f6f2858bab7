// TPrintData1: the track screen of the Print menu, for the artist, title, composer, keyword,
// performance and track style; it runs the track report.
#pragma once

#include "print/print_field_form.h"

class TPrintData1 : public PrintFieldForm {
    Q_OBJECT
public:
    TPrintData1(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent = nullptr);
};
