// BandPainter: draws the texts of a band on a painter that works in page coordinates. A text
// that is wider than its column is cut to the characters that fit and ends in "…", so it never
// reaches into the next column (and a PDF holds only what is visible) and a cut never passes
// for the whole value.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>
#include <array>

#include "platform/report/band_item.h"
#include "platform/report/page_geometry.h"

class QPainter;

namespace report {

class BandPainter {
public:
    enum class Style { kTitle, kCaption, kPlain };

    // `painter` must outlive this object.
    BandPainter(QPainter* painter, const PageGeometry& geometry);

    void SetStyle(Style style);
    // Draws `text` in the column of `item`, in a row from `top` of `height` page units.
    void Draw(const BandItem& item, const QString& text, double top, double height);
    // A thin line across the band at `y`.
    void Rule(double y);

    // `text` when it is at most `width` wide in `metrics`; else its longest start that, with
    // "…" after it, is (the mark alone when nothing else fits).
    static QString Fit(const QFontMetricsF& metrics, const QString& text, double width);
    // The font of `style`, in page units.
    static QFont Font(Style style);

private:
    // The sum of the characters' own widths in the current style; -1 for characters beyond
    // Latin-1, which are not kept.
    double Estimate(const QString& text);

    QPainter* painter_;
    const PageGeometry& geometry_;
    QFont fonts_[3];
    QFontMetricsF metrics_;
    Style style_ = Style::kPlain;
    std::array<double, 256> advances_[3];  // by style and character; -1 until measured
};

}  // namespace report
