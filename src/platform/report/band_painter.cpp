#include "platform/report/band_painter.h"

#include <QPainter>
#include <QPen>
#include <algorithm>

namespace report {

namespace {

constexpr QChar kCutMark(0x2026);

QFont MakeFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Helvetica"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // Page units are far from device pixels; hinting at the wrong size would make measured and
    // drawn widths disagree.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

}  // namespace

BandPainter::BandPainter(QPainter* painter, const PageGeometry& geometry)
    : painter_(painter),
      geometry_(geometry),
      fonts_{Font(Style::kTitle), Font(Style::kCaption), Font(Style::kPlain)},
      metrics_(fonts_[2]) {
    for (auto& advances : advances_)
        advances.fill(-1);
    SetStyle(Style::kPlain);
}

void BandPainter::SetStyle(Style style) {
    style_ = style;
    const QFont& font = fonts_[int(style)];
    painter_->setFont(font);
    metrics_ = QFontMetricsF(font);
}

QFont BandPainter::Font(Style style) {
    // Sizes in page units (tenths of a millimetre): 14 pt for the title, 9 pt for the rest.
    switch (style) {
        case Style::kTitle:
            return MakeFont(49, true);
        case Style::kCaption:
            return MakeFont(32, true);
        case Style::kPlain:
            break;
    }
    return MakeFont(32, false);
}

QString BandPainter::Fit(const QFontMetricsF& metrics, const QString& text, double width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const double room = width - metrics.horizontalAdvance(kCutMark);
    qsizetype low = 0, high = text.size() - 1;  // the answer lies in [low, high]
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(text.left(mid)) <= room)
            low = mid;
        else
            high = mid - 1;
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate())
        --low;
    return text.left(low) + kCutMark;
}

double BandPainter::Estimate(const QString& text) {
    std::array<double, 256>& advances = advances_[int(style_)];
    double width = 0;
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code >= advances.size())
            return -1;
        if (advances[code] < 0)
            advances[code] = metrics_.horizontalAdvance(c);
        width += advances[code];
    }
    return width;
}

void BandPainter::Draw(const BandItem& item, const QString& text, double top, double height) {
    if (text.isEmpty() || item.width < 0)
        return;
    const double x = geometry_.X(item.left);
    // Text is drawn at a point: laying it out in a rectangle costs several times more, which
    // counts on a report of many thousand pages.
    const QPointF at(x, top + (height + metrics_.ascent() - metrics_.descent()) / 2);
    // A width of 0 is a label that takes the room its text needs (a caption placed by its
    // position only).
    if (item.width == 0) {
        painter_->drawText(at, text);
        return;
    }
    const double width = geometry_.Width(item.width);
    // Measuring a text costs as much as drawing it; a left-aligned text whose summed character
    // widths clearly fit (kerning and ligatures change a width by far less) needs no measuring.
    if (item.align == Align::kLeft) {
        const double estimate = Estimate(text);
        if (estimate >= 0 && estimate * 1.05 + 1 <= width) {
            painter_->drawText(at, text);
            return;
        }
    }
    // Digits have one width and no kerning, so numbers are summed, not measured.
    const bool digits = std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    double advance = digits ? Estimate(text) : -1;
    if (advance < 0)
        advance = metrics_.horizontalAdvance(text);
    if (advance <= width) {
        painter_->drawText(item.align == Align::kRight ? QPointF(x + width - advance, at.y()) : at,
                           text);
    } else {
        // A cut text keeps its start, so it is read from the left even in a right-aligned
        // column.
        painter_->drawText(at, Fit(metrics_, text, width));
    }
}

void BandPainter::Rule(double y) {
    painter_->save();
    painter_->setPen(QPen(Qt::black, 3));
    painter_->drawLine(QPointF(geometry_.bandLeft(), y), QPointF(geometry_.bandRight(), y));
    painter_->restore();
}

}  // namespace report
