// TZoekTijdForm: the field search screen that finds the tracks of a playing time (minutes, or
// minutes and seconds).
#pragma once

#include "search/zoek_form.h"

class TZoekTijdForm : public TZoekForm {
public:
    TZoekTijdForm(Catalogue& catalogue, QWidget* parent = nullptr)
        : TZoekForm(catalogue, Kind::Time, parent) {}
};
