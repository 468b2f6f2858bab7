#include "platform/xbase/text_search.h"

#include <cstring>

namespace xbase {

CaseInsensitiveFinder::CaseInsensitiveFinder(const CodePage& codePage, std::string_view needle)
    : upper_(codePage.upperTable()) {
    needle_.reserve(needle.size());
    for (char c : needle)
        needle_.push_back(char(upper_[static_cast<unsigned char>(c)]));
    std::memset(first_, 0, sizeof first_);
    if (needle_.empty())
        return;
    int count = 0;
    for (int c = 0; c < 256; ++c) {
        first_[c] = upper_[c] == static_cast<unsigned char>(needle_[0]);
        if (first_[c] && count++ < 2)
            starter_[count - 1] = uint8_t(c);
    }
    starters_ = count <= 2 ? count : 0;
}

const uint8_t* CaseInsensitiveFinder::NextStart(const uint8_t* from, const uint8_t* end) const {
    if (from >= end)
        return nullptr;
    const size_t length = size_t(end - from);
    if (starters_ == 0) {
        while (from < end && !first_[*from])
            ++from;
        return from < end ? from : nullptr;
    }
    const auto* a = static_cast<const uint8_t*>(std::memchr(from, starter_[0], length));
    if (starters_ == 1)
        return a;
    // Only the stretch before the first hit of one byte needs searching for the other.
    const size_t before = a != nullptr ? size_t(a - from) : length;
    const auto* b = static_cast<const uint8_t*>(std::memchr(from, starter_[1], before));
    return b != nullptr ? b : a;
}

bool CaseInsensitiveFinder::FoundIn(const uint8_t* text, size_t length) const {
    const size_t n = needle_.size();
    if (n == 0)
        return true;
    if (length < n)
        return false;
    const auto* needle = reinterpret_cast<const uint8_t*>(needle_.data());
    const uint8_t* const end = text + (length - n) + 1;  // past the last place it can begin
    for (const uint8_t* at = NextStart(text, end); at != nullptr; at = NextStart(at + 1, end)) {
        size_t k = 1;
        while (k < n && upper_[at[k]] == needle[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

}  // namespace xbase
