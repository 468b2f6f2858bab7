#include "print/report_runner.h"

#include <algorithm>
#include <filesystem>
#include <memory>

#include "base/ui.h"
#include "platform/report/report_engine.h"
#include "platform/report/report_output.h"
#include "print/meld_print_form.h"
#include "print/report_delivery.h"
#include "print/report_layouts.h"
#include "print/show_print_form.h"
#include "store/catalogue.h"
#include "store/catalogue_own_files.h"
#include "store/table_error.h"

namespace {

namespace fs = std::filesystem;

// A report ready to show: its records, counted into pages.
struct PreparedReport {
    std::unique_ptr<TableReportSource> source;
    std::unique_ptr<report::ReportEngine> engine;
    QString note;  // what the preview's status line says
};

// What the report tells besides its pages: what print.ini lacked, and the fields it names that
// the table does not have.
QString Note(const ReportDesign& design, const TableReportSource& source) {
    QStringList notes;
    if (!design.note.isEmpty())
        notes << design.note;
    for (const std::string& field : source.missingFields()) {
        const auto key = std::find_if(design.keys.begin(), design.keys.end(),
                                      [&field](const auto& k) { return k.second == field; });
        const QString name =
            key != design.keys.end() ? QString::fromStdString(key->first) : QString("A column");
        notes << QString(
                     "%1 names the field \"%2\", which the table does not have: the column "
                     "prints empty.")
                     .arg(name, QString::fromStdString(field));
    }
    return notes.join(' ');
}

// Builds the report and counts it: all of it for the printer, the first pages for the preview,
// which counts the rest while its first page is already shown. Throws TableError when the table
// cannot be walked, and gives the counting's failure as the status.
tunelo::Status Prepare(ReportDesign design, TTable& table, bool preview, PreparedReport* out) {
    if (!design.problems.isEmpty())
        return tunelo::Status::InvalidArgument("", design.problems.join(' ').toStdString());
    out->source = std::make_unique<TableReportSource>(table, design.records);
    out->note = Note(design, *out->source);
    out->engine = std::make_unique<report::ReportEngine>(design.layout, out->source.get());
    constexpr int kPagesBeforePreview = 2;
    return preview ? out->engine->CountPages(kPagesBeforePreview) : out->engine->Paginate();
}

bool Failed(const tunelo::Status& status) {
    if (status.ok())
        return false;
    CurrentUi().Message(MsgKind::Error, "The report could not be made.\n" + status.ToString());
    return true;
}

// Counts the report with the preparation window showing, then previews or prints it; `lines`
// gets the lines of the report.
bool Deliver(ReportDesign design, TTable& table, bool preview, QWidget* parent,
             std::uint64_t* lines = nullptr) {
    try {
        PreparedReport prepared;
        tunelo::Status status;
        {
            TMeldPrintForm preparing(parent);
            BusyCursor busy;
            status = Prepare(std::move(design), table, preview, &prepared);
        }
        if (Failed(status))
            return false;
        if (lines != nullptr)
            *lines = prepared.engine->lineCount();
        const QString title = prepared.engine->layout().title;
        if (!preview) {
            // No preview to tell it: the main window's status line does.
            if (!prepared.note.isEmpty())
                CurrentUi().SetStatus(prepared.note.toStdString());
            return PrintPages(*prepared.engine, title, parent);
        }
        TShowPrintForm form(*prepared.engine, title, prepared.note, parent);
        form.exec();
        return true;
    } catch (const TableError& error) {
        Failed(error.status());
        return false;
    }
}

}  // namespace

ReportDesign RequestDesign(const ReportRequest& request) {
    const std::string section = request.name.toStdString();
    ReportDesign design;
    switch (request.kind) {
        case ReportKind::Track:
            design = TPrnData1Layout(section);
            break;
        case ReportKind::MainTitle:
            design = TPrnData2Layout(section);
            break;
        case ReportKind::Year:
            design = TPrnJaarLayout();
            break;
        case ReportKind::TrackTime:
            design = TPrnTijdLayout();
            break;
    }
    design.records.count = request.count;
    design.records.carrier = request.filter.trimmed().toUpper().toStdString();
    return design;
}

TTable& RequestTable(Catalogue& catalogue, ReportKind kind) {
    return kind == ReportKind::MainTitle ? catalogue.dm2.HfTable : catalogue.dm1.ArtTable;
}

bool RunReport(Catalogue& catalogue, const ReportRequest& request, QWidget* parent) {
    // No count means nothing to print; a report of everything is asked for with the count.
    if (request.count == 0)
        return false;
    return Deliver(RequestDesign(request), RequestTable(catalogue, request.kind), request.preview,
                   parent);
}

bool PrintPurchases(Catalogue& catalogue, QWidget* parent) {
    std::uint64_t lines = 0;
    if (!Deliver(TAankoopLayout(), catalogue.dm2.HfTable, false, parent, &lines))
        return false;
    if (lines == 0)
        CurrentUi().Message(MsgKind::Information, "No purchases were found.");
    return true;
}

bool PrintPlaylistReport(Catalogue& catalogue, int order, QWidget* parent) {
    return Deliver(TPrnPlaylistLayout(order), catalogue.dm3.PlaylistTable, false, parent);
}

tunelo::Status WriteReportFile(ReportDesign design, TTable& table, const QString& path,
                               std::uint64_t* lines, QString* note) {
    *lines = 0;
    try {
        PreparedReport prepared;
        const QString title = design.layout.title;
        tunelo::Status status = Prepare(std::move(design), table, false, &prepared);
        if (note != nullptr)
            *note = prepared.note;
        if (!prepared.engine)
            return status;
        if (status.ok()) {
            // The catalogue's folder is the table's.
            const fs::path folder = fs::absolute(table.table().path()).parent_path();
            status = report::WriteReportPdf(prepared.engine.get(), path, title, {},
                                            CatalogueOwnFiles(folder.string()));
        }
        *lines = prepared.engine->lineCount();
        return status;
    } catch (const TableError& error) {
        return error.status();
    }
}
