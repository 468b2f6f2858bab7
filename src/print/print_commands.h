// The print subsystem's entry point: the main window's "&Purchase" and "&Left margin settings",
// the playlist window's "&Print", and the runner the print selection screens hand their requests
// to. Reports print on `printer`, the one the shell's printer set-up configures.
#pragma once

#include "print/report_request.h"

class Catalogue;
class QPrinter;
class TMainForm;

// `catalogue` and `printer` must outlive the window.
ReportRunner InstallPrintCommands(TMainForm& form, Catalogue& catalogue, QPrinter& printer);
