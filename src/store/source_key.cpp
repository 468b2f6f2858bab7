#include "store/source_key.h"

#include "base/text.h"
#include "platform/xbase/codepage.h"

std::string SourceSeekKey(std::string_view carrier, std::string_view number) {
    return PadRight(TableUpper(Trim(carrier)), 10) + PadLeft(Trim(number), 10);
}

std::string TableUpper(std::string_view text) {
    const xbase::CodePage& page = xbase::CodePage::Windows1252();
    std::string upper(text);
    for (char& ch : upper)
        ch = char(page.Upper(static_cast<uint8_t>(ch)));
    return upper;
}
