#include "print/named_reports.h"

#include <array>

namespace {

const std::array<NamedReport, 16> kReports = {{
    {"Artist", ReportKind::Track, Selection::Prefix, 1, {"ARTIEST"}, "PrintArtist1"},
    {"Title", ReportKind::Track, Selection::Prefix, 2, {"TITEL"}, "PrintTitle1"},
    {"Composer", ReportKind::Track, Selection::Prefix, 5, {"COMPONIST"}, "PrintComposer1"},
    {"Keyword",
     ReportKind::Track,
     Selection::Prefix,
     3,
     {"TREF"},
     "PrintKeyword1",
     BoxWidth::Narrow,
     'T'},
    {"Performance",
     ReportKind::Track,
     Selection::Prefix,
     11,
     {"UITVOER"},
     "PrintPerformance1",
     BoxWidth::Narrow,
     'U'},
    {"Style 2",
     ReportKind::Track,
     Selection::Prefix,
     7,
     {"SOORT"},
     "PrintStyle2",
     BoxWidth::Narrow,
     'G'},
    {"Main title",
     ReportKind::MainTitle,
     Selection::Prefix,
     1,
     {"HTITEL"},
     "PrintMaintitle1",
     BoxWidth::Wide,
     'H'},
    {"Label",
     ReportKind::MainTitle,
     Selection::Prefix,
     6,
     {"LABEL"},
     "PrintLabel1",
     BoxWidth::Narrow,
     'L'},
    {"Style 1",
     ReportKind::MainTitle,
     Selection::Prefix,
     2,
     {"SOORT"},
     "PrintStyle1",
     BoxWidth::Narrow,
     'G'},
    {"Main artist",
     ReportKind::MainTitle,
     Selection::Prefix,
     7,
     {"HOOFDART"},
     "PrintMainartist1",
     BoxWidth::Wide,
     'A'},
    {"Source", ReportKind::MainTitle, Selection::Carrier, 5, {"DRAGER"}},
    {"Number", ReportKind::MainTitle, Selection::Range, 4, {}},
    {"Year", ReportKind::Year, Selection::Year, 12, {"JAAR"}},
    {"Track time", ReportKind::TrackTime, Selection::Time, 6, {"MINUTEN", "SECONDEN"}},
    {"purchase", ReportKind::MainTitle, Selection::None, 0, {}},
    {"Playlist", ReportKind::Track, Selection::None, 0, {}},
}};

}  // namespace

std::span<const NamedReport> NamedReports() {
    return kReports;
}

const NamedReport* FindNamedReport(const QString& name) {
    for (const NamedReport& report : kReports) {
        if (name.compare(report.name, Qt::CaseInsensitive) == 0)
            return &report;
    }
    return nullptr;
}

std::string SelectedField(ReportKind kind, int order) {
    for (const NamedReport& report : kReports) {
        if (report.kind == kind && report.selection == Selection::Prefix && report.order == order)
            return report.fields.front();
    }
    return {};
}
