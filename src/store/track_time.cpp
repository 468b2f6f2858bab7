#include "store/track_time.h"

#include <charconv>

#include "base/text.h"

uint32_t TimePart(std::string_view field) {
    const std::string text = Trim(field);
    uint32_t value = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
    return fault == std::errc() && end == text.data() + text.size() ? value : 0;
}
