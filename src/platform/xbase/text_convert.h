// Table text to and from UTF-8, and from one code page to another: for the command-line tool and
// for appending records from tables written in another code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/xbase/codepage.h"
#include "platform/xbase/status.h"

namespace xbase {

std::string ToUtf8(const CodePage& codePage, std::string_view bytes);
// The same, appended to *out (for writers of many values).
void AppendToUtf8(const CodePage& codePage, std::string_view bytes, std::string* out);
// InvalidArgument naming the character when the code page lacks it, or when `utf8` is not UTF-8.
Status FromUtf8(const CodePage& codePage, std::string_view utf8, std::string* out);
// Characters the target lacks become '?'.
std::string ConvertCodePage(const CodePage& from, const CodePage& to, std::string_view bytes);

}  // namespace xbase
