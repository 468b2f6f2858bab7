// Writing RFC 4180 CSV text: values separated by commas, rows ended by CRLF, a value quoted only
// when it holds a comma, a quote or a line break (its quotes doubled).
#pragma once

#include <string>
#include <string_view>

namespace xbase {

// Appends `value` to `out` as one CSV value.
void AppendCsvValue(std::string_view value, std::string* out);

}  // namespace xbase
