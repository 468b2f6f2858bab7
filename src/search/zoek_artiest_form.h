// TZoekArtiestForm: the field search screen that finds the track table by the beginning of the
// field its profile names.
#pragma once

#include "search/zoek_form.h"

class TZoekArtiestForm : public TZoekForm {
public:
    TZoekArtiestForm(Catalogue& catalogue, QWidget* parent = nullptr)
        : TZoekForm(catalogue, Kind::Tracks, parent) {}
};
