#include "print/report_layouts.h"

#include <chrono>
#include <ctime>

#include "base/clock.h"
#include "base/ini.h"
#include "base/text.h"
#include "print/print_settings.h"
#include "shell/table_text.h"

namespace {

using report::Align;
using report::BandItem;

// Track times and years get a little more room than the designed 33 and 29 units, which cut
// "08:30" and "1996" in the program's font. Captions of right-aligned columns end at the column's
// right edge, and may reach this far to the left of it: designed columns of numbers are narrower
// than their captions.
constexpr int kCaptionReach = 90;

struct Column {
    QString caption;
    std::vector<std::string> fields;
    int left;
    int width;
    Align align = Align::kLeft;
    int captionLeft = -1;  // -1: the column's own position
};

QDate Today() {
    const std::time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
    std::tm local{};
    localtime_r(&now, &local);
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

ReportDesign Build(const std::string& title, int leftMarginMm, const std::vector<Column>& columns) {
    ReportDesign design;
    report::ReportLayout& layout = design.layout;
    layout.title = FromTable(TableText(title));
    layout.date = Today();
    layout.leftMarginMm = leftMarginMm;
    for (const Column& column : columns) {
        const int index = int(design.records.values.size());
        design.records.values.push_back(column.fields);
        layout.detail.push_back(BandItem::Field(index, column.left, column.width, column.align));
        if (column.caption.isEmpty())
            continue;
        if (column.captionLeft >= 0) {
            layout.headers.push_back(BandItem::Text(column.caption, column.captionLeft, 0));
        } else if (column.align == Align::kRight && column.left + column.width > kCaptionReach) {
            const int right = column.left + column.width;
            layout.headers.push_back(BandItem::Text(column.caption, right - kCaptionReach,
                                                    kCaptionReach, Align::kRight));
        } else {
            layout.headers.push_back(BandItem::Text(column.caption, column.left, 0));
        }
    }
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
                           c.captionLeft});
    }
    return columns;
}

}  // namespace

ReportDesign TPrnData1Layout(const std::string& section) {
    const ReportSettings settings = ReadReportSettings(section, 2, false);
    std::vector<Column> columns = Configured(settings);
    columns.insert(columns.end(), {
                                      {"Source", {"DRAGER"}, 681, 90},
                                      {"Nr.", {"CDNUMMER"}, 769, 60, Align::kRight},
                                      {"Track", {"TRACK"}, 853, 34, Align::kRight},
                                      {"", {"AKANT"}, 893, 17},
                                      {"Track time", kTime, 915, 50, Align::kRight},
                                      {"Year", {"JAAR"}, 975, 40, Align::kRight},
                                  });
    ReportDesign design = Build(settings.title, settings.leftMarginMm, columns);
    NoteKeys(settings, &design);
    return design;
}

ReportDesign TPrnData2Layout(const std::string& section) {
    const ReportSettings settings = ReadReportSettings(section, 5, true);
    ReportDesign design = Build(settings.title, settings.leftMarginMm, Configured(settings));
    NoteKeys(settings, &design);
    return design;
}

ReportDesign TPrnJaarLayout() {
    const ReportSettings settings = ReadReportSettings("Year", 0, false);
    return Build(settings.title, settings.leftMarginMm,
                 {
                     {"Year", {"JAAR"}, 0, 45},
                     {"Artist", {"ARTIEST"}, 88, 328},
                     {"Title", {"TITEL"}, 423, 297},
                     {"Source", {"DRAGER"}, 726, 90},
                     {"Nr.", {"CDNUMMER"}, 815, 60, Align::kRight},
                     {"Track", {"TRACK"}, 892, 37, Align::kRight},
                     {"", {"AKANT"}, 932, 17},
                     {"Track time", kTime, 960, 55, Align::kRight},
                 });
}

ReportDesign TPrnTijdLayout() {
    const ReportSettings settings = ReadReportSettings("Track time", 0, false);
    return Build(settings.title, settings.leftMarginMm,
                 {
                     {"Track time", kTime, 8, 55, Align::kRight, 0},
                     {"Artist", {"ARTIEST"}, 88, 328},
                     {"Title", {"TITEL"}, 423, 320},
                     {"Source", {"DRAGER"}, 750, 90},
                     {"Nr.", {"CDNUMMER"}, 839, 52, Align::kRight},
                     {"Track", {"TRACK"}, 914, 37, Align::kRight},
                     {"", {"AKANT"}, 957, 17},
                     {"Year", {"JAAR"}, 976, 40, Align::kRight},
                 });
}

ReportDesign TAankoopLayout() {
    const ReportSettings settings = ReadReportSettings("purchase", 0, false);
    ReportDesign design = Build(settings.title, settings.leftMarginMm,
                                {
                                    {"Main title", {"HTITEL"}, 0, 329},
                                    {"Purchased at", {"AANKOOP"}, 336, 318},
                                    {"Date", {"AANKOOPDAT"}, 660, 65},
                                    {"Price", {"AANKPPRS"}, 752, 66, Align::kRight},
                                    {"Source", {"DRAGER"}, 878, 65},
                                    {"Nr.", {"CDNUMMER"}, 959, 61, Align::kRight},
                                });
    design.layout.footer = {BandItem::Text("Total", 660, 0), BandItem::Sum(752, 66)};
    design.records.required = "AANKOOP";
    design.records.amount = "AANKPPRS";
    design.records.order = ReadPrintIniInteger("purchase", "Sorteer", 1);
    design.records.fromTop = true;
    return design;
}

ReportDesign TPrnPlaylistLayout() {
    const ReportSettings settings = ReadReportSettings("Playlist", 0, false);
    ReportDesign design = Build(settings.title, settings.leftMarginMm,
                                {
                                    {"Artist", {"ARTIEST"}, 0, 300},
                                    {"Title", {"TITEL"}, 310, 330},
                                    {"Year", {"JAAR"}, 650, 45, Align::kRight},
                                    {"Source", {"DRAGER"}, 715, 90},
                                    {"Nr.", {"CDNUMMER"}, 810, 70, Align::kRight},
                                    {"Track time", kTime, 900, 50, Align::kRight},
                                    {"Track", {"TRACK"}, 965, 40, Align::kRight},
                                    {"", {"AKANT"}, 1015, 17},
                                });
    // The engine prints "Description:" only before a description that is not blank.
    design.layout.description =
        FromTable(TableText(TrimRight(ReadPrintIni("PlayList", "PlaylistOms"))));
    design.records.fromTop = true;
    return design;
}
