// The command line's report: `--report NAME [--text T] [--filter CARRIER] --pdf FILE` writes the
// named report to a PDF file without any window, finding its records as the print screens do.
#pragma once

#include <QString>
#include <QTextStream>

class Catalogue;

struct ReportCommand {
    QString name;    // a report name: "Artist", "Main title", "Number", "Year", "purchase", ...
    QString text;    // the selection: a field's beginning, a carrier, "CARRIER FIRST-LAST",
                     // a year, "M:SS"
    QString filter;  // a carrier for the track, year and track-time reports
    QString pdf;     // the file to write
};

// Writes the report; 0 when written, 1 when nothing was found or it failed, 2 for a request
// that names no report or gives an unusable text. Messages go to `errors`.
int RunReportCommand(Catalogue& catalogue, const ReportCommand& command, QTextStream& errors);
