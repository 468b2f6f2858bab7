// Text of other programs' files as the neutral form holds it: UTF-8. A CSV file saved by an older
// spreadsheet is often Windows-1252; such a value is read as that and the source says so.
#pragma once

#include <string>
#include <string_view>

namespace foreign {

bool IsUtf8(std::string_view bytes);
// `bytes` itself when it is UTF-8, otherwise read as Windows-1252 (*converted set true).
std::string AsUtf8(std::string_view bytes, bool* converted);
std::string_view Trimmed(std::string_view text);
// Case-insensitive comparison of ASCII letters.
bool SameName(std::string_view a, std::string_view b);

}  // namespace foreign
