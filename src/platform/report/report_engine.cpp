#include "platform/report/report_engine.h"

#include <QPainter>
#include <algorithm>
#include <string>

#include "platform/report/band_painter.h"

namespace report {

namespace {

using tunelo::Status;

constexpr std::uint64_t kProgressEvery = 1024;

// The label column of the title band's "Date:" and "Description:" rows.
constexpr int kLabelWidth = 100;

}  // namespace

ReportEngine::ReportEngine(ReportLayout layout, ReportSource* source)
    : layout_(std::move(layout)),
      source_(source),
      geometry_(layout_.leftMarginMm),
      first_(source->Position()),
      resume_(first_) {}

Status ReportEngine::Paginate(const ReportRun& run) {
    return CountPages(0, run);
}

void ReportEngine::Restart() {
    pages_.clear();
    lines_ = 0;
    total_ = 0;
    resume_ = first_;
}

Status ReportEngine::CountPages(int pages, const ReportRun& run) {
    if (counted_)
        return Status::OK();
    const std::uint64_t perPage = std::uint64_t(PageGeometry::LinesPerPage());
    source_->Seek(resume_);
    while (layout_.maxLines == 0 || lines_ < layout_.maxLines) {
        const bool pageStarts = lines_ % perPage == 0;
        const std::uint64_t position = pageStarts ? source_->Position() : 0;
        if (pageStarts && pages > 0 && pageCount() >= pages) {
            resume_ = position;
            return Status::OK();
        }
        double amount = 0;
        if (!source_->Skip(&amount))
            break;
        if (pageStarts)
            pages_.push_back({position, lines_, total_});
        total_ += amount;
        ++lines_;
        if (lines_ % kProgressEvery == 0) {
            if (run.progress)
                run.progress(lines_, layout_.maxLines);
            if (run.Cancelled()) {
                Restart();
                return Status::IOError("", kStopped);
            }
        }
    }
    if (Status s = source_->status(); !s.ok()) {
        Restart();
        return s;
    }
    // An empty report still has a page with its title, captions and summary; a summary that no
    // longer fits below the last line gets a page of its own.
    if (pages_.empty() || (!layout_.summary.empty() &&
                           !PageGeometry::SummaryFits(int(lines_ - pages_.back().before))))
        pages_.push_back({source_->Position(), lines_, total_});
    counted_ = true;
    return Status::OK();
}

QString ReportEngine::SumText(double sum) const {
    // Adding zero turns a negative zero into "0.00".
    return QString::number(sum + 0.0, 'f', std::clamp(layout_.sumDecimals, 0, 10));
}

Status ReportEngine::DrawPage(QPainter* painter, int page, const QRectF& target) {
    // The page's end is known once the next page has started or the counting has ended.
    if (!counted_ && page >= pageCount()) {
        if (Status s = CountPages(page + 1); !s.ok())
            return s;
    }
    if (page < 1 || page > pageCount())
        return Status::InvalidArgument("", "there is no page " + std::to_string(page));
    const PageStart& start = pages_[size_t(page - 1)];
    const std::uint64_t count =
        (page < pageCount() ? pages_[size_t(page)].before : lines_) - start.before;
    painter->save();
    const double scale = std::min(target.width() / PageGeometry::kPageWidth,
                                  target.height() / PageGeometry::kPageHeight);
    painter->translate(target.topLeft());
    painter->scale(scale, scale);
    painter->setClipRect(PageGeometry::Page(), Qt::IntersectClip);
    painter->setPen(Qt::black);
    BandPainter bands(painter, geometry_);

    Status status;
    source_->Seek(start.position);
    ReportRecord record;
    double sum = start.sumBefore;
    for (std::uint64_t line = 0; line < count; ++line) {
        record.values.clear();
        record.amount = 0;
        if (!source_->Next(&record)) {
            status = source_->status();
            if (status.ok())
                status = Status::Corruption("", "the report's records changed after counting");
            break;
        }
        sum += record.amount;
        const double top = PageGeometry::LineTop(int(line));
        for (const BandItem& item : layout_.detail) {
            QString text;
            if (item.kind == BandItem::Kind::kText)
                text = item.text;
            else if (item.kind == BandItem::Kind::kSum)
                text = SumText(sum);
            else if (item.field >= 0 && size_t(item.field) < record.values.size())
                text = record.values[size_t(item.field)];
            bands.Draw(item, text, top, PageGeometry::kLineHeight);
        }
    }
    if (page == pageCount() && !layout_.summary.empty()) {
        const double top = PageGeometry::LineTop(int(count));
        bands.Rule(top + 5);
        bands.SetStyle(BandPainter::Style::kCaption);
        for (const BandItem& item : layout_.summary)
            bands.Draw(item, item.kind == BandItem::Kind::kSum ? SumText(sum) : item.text, top + 10,
                       PageGeometry::kLineHeight);
    }
    DrawFrame(&bands, page, sum);
    painter->restore();
    return status;
}

void ReportEngine::DrawFrame(BandPainter* bands, int page, double sumThrough) {
    const double row = PageGeometry::kLineHeight;
    bands->SetStyle(BandPainter::Style::kTitle);
    bands->Draw(BandItem::Text(layout_.title, 0, PageGeometry::kBandUnits, layout_.titleAlign),
                layout_.title, PageGeometry::TitleTop(), PageGeometry::kTitleHeight);
    bands->SetStyle(BandPainter::Style::kPlain);
    const BandItem label = BandItem::Text({}, 0, kLabelWidth);
    const BandItem value = BandItem::Text({}, kLabelWidth, PageGeometry::kBandUnits - kLabelWidth);
    bands->Draw(label, QStringLiteral("Date:"), PageGeometry::DateTop(), row);
    bands->Draw(value, layout_.date.toString(QStringLiteral("dd-MM-yyyy")), PageGeometry::DateTop(),
                row);
    if (!layout_.description.trimmed().isEmpty()) {
        bands->Draw(label, QStringLiteral("Description:"), PageGeometry::DescriptionTop(), row);
        bands->Draw(value, layout_.description, PageGeometry::DescriptionTop(), row);
    }

    bands->SetStyle(BandPainter::Style::kCaption);
    for (const BandItem& item : layout_.headers)
        bands->Draw(item, item.text, PageGeometry::HeaderTop(),
                    PageGeometry::HeaderBottom() - PageGeometry::HeaderTop());
    bands->Rule(PageGeometry::HeaderBottom());

    const double footer = PageGeometry::FooterTop();
    bands->Rule(footer);
    bands->SetStyle(BandPainter::Style::kPlain);
    for (const BandItem& item : layout_.footer)
        bands->Draw(item, item.kind == BandItem::Kind::kSum ? SumText(sumThrough) : item.text,
                    footer + 10, row);
    bands->Draw(BandItem::Text({}, 1000, 200, Align::kRight),
                QStringLiteral("Page: ") + QString::number(page), footer + 10, row);
}

}  // namespace report
