// The six reports of the program, each a band layout and the records it prints. The title,
// the left margin and the configurable columns come from print.ini, read when the report is
// built; the other columns are fixed, each wide enough for the widest value its field holds
// (free text is cut with a mark instead).
#pragma once

#include <QString>
#include <QStringList>
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
    QString note;          // what print.ini lacked, told once with the report
    QStringList problems;  // why the report has no room for its values: it is refused
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
// Why the reports of fixed columns would have no room at a left margin of `millimetres`; empty
// when they all fit.
QStringList LeftMarginProblems(int millimetres);
// Every main title with a purchase place, in order Sorteer of section "purchase", with the
// total of the prices.
ReportDesign TAankoopLayout();
// The playlist with its description, in playlist order `order` from its top.
ReportDesign TPrnPlaylistLayout(int order);
