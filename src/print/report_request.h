// What a print selection screen hands to a report: which layout, how many records, preview or
// printer, the report's name (its print.ini section) and the carrier filter. The table of the
// layout (artdat.dat for the track, year and track-time reports, hfdat.dat for the main-title
// report) stands on the first record to print, in the order the screen chose.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class Catalogue;
class QWidget;

enum class ReportKind { Track, MainTitle, Year, TrackTime };

struct ReportRequest {
    ReportKind kind = ReportKind::Track;
    uint64_t count = 0;    // records to print from the current one on
    bool preview = false;  // the preview window instead of the printer
    QString name;          // the print.ini section: "Artist", "Main title", "Year", ...
    QString filter;        // a carrier code (upper case, up to 15 characters), empty for none
};

// Runs the report of `request` over the catalogue's tables, showing the preview or printing;
// false when it could not (the user has been told).
using ReportRunner = std::function<bool(Catalogue&, const ReportRequest&, QWidget* parent)>;
