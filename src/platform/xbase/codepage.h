// Code pages of single-byte table text: the DBF header's code-page mark names one, and UPPER()
// in keys follows it, so that keys sort the way the platform the catalogues come from sorts them.
// Each code page also maps its bytes to Unicode and back, for converting text at the program's
// boundary.
#pragma once

#include <cstdint>

namespace xbase {

constexpr uint8_t kCodePageMarkDos437 = 0x01;
constexpr uint8_t kCodePageMarkDos850 = 0x02;
constexpr uint8_t kCodePageMarkWindows1252 = 0x03;

class CodePage {
public:
    // The code page of a DBF code-page mark; unknown marks (and 0) give plain ASCII rules for
    // UPPER() and Windows-1252 for Unicode conversion. The result lives for the whole program.
    static const CodePage& ForMark(uint8_t mark);
    static const CodePage& Windows1252() { return ForMark(kCodePageMarkWindows1252); }

    uint8_t mark() const { return mark_; }
    const char* name() const { return name_; }
    uint8_t Upper(uint8_t c) const { return upper_[c]; }
    // 256 entries: the upper-case byte of each byte.
    const uint8_t* upperTable() const { return upper_; }

    // The Unicode code point of byte `c`. Every byte has one; bytes a code page leaves undefined
    // map to the C1 control of the same value, so that text survives a round trip.
    char32_t ToUnicode(uint8_t c) const { return unicode_[c]; }
    // 256 entries: the code point of each byte.
    const uint16_t* unicodeTable() const { return unicode_; }
    // The byte that stands for code point `u`. Returns false (and leaves *out alone) when the
    // code page has no such character.
    bool FromUnicode(char32_t u, uint8_t* out) const;

    // `upper` and `unicode` must hold 256 entries and outlive the code page. Without `unicode`
    // the bytes convert as Windows-1252.
    CodePage(uint8_t mark, const char* name, const uint8_t* upper,
             const uint16_t* unicode = nullptr);

private:
    uint8_t mark_;
    const char* name_;
    const uint8_t* upper_;
    const uint16_t* unicode_;
};

}  // namespace xbase
