// TZoekJaarForm: the field search screen that finds the tracks of a year.
#pragma once

#include "search/zoek_form.h"

class TZoekJaarForm : public TZoekForm {
public:
    TZoekJaarForm(Catalogue& catalogue, QWidget* parent = nullptr)
        : TZoekForm(catalogue, Kind::Year, parent) {}
};
