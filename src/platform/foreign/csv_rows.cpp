#include "platform/foreign/csv_rows.h"

#include <algorithm>
#include <filesystem>

#include "platform/foreign/foreign_text.h"

namespace foreign {

const char* const kReadAsWindows1252 = "not UTF-8: read as Windows-1252";

namespace {

constexpr uint32_t kCsvProgressEvery = 2048;
constexpr size_t kSniffBytes = 4096;

}  // namespace

CsvRows::CsvRows(std::string path, Progress progress)
    : path_(std::move(path)), progress_(std::move(progress)) {}

tunelo::Status CsvRows::Open(std::vector<std::string>* header) {
    in_.open(path_, std::ios::binary);
    if (!in_)
        return tunelo::Status::NotFound(path_, "cannot be opened");
    std::error_code ec;
    size_ = std::filesystem::file_size(path_, ec);
    std::string start(kSniffBytes, '\0');
    in_.read(start.data(), std::streamsize(start.size()));
    start.resize(size_t(in_.gcount()));
    in_.clear();
    in_.seekg(0);
    if (start.size() >= 2 &&
        ((start[0] == '\xFF' && start[1] == '\xFE') || (start[0] == '\xFE' && start[1] == '\xFF')))
        return tunelo::Status::NotSupported(
            path_, "is UTF-16 text; save it as CSV in UTF-8 (or Windows-1252) and import it again");
    if (start.find('\0') != std::string::npos)
        return tunelo::Status::InvalidArgument(path_, "is not a CSV text file");
    csv_.SetLimits(kLongestHeaderRow, kLongestHeaderRow);
    std::string error;
    std::vector<std::string> cells;
    if (!csv_.Next(&cells, &error))
        return tunelo::Status::InvalidArgument(
            path_, error.empty() ? "has no header row" : "line 1: " + error);
    header->clear();
    bool converted = false;
    for (const std::string& cell : cells)
        header->emplace_back(Trimmed(AsUtf8(cell, &converted)));
    csv_.SetLimits(kLongestValue, kLongestRow);
    return tunelo::Status::OK();
}

bool CsvRows::Next(std::vector<std::string>* row, bool* windows1252) {
    std::string error;
    *windows1252 = false;
    for (;;) {
        if (!csv_.Next(row, &error)) {
            if (!error.empty())
                failure_ = tunelo::Status::InvalidArgument(path_, origin() + ": " + error);
            if (progress_)
                progress_(size_, size_);
            return false;
        }
        if (++rows_ % kCsvProgressEvery == 0 && progress_) {
            const std::streamoff at = in_.tellg();
            progress_(at < 0 ? size_ : std::min<uint64_t>(uint64_t(at), size_), size_);
        }
        if (row->size() == 1 && Trimmed((*row)[0]).empty())
            continue;  // an empty line
        for (std::string& cell : *row) {
            if (!IsUtf8(cell))
                cell = AsUtf8(cell, windows1252);
        }
        return true;
    }
}

}  // namespace foreign
