// A reader of RFC 4180 CSV text: rows end in CRLF or LF, quoted values may hold separators,
// quotes ("") and line breaks. A UTF-8 byte-order mark before the first row is skipped.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace xbase {

class CsvReader {
public:
    explicit CsvReader(std::istream& in) : in_(in) {}
    // The next row's values; false at the end of the input or on an error, which *error then
    // describes (an unterminated quote in the row starting at line()).
    bool Next(std::vector<std::string>* row, std::string* error);
    // The line on which the row last returned by Next starts, counting from 1.
    long line() const { return rowLine_; }

private:
    // Makes at least one unread byte available; false at the end of the input.
    bool Fill();

    std::istream& in_;
    std::string buffer_;
    size_t at_ = 0;
    bool started_ = false;
    long nextLine_ = 1;
    long rowLine_ = 0;
};

}  // namespace xbase
