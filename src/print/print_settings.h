// The report settings kept in print.ini: the left margin of every report and, per report
// section, its title and configurable columns. Read key by key at the moment a report runs, so
// that an edited file counts at once. A key the file lacks (or a file that is missing or cannot
// be read) takes the installation template's value, and the settings say so. Texts are bytes of
// the file (Windows-1252).
#pragma once

#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

// The widest left margin, in millimetres, that a report takes.
inline constexpr int kLargestLeftMarginMm = 150;

// [Marge] LinkerMarge: the left margin of every report in millimetres, 0 when missing.
int ReadLinkerMarge();
bool WriteLinkerMarge(int millimetres);

// One configurable column: VeldOmsN at OmsNbp, field VeldN (15 characters at most) at VeldNbp,
// VeldNw wide; left-aligned only when VeldNAlign is exactly "links".
struct ReportColumn {
    std::string caption;
    int captionLeft = 0;
    std::string field;
    int left = 0;
    int width = 0;
    bool leftAligned = true;
};

struct ReportSettings {
    std::string title;                  // Titel, empty when missing
    int leftMarginMm = 0;               // LinkerMarge of [Marge]
    std::vector<ReportColumn> columns;  // Veld1..VeldN
    std::string order;                  // Sorteer, the purchase report's order
    // What the template filled in, as one sentence; empty when print.ini held every key.
    QString note;
    // Values that leave a column or the report no room ("Veld2bp=1300 ..."); a report with any
    // is refused.
    QStringList problems;
};

// The settings of report section `section` with `columns` configurable columns; with
// `alignKeys` false the columns are left-aligned whatever VeldNAlign says.
ReportSettings ReadReportSettings(std::string_view section, int columns, bool alignKeys);
