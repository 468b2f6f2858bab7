#include "print/check_report.h"

#include <QDate>
#include <algorithm>
#include <chrono>
#include <ctime>

#include "base/clock.h"
#include "base/ui.h"
#include "platform/report/page_geometry.h"
#include "platform/report/report_engine.h"
#include "print/meld_print_form.h"
#include "print/print_settings.h"
#include "print/show_print_form.h"

namespace {

using report::BandItem;

// The report's line fields: a kind's heading spans the line; a finding has its source and text.
enum CheckLineField { kHeadingField, kSourceField, kTextField };

constexpr int kSourceLeft = 24, kTextLeft = 260;

QDate CheckReportToday() {
    const std::time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
    std::tm local{};
    localtime_r(&now, &local);
    return QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

report::ReportLayout CheckReportLayout() {
    report::ReportLayout layout;
    layout.title = "Check the catalogue";
    layout.date = CheckReportToday();
    layout.leftMarginMm = ReadLinkerMarge();
    layout.headers = {BandItem::Text("Source", kSourceLeft, 0),
                      BandItem::Text("What is wrong", kTextLeft, 0)};
    layout.detail = {
        BandItem::Field(kHeadingField, 0, report::PageGeometry::kBandUnits),
        BandItem::Field(kSourceField, kSourceLeft, kTextLeft - kSourceLeft - 10),
        BandItem::Field(kTextField, kTextLeft, report::PageGeometry::kBandUnits - kTextLeft)};
    return layout;
}

// The lines of the report read straight from the check, nothing copied: per kind a blank line
// (but before the first), its heading, then its findings. A position is a line's index.
class CheckLinesSource : public report::ReportSource {
public:
    explicit CheckLinesSource(const CatalogueCheck& check) : check_(check) {
        std::uint64_t line = 0;
        for (size_t g = 0; g < check.groups.size(); ++g) {
            starts_.push_back(line);
            line += (g > 0 ? 2 : 1) + check.groups[g].findings.size();
        }
        end_ = line;
    }

    std::uint64_t Position() override { return next_; }
    void Seek(std::uint64_t position) override { next_ = position; }
    bool Skip(double* amount) override {
        *amount = 0;
        if (next_ >= end_)
            return false;
        ++next_;
        return true;
    }
    bool Next(report::ReportRecord* record) override {
        if (next_ >= end_)
            return false;
        const size_t g =
            size_t(std::upper_bound(starts_.begin(), starts_.end(), next_) - starts_.begin() - 1);
        const CheckGroup& group = check_.groups[g];
        const std::uint64_t heading = starts_[g] + (g > 0 ? 1 : 0);
        record->amount = 0;
        record->values.assign(3, QString());
        if (next_ == heading) {
            record->values[kHeadingField] =
                QString("%1: %2")
                    .arg(QString::fromStdString(CheckKindTitle(group.kind)))
                    .arg(group.findings.size());
        } else if (next_ > heading) {
            const CheckFinding& finding = group.findings[size_t(next_ - heading - 1)];
            if (finding.number != 0)
                record->values[kSourceField] =
                    QString::fromStdString(finding.carrier + " " + std::to_string(finding.number));
            record->values[kTextField] = QString::fromStdString(finding.text);
        }
        ++next_;
        return true;
    }

private:
    const CatalogueCheck& check_;
    std::vector<std::uint64_t> starts_;  // each group's first line
    std::uint64_t end_ = 0;
    std::uint64_t next_ = 0;
};

}  // namespace

bool PreviewCheckReport(const CatalogueCheck& check, QWidget* parent) {
    CheckLinesSource lines(check);
    report::ReportEngine engine(CheckReportLayout(), &lines);
    tunelo::Status status;
    {
        TMeldPrintForm preparing(parent);
        BusyCursor busy;
        // The preview counts the rest while its first page shows.
        status = engine.CountPages(2);
    }
    if (!status.ok()) {
        CurrentUi().Message(MsgKind::Error, "The report could not be made.\n" + status.ToString());
        return false;
    }
    TShowPrintForm form(engine, engine.layout().title, QString(), parent);
    form.exec();
    return true;
}
