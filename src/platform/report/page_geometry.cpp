#include "platform/report/page_geometry.h"

#include <algorithm>

namespace report {

namespace {

// A margin from a settings file may be anything; NaN and negatives give no margin.
double UsableMargin(double mm) {
    return mm > 0 ? std::min(mm, PageGeometry::kMaxLeftMarginMm) : 0;
}

}  // namespace

PageGeometry::PageGeometry(double leftMarginMm)
    : bandLeft_(kBorder + UsableMargin(leftMarginMm) * kUnitsPerMm),
      unit_((kPageWidth - kBorder - bandLeft_) / kBandUnits) {}

}  // namespace report
