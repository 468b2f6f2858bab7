#include "print/report_layouts.h"

#include <QFontMetricsF>
#include <charconv>
#include <chrono>
#include <ctime>

#include "base/clock.h"
#include "base/ini.h"
#include "base/text.h"
#include "platform/report/band_painter.h"
#include "platform/report/page_geometry.h"
#include "print/print_settings.h"
#include "shell/table_text.h"

namespace {

using report::Align;
using report::BandItem;

struct Column {
    QString caption;
    std::vector<std::string> fields;
    int left;
    int width;
    Align align = Align::kLeft;
    int captionLeft = -1;  // -1: the column's own position, or for a right-aligned column
                           // ending at its right edge
    bool configured = false;
};

QDate Today() {
    const std::time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
    std::tm local{};
    localtime_r(&now, &local);
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

// The widest value of a field of fixed form, in the digit every digit is as wide as; empty for
// free text.
QString Widest(const std::vector<std::string>& fields) {
    if (fields.size() > 1)
        return "000:00";  // MINUTEN holds three digits
    const std::string& field = fields.front();
    if (field == "CDNUMMER")
        return "000000000";
    if (field == "TRACK" || field == "JAAR")
        return "0000";
    if (field == "AANKOOPDAT" || field == "INVOERDAT" || field == "WIJZIGDAT" ||
        field == "TEKSTDAT")
        return "00-00-0000";
    if (field == "AANKPPRS")
        return "0000000.00";
    return {};
}

// The captions of the fixed columns that cannot show their widest value whole at a left margin of
// `leftMarginMm`; configured columns cut it with a mark instead.
QStringList NarrowColumns(int leftMarginMm, const std::vector<Column>& columns) {
    const report::PageGeometry geometry(leftMarginMm);
    const QFontMetricsF plain(report::BandPainter::Font(report::BandPainter::Style::kPlain));
    QStringList narrow;
    for (const Column& column : columns) {
        const QString widest = Widest(column.fields);
        if (!column.configured && !widest.isEmpty() &&
            plain.horizontalAdvance(widest) > geometry.Width(column.width) &&
            !narrow.contains(column.caption))
            narrow << column.caption;
    }
    return narrow;
}

QString NoRoom(int leftMarginMm, const QStringList& narrow) {
    return QString(
               "At a left margin of %1 mm the columns \"%2\" have no room for their values: "
               "choose a smaller margin.")
        .arg(leftMarginMm)
        .arg(narrow.join("\", \""));
}

ReportDesign Build(const std::string& title, int leftMarginMm, const std::vector<Column>& columns) {
    ReportDesign design;
    report::ReportLayout& layout = design.layout;
    layout.title = FromTable(TableText(title));
    layout.date = Today();
    layout.leftMarginMm = leftMarginMm;
    if (const QStringList narrow = NarrowColumns(leftMarginMm, columns); !narrow.isEmpty())
        design.problems << NoRoom(leftMarginMm, narrow);
    for (const Column& column : columns) {
        const int index = int(design.records.values.size());
        design.records.values.push_back(column.fields);
        layout.detail.push_back(BandItem::Field(index, column.left, column.width, column.align));
        if (column.caption.isEmpty())
            continue;
        if (column.captionLeft >= 0) {
            layout.headers.push_back(BandItem::Text(column.caption, column.captionLeft, 0));
        } else if (column.align == Align::kRight) {
            // Designed columns of numbers are narrower than their captions, which end at the
            // column's right edge.
            layout.headers.push_back(
                BandItem::Text(column.caption, 0, column.left + column.width, Align::kRight));
        } else {
            layout.headers.push_back(BandItem::Text(column.caption, column.left, 0));
        }
    }
    return design;
}

ReportDesign Build(const ReportSettings& settings, const std::vector<Column>& columns) {
    ReportDesign design = Build(settings.title, settings.leftMarginMm, columns);
    design.note = settings.note;
    design.problems = settings.problems + design.problems;
    return design;
}

const std::vector<std::string> kTime = {"MINUTEN", "SECONDEN"};

void NoteKeys(const ReportSettings& settings, ReportDesign* design) {
    for (size_t i = 0; i < settings.columns.size(); ++i)
        design->keys.emplace_back("Veld" + std::to_string(i + 1), settings.columns[i].field);
}

std::vector<Column> Configured(const ReportSettings& settings) {
    std::vector<Column> columns;
    for (const ReportColumn& c : settings.columns) {
        columns.push_back({FromTable(TableText(c.caption)),
                           {c.field},
                           c.left,
                           c.width,
                           c.leftAligned ? Align::kLeft : Align::kRight,
                           c.captionLeft,
                           true});
    }
    return columns;
}

// The fixed columns of each report.
std::vector<Column> TrackColumns() {
    return {
        {"Source", {"DRAGER"}, 680, 100},
        {"Nr.", {"CDNUMMER"}, 790, 90, Align::kRight},
        {"Track", {"TRACK"}, 895, 45, Align::kRight},
        {"", {"AKANT"}, 948, 20},
        {"Track time", kTime, 978, 60, Align::kRight},
        {"Year", {"JAAR"}, 1050, 45, Align::kRight},
    };
}

std::vector<Column> YearColumns() {
    return {
        {"Year", {"JAAR"}, 0, 45},
        {"Artist", {"ARTIEST"}, 55, 328},
        {"Title", {"TITEL"}, 393, 297},
        {"Source", {"DRAGER"}, 700, 100},
        {"Nr.", {"CDNUMMER"}, 810, 90, Align::kRight},
        {"Track", {"TRACK"}, 915, 45, Align::kRight},
        {"", {"AKANT"}, 968, 20},
        {"Track time", kTime, 998, 60, Align::kRight},
    };
}

std::vector<Column> TimeColumns() {
    return {
        {"Track time", kTime, 0, 60, Align::kRight, 0},
        {"Artist", {"ARTIEST"}, 100, 316},
        {"Title", {"TITEL"}, 426, 310},
        {"Source", {"DRAGER"}, 746, 100},
        {"Nr.", {"CDNUMMER"}, 856, 90, Align::kRight},
        {"Track", {"TRACK"}, 961, 45, Align::kRight},
        {"", {"AKANT"}, 1014, 20},
        {"Year", {"JAAR"}, 1044, 45, Align::kRight},
    };
}

std::vector<Column> PurchaseColumns() {
    return {
        {"Main title", {"HTITEL"}, 0, 329}, {"Purchased at", {"AANKOOP"}, 339, 300},
        {"Date", {"AANKOOPDAT"}, 649, 92},  {"Price", {"AANKPPRS"}, 751, 96, Align::kRight},
        {"Source", {"DRAGER"}, 860, 100},   {"Nr.", {"CDNUMMER"}, 970, 90, Align::kRight},
    };
}

std::vector<Column> PlaylistColumns() {
    return {
        {"Artist", {"ARTIEST"}, 0, 300},
        {"Title", {"TITEL"}, 310, 320},
        {"Year", {"JAAR"}, 640, 45, Align::kRight},
        {"Source", {"DRAGER"}, 700, 100},
        {"Nr.", {"CDNUMMER"}, 810, 90, Align::kRight},
        {"Track time", kTime, 940, 60, Align::kRight},
        {"Track", {"TRACK"}, 1015, 45, Align::kRight},
        {"", {"AKANT"}, 1070, 20},
    };
}

}  // namespace

ReportDesign TPrnData1Layout(const std::string& section) {
    const ReportSettings settings = ReadReportSettings(section, 2, false);
    std::vector<Column> columns = Configured(settings);
    const std::vector<Column> fixed = TrackColumns();
    columns.insert(columns.end(), fixed.begin(), fixed.end());
    ReportDesign design = Build(settings, columns);
    NoteKeys(settings, &design);
    return design;
}

ReportDesign TPrnData2Layout(const std::string& section) {
    const ReportSettings settings = ReadReportSettings(section, 5, true);
    ReportDesign design = Build(settings, Configured(settings));
    NoteKeys(settings, &design);
    return design;
}

ReportDesign TPrnJaarLayout() {
    return Build(ReadReportSettings("Year", 0, false), YearColumns());
}

ReportDesign TPrnTijdLayout() {
    return Build(ReadReportSettings("Track time", 0, false), TimeColumns());
}

QStringList LeftMarginProblems(int millimetres) {
    QStringList narrow;
    for (const auto& columns :
         {TrackColumns(), YearColumns(), TimeColumns(), PurchaseColumns(), PlaylistColumns()}) {
        for (const QString& caption : NarrowColumns(millimetres, columns)) {
            if (!narrow.contains(caption))
                narrow << caption;
        }
    }
    return narrow.isEmpty() ? QStringList() : QStringList{NoRoom(millimetres, narrow)};
}

ReportDesign TAankoopLayout() {
    const ReportSettings settings = ReadReportSettings("purchase", 0, false);
    ReportDesign design = Build(settings, PurchaseColumns());
    // The total may grow wider than any one price.
    design.layout.footer = {BandItem::Text("Total", 649, 0), BandItem::Sum(700, 147)};
    design.records.required = "AANKOOP";
    design.records.amount = "AANKPPRS";
    int order = 0;
    const auto [end, error] = std::from_chars(settings.order.data(),
                                              settings.order.data() + settings.order.size(), order);
    const bool number =
        error == std::errc() && end == settings.order.data() + settings.order.size();
    design.records.order = number && !settings.order.empty() ? order : 1;
    design.records.fromTop = true;
    return design;
}

ReportDesign TPrnPlaylistLayout(int order) {
    const ReportSettings settings = ReadReportSettings("Playlist", 0, false);
    ReportDesign design = Build(settings, PlaylistColumns());
    // The engine prints "Description:" only before a description that is not blank.
    design.layout.description =
        FromTable(TableText(TrimRight(ReadPrintIni("PlayList", "PlaylistOms"))));
    design.records.order = order;
    design.records.fromTop = true;
    return design;
}
