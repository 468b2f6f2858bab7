#include "cd/cd_id.h"

#include <limits>

int32_t CdIdFromText(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        return -1;
    }
    // Accumulated as a 64-bit magnitude so that one digit too many is seen before it overflows.
    const int64_t limit = negative ? -int64_t(std::numeric_limits<int32_t>::min())
                                   : int64_t(std::numeric_limits<int32_t>::max());
    int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch < '0' || ch > '9') {
            return -1;
        }
        magnitude = magnitude * 10 + (ch - '0');
        if (magnitude > limit) {
            return -1;
        }
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}
