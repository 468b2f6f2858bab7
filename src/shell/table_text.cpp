// Table bytes <-> widget text through the engine's Windows-1252 table.
#include "shell/table_text.h"

#include "platform/xbase/codepage.h"
#include "platform/xbase/text_convert.h"

QString FromTable(const TableText& text) {
    return QString::fromStdString(Utf8(text));
}

std::optional<std::string> ToTable(const QString& text) {
    std::string out;
    if (!xbase::FromUtf8(xbase::CodePage::Windows1252(), text.toStdString(), &out).ok())
        return std::nullopt;
    return out;
}
