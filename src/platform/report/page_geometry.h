// PageGeometry: where the bands of a report page lie. Page coordinates are tenths of a
// millimetre on a landscape A4 page; the 1200 band units span the width between a fixed 10 mm
// border on each side, narrowed on the left by the report's left margin.
#pragma once

#include <QRectF>

namespace report {

class PageGeometry {
public:
    static constexpr double kUnitsPerMm = 10;
    static constexpr int kBandUnits = 1200;
    static constexpr double kPageWidth = 2970, kPageHeight = 2100;
    static constexpr double kLineHeight = 46;  // one detail line
    static constexpr double kMaxLeftMarginMm = 150;

    explicit PageGeometry(double leftMarginMm);

    // The page rectangle in page coordinates.
    static QRectF Page() { return {0, 0, kPageWidth, kPageHeight}; }
    // The horizontal extent of a band item, in page coordinates.
    double X(int bandUnits) const { return bandLeft_ + bandUnits * unit_; }
    double Width(int bandUnits) const { return bandUnits * unit_; }
    double bandLeft() const { return bandLeft_; }
    double bandRight() const { return X(kBandUnits); }

    // Tops of the rows of the title band, of the header band, of detail line `line` (from 0),
    // of the summary band after `lines` lines, and of the page footer.
    static double TitleTop() { return 100; }
    static double DateTop() { return 175; }
    static double DescriptionTop() { return 221; }
    static double HeaderTop() { return 285; }
    static double HeaderBottom() { return 335; }
    static double LineTop(int line) { return kDetailTop + line * kLineHeight; }
    static double FooterTop() { return kFooterTop; }
    static constexpr double kTitleHeight = 70, kSummaryHeight = 60, kFooterHeight = 60;

    // Detail lines per page, and whether the summary band still fits below `lines` lines.
    static int LinesPerPage() { return int((kFooterTop - 10 - kDetailTop) / kLineHeight); }
    static bool SummaryFits(int lines) {
        return LineTop(lines) + kSummaryHeight <= kFooterTop - 10;
    }

private:
    static constexpr double kBorder = 100, kDetailTop = 350;
    static constexpr double kFooterTop = kPageHeight - kBorder - kFooterHeight;

    double bandLeft_;
    double unit_;
};

}  // namespace report
