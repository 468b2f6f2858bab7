// Every report by its name: the table it prints, how the records are selected, the index order
// the selection seeks in and the fields compared, and for the reports of one field the Print
// menu command and box of its selection screen. The screens and the command line read this one
// table.
#pragma once

#include <QString>
#include <span>
#include <string>
#include <vector>

#include "print/report_request.h"

// How the records of a report are chosen: the beginning of a field, a carrier, a carrier's number
// range, a whole year, a track time, or the report's own records (purchases, the playlist).
enum class Selection { Prefix, Carrier, Range, Year, Time, None };

enum class BoxWidth { Wide, Narrow };

struct NamedReport {
    const char* name;  // also the print.ini section
    ReportKind kind;
    Selection selection;
    int order;                        // the index order of the selection
    std::vector<std::string> fields;  // joined and compared with the typed text
    // The Print menu command of a field screen (nullptr for none), its box and pick list.
    const char* command = nullptr;
    BoxWidth width = BoxWidth::Wide;
    char code = ' ';
};

std::span<const NamedReport> NamedReports();

// The report called `name` (letter case ignored); nullptr for none.
const NamedReport* FindNamedReport(const QString& name);

// The field that the field screens of `kind` select on in index order `order`; empty for an
// order they do not offer.
std::string SelectedField(ReportKind kind, int order);
