// A reader of RFC 4180 CSV text: rows end in CRLF, LF or a lone CR, quoted values may hold
// separators, quotes ("") and line breaks. A UTF-8 byte-order mark before the first row is skipped.
// Limits on a value's and a row's bytes keep a file without line breaks from being read whole.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace xbase {

class CsvReader {
public:
    explicit CsvReader(std::istream& in) : in_(in) {}
    // From the next row on: the most bytes one value, and all values of one row together, may
    // hold. No limit at first.
    void SetLimits(size_t valueBytes, size_t rowBytes) {
        valueLimit_ = valueBytes;
        rowLimit_ = rowBytes;
    }
    // The next row's values; false at the end of the input or on an error, which *error then
    // describes (an unterminated quote, a value or row over its limit, in the row starting at
    // line()). Reading stops at the first byte over a limit.
    bool Next(std::vector<std::string>* row, std::string* error);
    // The line on which the row last returned by Next starts, counting from 1.
    long line() const { return rowLine_; }
    // The first value of that row with text after its closing quote (`"abc"def`, read as
    // "abcdef"), or -1. The row is read on: the caller refuses it.
    int strayQuote() const { return strayQuote_; }

private:
    // Makes at least one unread byte available; false at the end of the input.
    bool Fill();
    // "" while the row read so far, with its value under way, keeps to the limits.
    std::string OverLimit(const std::string& value, size_t rowBytes) const;

    std::istream& in_;
    std::string buffer_;
    size_t at_ = 0;
    bool started_ = false;
    long nextLine_ = 1;
    long rowLine_ = 0;
    int strayQuote_ = -1;
    bool afterCr_ = false;  // the last byte of a quoted value read was a CR
    size_t valueLimit_ = SIZE_MAX;
    size_t rowLimit_ = SIZE_MAX;
};

}  // namespace xbase
