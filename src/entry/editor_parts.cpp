#include "entry/editor_parts.h"

#include "base/feedback.h"
#include "base/ui.h"
#include "shell/table_text.h"

std::optional<std::string> TextForTable(const QString& text, const QString& caption) {
    std::optional<std::string> bytes = ToTable(text);
    if (bytes)
        return bytes;
    QString bad;
    for (const char32_t point : text.toUcs4()) {
        const QString character = QString::fromUcs4(&point, 1);
        if (!ToTable(character)) {
            bad = character;
            break;
        }
    }
    QString field = caption;
    field.remove('&');
    if (field.endsWith(':'))
        field.chop(1);
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Warning, QString("The character \"%1\" in %2 cannot be stored.")
                                              .arg(bad.isEmpty() ? text : bad, field)
                                              .toStdString());
    return std::nullopt;
}
