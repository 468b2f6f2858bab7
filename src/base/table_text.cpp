#include "base/table_text.h"

#include "base/text.h"
#include "platform/xbase/codepage.h"
#include "platform/xbase/text_convert.h"

TableText Trim(const TableText& text) {
    return TableText(Trim(text.bytes()));
}

TableText TrimRight(const TableText& text) {
    return TableText(TrimRight(text.bytes()));
}

bool IsBlank(const TableText& text) {
    return IsBlank(text.bytes());
}

std::string Utf8(const TableText& text) {
    return xbase::ToUtf8(xbase::CodePage::Windows1252(), text.bytes());
}
