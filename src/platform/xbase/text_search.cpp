#include "platform/xbase/text_search.h"

#include <cstring>

namespace xbase {

CaseInsensitiveFinder::CaseInsensitiveFinder(const CodePage& codePage, std::string_view needle)
    : upper_(codePage.upperTable()) {
    needle_.reserve(needle.size());
    for (char c : needle)
        needle_.push_back(char(upper_[static_cast<unsigned char>(c)]));
    std::memset(first_, 0, sizeof first_);
    if (!needle_.empty()) {
        for (int c = 0; c < 256; ++c)
            first_[c] = upper_[c] == static_cast<unsigned char>(needle_[0]);
    }
}

bool CaseInsensitiveFinder::FoundIn(const uint8_t* text, size_t length) const {
    const size_t n = needle_.size();
    if (n == 0)
        return true;
    if (length < n)
        return false;
    const auto* needle = reinterpret_cast<const uint8_t*>(needle_.data());
    for (size_t i = 0, last = length - n; i <= last; ++i) {
        if (!first_[text[i]])
            continue;
        size_t k = 1;
        while (k < n && upper_[text[i + k]] == needle[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

}  // namespace xbase
