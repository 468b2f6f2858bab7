// The six reports of the program, each a band layout and the records it prints. The title,
// the left margin and the configurable columns come from print.ini, read when the report is
// built; the other columns are fixed.
#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "platform/report/report_layout.h"
#include "print/table_report_source.h"

struct ReportDesign {
    report::ReportLayout layout;  // BandItem::Field(i) prints records.values[i]
    RecordSelection records;
    // The configurable columns: the print.ini key and the field it names, for telling which
    // key named a field the table lacks.
    std::vector<std::pair<std::string, std::string>> keys;
};

// Tracks: two configurable columns (Veld1, Veld2 of `section`) and the source, number, track,
// side, track time and year.
ReportDesign TPrnData1Layout(const std::string& section);
// Main titles: five configurable columns with their alignment.
ReportDesign TPrnData2Layout(const std::string& section);
// Tracks by year, section "Year".
ReportDesign TPrnJaarLayout();
// Tracks by playing time, section "Track time".
ReportDesign TPrnTijdLayout();
// Every main title with a purchase place, in order Sorteer of section "purchase", with the
// total of the prices.
ReportDesign TAankoopLayout();
// The playlist with its description, in the playlist table's current order from its top.
ReportDesign TPrnPlaylistLayout();
