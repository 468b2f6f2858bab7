// TZoekHoofdtitelForm: the field search screen that finds the main titles by the beginning of the
// field its profile names.
#pragma once

#include "search/zoek_form.h"

class TZoekHoofdtitelForm : public TZoekForm {
public:
    TZoekHoofdtitelForm(Catalogue& catalogue, QWidget* parent = nullptr)
        : TZoekForm(catalogue, Kind::MainTitles, parent) {}
};
