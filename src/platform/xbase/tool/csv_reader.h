// A reader of RFC 4180 CSV text: quoted values may hold separators, quotes ("") and newlines.
#pragma once

#include <istream>
#include <string>
#include <vector>

namespace xbtool {

class CsvReader {
public:
    explicit CsvReader(std::istream& in) : in_(in) {}
    // The next row's values; false at the end of the input. *error is set for an unterminated
    // quote.
    bool Next(std::vector<std::string>* row, std::string* error);

private:
    std::istream& in_;
    long line_ = 0;
};

}  // namespace xbtool
