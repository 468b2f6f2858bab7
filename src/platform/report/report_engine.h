// ReportEngine: pages a report over a streamed source and draws any page on demand.
// Counting reads the source once, keeping per page only the source's position at the page's
// first record, the lines before it and the running sum before it; DrawPage() seeks the source
// to that position and reads just that page's records. So a page is drawn in the time of one
// page, in any order, and memory does not grow with the records. Counting may stop after some
// pages and go on later, so that the first page shows before a long report is counted.
#pragma once

#include <QRectF>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

#include "platform/common/status.h"
#include "platform/report/page_geometry.h"
#include "platform/report/report_layout.h"
#include "platform/report/report_source.h"

class QPainter;

namespace report {

// How a long run reports its progress and learns that the user stopped it. A stopped run ends
// with an error whose message is kStopped; the caller, who set the flag, knows it was no fault.
inline constexpr char kStopped[] = "stopped before the end";

struct ReportRun {
    std::function<void(std::uint64_t done, std::uint64_t total)> progress;  // total 0: unknown
    const std::atomic<bool>* cancel = nullptr;

    bool Cancelled() const { return cancel != nullptr && cancel->load(); }
};

class ReportEngine {
public:
    // `source` stands on the first record of the report and must outlive the engine.
    ReportEngine(ReportLayout layout, ReportSource* source);

    // Counts the pages to the end. Progress counts lines read. A failed or stopped count starts
    // again from the first record next time.
    tunelo::Status Paginate(const ReportRun& run = {});
    // Counts on until at least `pages` pages are known (or the end is reached).
    tunelo::Status CountPages(int pages, const ReportRun& run = {});
    // Whether the counting has reached the end; until then the figures below are those so far.
    bool counted() const { return counted_; }

    int pageCount() const { return int(pages_.size()); }
    std::uint64_t lineCount() const { return lines_; }
    double total() const { return total_; }
    const ReportLayout& layout() const { return layout_; }

    // Draws page `page` (from 1; counting on as far as it needs) scaled to fit `target`, in the
    // painter's coordinates, keeping the page's proportions and its top left corner at the
    // target's.
    tunelo::Status DrawPage(QPainter* painter, int page, const QRectF& target);

    // The page's width over its height, for sizing previews and output pages.
    static double AspectRatio() { return PageGeometry::kPageWidth / PageGeometry::kPageHeight; }

private:
    struct PageStart {
        std::uint64_t position;  // the source's position at the page's first record
        std::uint64_t before;    // lines on earlier pages
        double sumBefore;        // the running sum over those lines
    };

    void Restart();
    QString SumText(double sum) const;
    void DrawFrame(class BandPainter* bands, int page, double sumThrough);

    ReportLayout layout_;
    ReportSource* source_;
    PageGeometry geometry_;
    std::uint64_t first_;   // the source's position at the report's first record
    std::uint64_t resume_;  // where counting goes on: the start of the page after the last
    std::vector<PageStart> pages_;
    std::uint64_t lines_ = 0;
    double total_ = 0;
    bool counted_ = false;
};

}  // namespace report
