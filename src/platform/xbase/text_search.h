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
    // The first place at or after `from`, before `end`, where a byte that may begin the needle
    // stands; null when none does.
    const uint8_t* NextStart(const uint8_t* from, const uint8_t* end) const;

    const uint8_t* upper_;
    std::string needle_;  // upper-cased
    bool first_[256];     // bytes that upper-case to the needle's first byte
    // Those bytes when there are at most two (a letter and its lower case): then the library's
    // vectorised byte search finds the candidates, many bytes at a time.
    int starters_ = 0;
    uint8_t starter_[2] = {0, 0};
};

}  // namespace xbase
