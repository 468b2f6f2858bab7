// Where a finished report goes: the shared printer (without a dialog) or a PDF file the user
// names. Without any printer installed, printing says so and offers the PDF instead.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace report {
class ReportEngine;
}

// The printer the printer set-up dialog configures; reports print on it. Not owned; nullptr
// (the start) means none.
void SetReportPrinter(QPrinter* printer);

// Prints every page of the paginated `engine` on the shared printer, showing the preparation
// window meanwhile. False when nothing was printed (the user has been told).
bool PrintPages(report::ReportEngine& engine, const QString& title, QWidget* parent);

// Asks for a file name (suggested from `title`) and writes the report there as PDF. False when
// cancelled or failed (the user has been told of a failure).
bool SavePagesAsPdf(report::ReportEngine& engine, const QString& title);
