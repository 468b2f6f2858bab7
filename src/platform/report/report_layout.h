// ReportLayout: what a report prints, band by band. The engine adds what every page has: the
// title band's "Date:" line (and "Description:" when a description is given) and the page
// footer's "Page:" with the page number at the right end of the footer.
#pragma once

#include <QDate>
#include <QString>
#include <cstdint>
#include <vector>

#include "platform/report/band_item.h"

namespace report {

struct ReportLayout {
    // Title band, at the top of every page.
    QString title;
    Align titleAlign = Align::kRight;
    QDate date;           // printed after "Date:" as dd-MM-yyyy; nothing when null
    QString description;  // "Description:" and this text, only when not blank

    std::vector<BandItem> headers;  // column-header band: the captions
    std::vector<BandItem> detail;   // one line per record: fields and fixed texts
    std::vector<BandItem> footer;   // page footer beside "Page:" (kSum: sum up to this page)
    std::vector<BandItem> summary;  // after the last line, when not empty (kSum: the total)

    int sumDecimals = 2;         // digits after the point of printed sums
    double leftMarginMm = 0;     // shifts every band to the right (0 to 150 mm are used)
    std::uint64_t maxLines = 0;  // the report ends after this many lines; 0 for no limit
};

}  // namespace report
