// The Print menu's selection screens: the way in from the main window.
#pragma once

#include <functional>

#include "print/report_request.h"

class Catalogue;
class TMainForm;

// Registers the selection commands of the Print menu on `form` (number range, source, main
// title, label, style, main artist; artist, title, composer, keyword, performance, track style;
// track time, year). Each opens its screen modally; the screens hand what they find to `runner`
// and open the printer setup through `printerSetup` (null: "&Setup" stays disabled). `form` and
// `catalogue` must outlive the run.
void InstallPrintSelection(TMainForm& form, Catalogue& catalogue, ReportRunner runner,
                           std::function<void()> printerSetup);
