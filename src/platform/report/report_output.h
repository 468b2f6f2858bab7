// Whole-report output: every page to a printer or to a PDF file, with progress and cancel.
// The engine must be paginated first.
#pragma once

#include <QString>

#include "platform/common/status.h"
#include "platform/report/report_engine.h"

class QPrinter;

namespace report {

// Prints the printer's page range (all pages when it has none) in landscape, each page scaled
// to the printer's paper. Progress counts pages.
tunelo::Status PrintReport(ReportEngine* engine, QPrinter* printer, const ReportRun& run = {});

// Writes every page to a landscape A4 PDF at `path`, titled `title`. A failed or cancelled run
// leaves no file behind.
tunelo::Status WriteReportPdf(ReportEngine* engine, const QString& path, const QString& title,
                              const ReportRun& run = {});

}  // namespace report
