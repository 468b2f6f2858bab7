// TZoekGeluidsdragerForm: the field search screen that finds every source of one carrier code, in
// number order.
#pragma once

#include "search/zoek_form.h"

class TZoekGeluidsdragerForm : public TZoekForm {
public:
    TZoekGeluidsdragerForm(Catalogue& catalogue, QWidget* parent = nullptr)
        : TZoekForm(catalogue, Kind::Source, parent) {}
};
