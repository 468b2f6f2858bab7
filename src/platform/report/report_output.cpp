#include "platform/report/report_output.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

#include "platform/report/replacing_file.h"

namespace report {

namespace {

using tunelo::Status;

Status DrawPages(ReportEngine* engine, QPagedPaintDevice* device, int first, int last,
                 const std::string& file, const ReportRun& run) {
    if (engine->pageCount() == 0)
        return Status::InvalidArgument(file, "the report has not been paginated");
    QPainter painter;
    if (!painter.begin(device))
        return Status::IOError(file, "cannot start writing");
    const QRectF target(0, 0, device->width(), device->height());
    Status status;
    for (int page = first; page <= last && status.ok(); ++page) {
        if (page > first && !device->newPage())
            status = Status::IOError(file, "cannot start a new page");
        else
            status = engine->DrawPage(&painter, page, target);
        if (run.progress)
            run.progress(std::uint64_t(page - first + 1), std::uint64_t(last - first + 1));
        if (status.ok() && run.Cancelled())
            status = Status::IOError(file, kStopped);
    }
    if (!painter.end() && status.ok())
        status = Status::IOError(file, "cannot finish writing");
    return status;
}

}  // namespace

Status PrintReport(ReportEngine* engine, QPrinter* printer, const ReportRun& run) {
    const std::string name = printer->printerName().toStdString();
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setFullPage(true);
    int first = 1, last = engine->pageCount();
    if (printer->fromPage() > 0) {
        first = std::max(first, printer->fromPage());
        last = std::min(last, printer->toPage() > 0 ? printer->toPage() : last);
    }
    if (first > last)
        return Status::InvalidArgument(name, "the report has no pages in the chosen range");
    return DrawPages(engine, printer, first, last, name, run);
}

Status WriteReportPdf(ReportEngine* engine, const QString& path, const QString& title,
                      const ReportRun& run, const std::vector<std::string>& kept) {
    const std::string name = path.toStdString();
    ReplacingFile file(name);
    if (Status refused = file.Create(kept); !refused.ok())
        return refused;
    Status status;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
        writer.setResolution(600);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tunelo"));
        status = DrawPages(engine, &writer, 1, engine->pageCount(), name, run);
    }
    // A write that failed says why; the painter only knows that it failed.
    if (const Status written = file.writeStatus(); !written.ok())
        return written;
    if (status.ok() && file.pos() == 0)
        status = Status::IOError(name, "nothing was written");
    return status.ok() ? file.Commit(kept) : status;
}

}  // namespace report
