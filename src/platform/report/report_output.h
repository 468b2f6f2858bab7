// Whole-report output: every page to a printer or to a PDF file, with progress and cancel.
// The engine must be paginated first.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "platform/common/status.h"
#include "platform/report/report_engine.h"

class QPrinter;

namespace report {

// Prints the printer's page range (all pages when it has none) in landscape, each page scaled
// to the printer's paper. Progress counts pages.
tunelo::Status PrintReport(ReportEngine* engine, QPrinter* printer, const ReportRun& run = {});

// Writes every page to a landscape A4 PDF at `path`, titled `title`. The pages go to a new file
// that replaces `path` only when complete: a failed or cancelled run leaves `path` as it was.
// Refused, writing nothing: a missing folder, a folder, a read-only file, and any of the files
// `kept` (the catalogue's own), also when named through a link or another spelling.
tunelo::Status WriteReportPdf(ReportEngine* engine, const QString& path, const QString& title,
                              const ReportRun& run = {}, const std::vector<std::string>& kept = {});

}  // namespace report
