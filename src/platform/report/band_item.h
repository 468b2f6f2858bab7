// BandItem: one piece of text in a band, placed in band units (a band is 1200 units wide). The
// text is a fixed string, a value of the current record, or the running sum of the amounts.
#pragma once

#include <QString>

namespace report {

enum class Align { kLeft, kRight };

struct BandItem {
    enum class Kind { kText, kField, kSum };

    Kind kind = Kind::kText;
    QString text;   // kText: the text shown
    int field = 0;  // kField: index into ReportRecord::values
    int left = 0;   // band units from the band's left edge
    int width = 0;  // band units; text that does not fit is cut at the right edge. A width
                    // of 0 takes the width of the text (a caption placed by position).
    Align align = Align::kLeft;

    static BandItem Text(QString text, int left, int width, Align align = Align::kLeft) {
        return {Kind::kText, std::move(text), 0, left, width, align};
    }
    static BandItem Field(int field, int left, int width, Align align = Align::kLeft) {
        return {Kind::kField, QString(), field, left, width, align};
    }
    static BandItem Sum(int left, int width, Align align = Align::kRight) {
        return {Kind::kSum, QString(), 0, left, width, align};
    }
};

}  // namespace report
