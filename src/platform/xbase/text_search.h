// Finding a word part inside field text without regard to letter case, as the table's code page
// defines case. Built once per search, then applied to many fields without allocating.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/xbase/codepage.h"

namespace xbase {

class CaseInsensitiveFinder {
public:
    // `needle` is text in the code page; an empty needle is found everywhere.
    CaseInsensitiveFinder(const CodePage& codePage, std::string_view needle);

    // Whether the needle occurs in text[0, length).
    bool FoundIn(const uint8_t* text, size_t length) const;

private:
    const uint8_t* upper_;
    std::string needle_;  // upper-cased
    bool first_[256];     // bytes that upper-case to the needle's first byte
};

}  // namespace xbase
