// The rows of another program's CSV file, streamed: each value UTF-8 (a value that is not is read
// as Windows-1252), a file that is no CSV text refused before anything is read, limits on a value
// and a row so that a file without line breaks is never read whole.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/foreign/foreign_source.h"
#include "platform/xbase/csv/csv_reader.h"

namespace foreign {

// The most bytes a header row, a value and a row may hold.
inline constexpr size_t kLongestHeaderRow = 64 * 1024;
inline constexpr size_t kLongestValue = size_t(1) << 20;
inline constexpr size_t kLongestRow = kLongestValue + 64 * 1024;

// "not UTF-8: read as Windows-1252", the remark of a source read so.
extern const char* const kReadAsWindows1252;

class CsvRows {
public:
    explicit CsvRows(std::string path, Progress progress = nullptr);

    // Opens the file and reads its header row. Fails, naming the file, when it cannot be opened,
    // is UTF-16 or binary, or has no header row.
    tunelo::Status Open(std::vector<std::string>* header);
    // The next row; false at the end or on an error (then failure() is not ok).
    bool Next(std::vector<std::string>* row, bool* windows1252);
    const tunelo::Status& failure() const { return failure_; }
    // "line 12": where the row last read starts.
    std::string origin() const { return "line " + std::to_string(csv_.line()); }
    // The first value with text after its closing quote, or -1.
    int strayQuote() const { return csv_.strayQuote(); }

private:
    std::string path_;
    Progress progress_;
    std::ifstream in_;
    xbase::CsvReader csv_{in_};
    uint64_t size_ = 0;
    uint32_t rows_ = 0;
    tunelo::Status failure_;
};

}  // namespace foreign
