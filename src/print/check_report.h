// The catalogue's check as a report: the findings grouped by kind, each kind's heading with its
// count, then one line per finding naming its source and what is wrong; the page number on every
// page. Shown in the preview, which prints it or saves it as PDF.
#pragma once

#include "store/catalogue_check.h"

class QWidget;

// Counts the report's first pages with the preparation window showing, then shows the preview.
// `check` must hold findings. False when the report could not be made (the user has been told).
bool PreviewCheckReport(const CatalogueCheck& check, QWidget* parent);
