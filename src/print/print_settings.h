// The report settings kept in print.ini: the left margin of every report and, per report
// section, its title and configurable columns. Read key by key at the moment a report runs, so
// that an edited file counts at once. Texts are bytes of the file (Windows-1252).
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A whole number of print.ini; `fallback` when the key is missing or no number.
int ReadPrintIniInteger(std::string_view section, std::string_view key, int fallback);

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
};

// The settings of report section `section` with `columns` configurable columns; with
// `alignKeys` false the columns are left-aligned whatever VeldNAlign says.
ReportSettings ReadReportSettings(std::string_view section, int columns, bool alignKeys);
