// Reading a PDF back with pdftotext: the text of each page as laid out, and the words of the
// first page with their extents, for checking column positions.
#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <string>

namespace testutil {

// The text of each page, laid out as it is printed.
QStringList PdfPages(const std::string& pdf);

struct PdfWord {
    double left, right;  // millimetres from the page's left edge
    double top = 0;      // millimetres from the page's top edge
};

// The words of page 1 with their extents.
std::multimap<QString, PdfWord> PdfWords(const std::string& pdf);

}  // namespace testutil
