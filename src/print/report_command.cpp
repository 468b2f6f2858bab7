#include "print/report_command.h"

#include <QRegularExpression>
#include <optional>

#include "playlist/sort_form_playlist.h"
#include "print/named_reports.h"
#include "print/report_layouts.h"
#include "print/report_runner.h"
#include "print/report_selection.h"
#include "shell/table_text.h"
#include "store/catalogue.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

struct Found {
    ReportSelection selection;
    QString refusal;  // why the text cannot be used; empty when it can
};

Found Select(Catalogue& catalogue, const NamedReport& report, const ReportCommand& command) {
    TTableAccess& access =
        report.kind == ReportKind::MainTitle ? catalogue.dm2.HfAccess : catalogue.dm1.ArtAccess;
    const QString text = command.text.trimmed();
    const std::optional<std::string> bytes = ToTable(text);
    const std::optional<std::string> filter = ToTable(command.filter.trimmed().toUpper());
    if (!bytes || !filter)
        return {{}, "The text holds a character the catalogue cannot store."};
    PrefixQuery query{report.order, report.fields, *bytes, *filter};
    switch (report.selection) {
        case Selection::Prefix:
            break;
        case Selection::Carrier:
            if (text.isEmpty())
                return {{}, "Please fill in a source."};
            query.text = text.toUpper().leftJustified(kCarrierWidth, ' ').toStdString();
            query.carrier.clear();
            break;
        case Selection::Range: {
            static const QRegularExpression form(R"(^(\S+)\s+(\d+)-(\d+)$)");
            const QRegularExpressionMatch match = form.match(text);
            if (!match.hasMatch())
                return {{}, "Give the number range as \"CARRIER FIRST-LAST\"."};
            // Source numbers run to nine digits; a longer one is named, not read as 0.
            constexpr qint64 kLastNumber = 999999999;
            for (int part : {2, 3}) {
                bool number = false;
                const qint64 value = match.captured(part).toLongLong(&number);
                if (!number || value > kLastNumber)
                    return {{},
                            "The number " + match.captured(part) +
                                " is out of range: source numbers run from 0 to 999999999."};
            }
            const qint64 low = match.captured(2).toLongLong(),
                         high = match.captured(3).toLongLong();
            if (low > high)
                return {{}, "The first number must be smaller then the second number."};
            access.SetOrder(report.order);
            return {SelectNumberRange(access, match.captured(1).toUpper().toStdString(), low, high),
                    {}};
        }
        case Selection::Year: {
            bool number = false;
            const int year = text.toInt(&number);
            if (!number || year <= 0 || year > 9999)
                return {{}, "Please fill in a year."};
            query.text = text.leftJustified(4, ' ').toStdString();  // the whole year, not a prefix
            break;
        }
        case Selection::Time: {
            static const QRegularExpression form(R"(^(\d{1,3}):([0-5]\d)$)");
            const QRegularExpressionMatch match = form.match(text);
            if (!match.hasMatch() ||
                (match.captured(1).toInt() == 0 && match.captured(2).toInt() == 0))
                return {{}, "Please fill in the track time as M:SS."};
            query.text = TrackTimeText(match.captured(1).toInt(), match.captured(2).toInt());
            break;
        }
        case Selection::None:
            return {};
    }
    return {SelectByPrefix(access, query), {}};
}

QString NothingFound(const NamedReport& report, const ReportCommand& command,
                     const ReportSelection& selection) {
    if (selection.found && !command.filter.isEmpty())
        return QString("Nothing found with the filter setting \"%1\"")
            .arg(command.filter.toUpper());
    return QString("%1 \"%2\" not found.").arg(report.name, command.text.trimmed());
}

}  // namespace

int RunReportCommand(Catalogue& catalogue, const ReportCommand& command, QTextStream& errors) {
    const NamedReport* report = FindNamedReport(command.name);
    if (report == nullptr) {
        errors << "There is no report \"" << command.name << "\".\n";
        return 2;
    }
    try {
        std::uint64_t lines = 0;
        QString note, nothing;
        tunelo::Status status;
        if (report->selection == Selection::None) {
            const bool purchase = report->name == std::string_view("purchase");
            // The order the playlist window shows.
            status = purchase
                         ? WriteReportFile(TAankoopLayout(), catalogue.dm2.HfTable, command.pdf,
                                           &lines, &note)
                         : WriteReportFile(TPrnPlaylistLayout(TSortFormPlaylist::StoredOrder(0)),
                                           catalogue.dm3.PlaylistTable, command.pdf, &lines, &note);
            if (status.ok() && lines == 0)
                nothing = purchase ? "No purchases were found." : "The playlist is empty!";
        } else {
            const Found found = Select(catalogue, *report, command);
            if (!found.refusal.isEmpty()) {
                errors << found.refusal << "\n";
                return 2;
            }
            if (found.selection.count == 0) {
                errors << NothingFound(*report, command, found.selection) << "\n";
                return 1;
            }
            const bool range = report->selection == Selection::Range;
            TTableAccess& access = report->kind == ReportKind::MainTitle ? catalogue.dm2.HfAccess
                                                                         : catalogue.dm1.ArtAccess;
            access.SetOrder(report->order);
            access.Go(found.selection.first);
            const ReportRequest request{report->kind, found.selection.count, false,
                                        range ? QString("Main title") : QString(report->name),
                                        range ? QString() : command.filter.trimmed().toUpper()};
            status = WriteReportFile(RequestDesign(request), RequestTable(catalogue, report->kind),
                                     command.pdf, &lines, &note);
        }
        if (!note.isEmpty())
            errors << note << "\n";
        if (!nothing.isEmpty()) {
            errors << nothing << "\n";
            return 1;
        }
        if (!status.ok()) {
            errors << QString::fromStdString(status.ToString()) << "\n";
            return 1;
        }
        return 0;
    } catch (const TableError& error) {
        errors << error.what() << "\n";
        return 1;
    }
}
