// Code pages of single-byte table text: the DBF header's code-page mark names one, and UPPER()
// in keys follows it, so that keys sort the way the platform the catalogues come from sorts them.
#pragma once

#include <cstdint>

namespace xbase {

constexpr uint8_t kCodePageMarkWindows1252 = 0x03;

class CodePage {
public:
    // The code page of a DBF code-page mark; unknown marks (and 0) give plain ASCII rules.
    static const CodePage& ForMark(uint8_t mark);
    static const CodePage& Windows1252() { return ForMark(kCodePageMarkWindows1252); }

    uint8_t mark() const { return mark_; }
    const char* name() const { return name_; }
    uint8_t Upper(uint8_t c) const { return upper_[c]; }
    const uint8_t* upperTable() const { return upper_; }

    CodePage(uint8_t mark, const char* name, const uint8_t* upper) : mark_(mark), name_(name), upper_(upper) {}

private:
    uint8_t mark_;
    const char* name_;
    const uint8_t* upper_;
};

}  // namespace xbase
