// Running the reports: from a selection screen (RunReport, the ReportRunner of the print
// screens), the purchase and playlist prints, and a report written straight to a PDF file for
// the command line. Every report is counted first (the preparation window shows meanwhile),
// then previewed, printed on the shared printer or written.
#pragma once

#include <QString>
#include <cstdint>

#include "platform/common/status.h"
#include "print/report_request.h"

class Catalogue;
class QWidget;
class TTable;
struct ReportDesign;

// The report of `request` over the table of its kind, from the table's current record in its
// current order; the table itself does not move. False when it could not run (the user has
// been told).
bool RunReport(Catalogue& catalogue, const ReportRequest& request, QWidget* parent);

// Every main title with a purchase place, printed at once; afterwards, when none was printed,
// "No purchases were found.".
bool PrintPurchases(Catalogue& catalogue, QWidget* parent);

// The playlist in playlist order `order`, printed at once.
bool PrintPlaylistReport(Catalogue& catalogue, int order, QWidget* parent);

// The layout and records of a request, and the table they are read from.
ReportDesign RequestDesign(const ReportRequest& request);
TTable& RequestTable(Catalogue& catalogue, ReportKind kind);

// Writes `design` over `table` to the PDF file `path` without any window; `lines` gets the
// number of lines printed and `note` (when given) what the preview's status line would say.
// Table failures and a design without room come back as the error.
tunelo::Status WriteReportFile(ReportDesign design, TTable& table, const QString& path,
                               std::uint64_t* lines, QString* note = nullptr);
