#include "support/pdf_text.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

namespace testutil {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;

QString Run(const QStringList& args) {
    QProcess process;
    process.start("/usr/bin/pdftotext", args);
    EXPECT_TRUE(process.waitForFinished(30000));
    return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace

QStringList PdfPages(const std::string& pdf) {
    QStringList pages = Run({"-layout", QString::fromStdString(pdf), "-"}).split(QChar('\f'));
    pages.removeLast();  // after the last form feed
    return pages;
}

std::multimap<QString, PdfWord> PdfWords(const std::string& pdf) {
    const QString html = Run({"-bbox", "-f", "1", "-l", "1", QString::fromStdString(pdf), "-"});
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="[\d.]+">([^<]*)</word>)re");
    std::multimap<QString, PdfWord> words;
    for (const auto& m : word.globalMatch(html))
        words.insert(
            {m.captured(4),
             {m.captured(1).toDouble() / kPointsPerMm, m.captured(3).toDouble() / kPointsPerMm,
              m.captured(2).toDouble() / kPointsPerMm}});
    return words;
}

}  // namespace testutil
