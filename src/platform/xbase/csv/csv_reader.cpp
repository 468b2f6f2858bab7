#include "platform/xbase/csv/csv_reader.h"

#include <algorithm>
#include <cstring>

namespace xbase {

namespace {

constexpr size_t kChunk = 1 << 16;

}  // namespace

bool CsvReader::Fill() {
    if (at_ < buffer_.size())
        return true;
    buffer_.resize(kChunk);
    in_.read(buffer_.data(), std::streamsize(kChunk));
    buffer_.resize(size_t(in_.gcount()));
    at_ = 0;
    return !buffer_.empty();
}

std::string CsvReader::OverLimit(const std::string& value, size_t rowBytes) const {
    if (value.size() > valueLimit_)
        return "a value is longer than " + std::to_string(valueLimit_) + " bytes";
    if (rowBytes + value.size() > rowLimit_)
        return "the row is longer than " + std::to_string(rowLimit_) + " bytes";
    return "";
}

bool CsvReader::Next(std::vector<std::string>* row, std::string* error) {
    row->clear();
    error->clear();
    strayQuote_ = -1;
    if (!started_) {
        started_ = true;
        // The mark may straddle a chunk only in a file shorter than it; look at the first bytes.
        if (Fill() && buffer_.compare(0, 3, "\xEF\xBB\xBF") == 0)
            at_ = 3;
    }
    if (!Fill())
        return false;
    rowLine_ = nextLine_;
    std::string value;
    size_t rowBytes = 0;  // of the values before `value`
    bool quoted = false, wasQuoted = false;
    while (Fill()) {
        *error = OverLimit(value, rowBytes);
        if (!error->empty())
            return false;
        const char* p = buffer_.data() + at_;
        // At most one byte past a limit is taken before the limit is noticed.
        const size_t room =
            std::min(valueLimit_ - value.size(), rowLimit_ - (rowBytes + value.size()));
        const char* end = p + std::min(buffer_.size() - at_ - 1, room) + 1;
        if (quoted) {
            const char* q = static_cast<const char*>(std::memchr(p, '"', size_t(end - p)));
            const char* stop = q ? q : end;
            for (const char* c = p; c < stop; ++c) {
                nextLine_ += *c == '\r' || (*c == '\n' && !afterCr_);
                afterCr_ = *c == '\r';
            }
            value.append(p, stop);
            at_ = size_t(stop - buffer_.data());
            if (!q)
                continue;
            afterCr_ = false;
            ++at_;
            if (Fill() && buffer_[at_] == '"') {
                value.push_back('"');
                ++at_;
            } else {
                quoted = false;
            }
            continue;
        }
        // Plain bytes up to the next byte with a meaning.
        const char* c = p;
        while (c < end && *c != ',' && *c != '"' && *c != '\n' && *c != '\r')
            ++c;
        // Text after a closing quote: `"abc"def` is no value a writer makes.
        if (wasQuoted && (c > p || (c < end && *c == '"')) && strayQuote_ < 0)
            strayQuote_ = int(row->size());
        value.append(p, c);
        at_ = size_t(c - buffer_.data());
        if (c == end)
            continue;
        ++at_;
        if (*c == '"' && value.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (*c == '"') {
            value.push_back('"');
        } else if (*c == ',') {
            rowBytes += value.size() + 1;  // a row of separators alone counts too
            row->push_back(std::move(value));
            value.clear();
            wasQuoted = false;
        } else {
            // CRLF, LF and a lone CR each end a row.
            ++nextLine_;
            if (*c == '\r' && Fill() && buffer_[at_] == '\n')
                ++at_;
            row->push_back(std::move(value));
            return true;
        }
    }
    *error = OverLimit(value, rowBytes);
    if (!error->empty())
        return false;
    if (quoted) {
        *error = "a quoted value is not closed";
        return false;
    }
    row->push_back(std::move(value));
    return true;
}

}  // namespace xbase
