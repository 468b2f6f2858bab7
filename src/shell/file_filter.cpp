#include "shell/file_filter.h"

#include <QRegularExpression>

namespace {

const QString kAllFiles = QStringLiteral("All files (*)");
const QString kPrograms = QStringLiteral("Programs (*)");

// "EXE files (.EXE)" -> "EXE files": the dialog adds the real patterns itself.
QString WithoutPatternPart(const QString& description) {
    static const QRegularExpression trailingParentheses(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    return QString(description).remove(trailingParentheses).trimmed();
}

}  // namespace

QtFileFilter ToQtFileFilter(const std::string& filter) {
    QtFileFilter result;
    const QStringList parts = QString::fromUtf8(filter).split('|');
    bool asksForPrograms = false;
    bool hasAll = false;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString patternText = i + 1 < parts.size() ? parts.at(i + 1) : parts.at(i);
        QStringList patterns;
        for (const QString& pattern : patternText.split(';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            if (trimmed.isEmpty()) {
                continue;
            }
            patterns << trimmed;
            asksForPrograms |= trimmed.compare("*.exe", Qt::CaseInsensitive) == 0;
            hasAll |= trimmed == "*" || trimmed == "*.*";
        }
        if (patterns.isEmpty()) {
            continue;
        }
        QString description = WithoutPatternPart(parts.at(i));
        if (description.isEmpty()) {
            description = patterns.join(' ');
        }
        result.nameFilters << description + " (" + patterns.join(' ') + ")";
    }
#ifndef Q_OS_WIN
    if (asksForPrograms) {
        result.nameFilters.prepend(kPrograms);
        result.programsFilter = kPrograms;
    }
#else
    (void)asksForPrograms;  // Windows programs carry the extension the filter asks for
#endif
    if (!hasAll) {
        result.nameFilters << kAllFiles;
    }
    return result;
}
