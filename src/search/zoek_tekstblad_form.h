// TZoekTekstbladForm: the field search screen that finds the main titles whose memo holds a text.
#pragma once

#include "search/zoek_form.h"

class TZoekTekstbladForm : public TZoekForm {
public:
    TZoekTekstbladForm(Catalogue& catalogue, QWidget* parent = nullptr)
        : TZoekForm(catalogue, Kind::Memo, parent) {}
};
