#include "print/report_delivery.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include "base/ui.h"
#include "base/work_dir.h"
#include "platform/report/report_output.h"
#include "print/meld_print_form.h"
#include "store/catalogue_own_files.h"

namespace {

QPrinter* sharedPrinter = nullptr;

// A printer to print on: one installed, or a file the printer set-up chose.
bool PrinterAvailable() {
    return sharedPrinter != nullptr && (!QPrinterInfo::availablePrinters().isEmpty() ||
                                        !sharedPrinter->outputFileName().isEmpty());
}

QString SuggestedName(const QString& title) {
    QString name = title.trimmed();
    name.replace(QRegularExpression(R"([\\/:*?"<>|]+)"), " ");
    name = name.simplified();
    if (name.isEmpty())
        name = "Report";
    return QDir(QString::fromStdString(WorkDir())).filePath(name + ".pdf");
}

}  // namespace

void SetReportPrinter(QPrinter* printer) {
    sharedPrinter = printer;
}

bool PrintPages(report::ReportEngine& engine, const QString& title, QWidget* parent) {
    if (!PrinterAvailable()) {
        const MsgAnswer answer = CurrentUi().Message(
            MsgKind::Information,
            "No printer is installed. Do you want to save the report as PDF instead?",
            MsgButtons::YesNo);
        return answer == MsgAnswer::Yes && SavePagesAsPdf(engine, title);
    }
    tunelo::Status status;
    {
        TMeldPrintForm preparing(parent);
        BusyCursor busy;
        sharedPrinter->setDocName(title);
        status = report::PrintReport(&engine, sharedPrinter);
    }
    if (!status.ok()) {
        CurrentUi().Message(MsgKind::Error,
                            "The report could not be printed.\n" + status.ToString());
        return false;
    }
    return true;
}

bool SavePagesAsPdf(report::ReportEngine& engine, const QString& title) {
    const std::optional<std::string> path = CurrentUi().SaveFileName(
        "Save as PDF", "PDF files|*.pdf", SuggestedName(title).toStdString());
    if (!path)
        return false;
    tunelo::Status status;
    {
        BusyCursor busy;
        status = report::WriteReportPdf(&engine, QString::fromStdString(*path), title, {},
                                        CatalogueOwnFiles(WorkDir()));
    }
    if (!status.ok()) {
        CurrentUi().Message(MsgKind::Error, "The report could not be saved.\n" + status.ToString());
        return false;
    }
    return true;
}
