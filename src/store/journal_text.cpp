#include "store/journal_text.h"

#include <cstdint>

std::string JournalEscape(std::string_view text) {
    constexpr const char* kHex = "0123456789ABCDEF";
    std::string out;
    for (const char ch : text) {
        const auto byte = uint8_t(ch);
        if (byte < 0x20 || byte == 0x7F || ch == '%') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += ch;
        }
    }
    return out;
}

std::optional<std::string> JournalUnescape(std::string_view text) {
    const auto digit = [](char ch) {
        return ch >= '0' && ch <= '9' ? ch - '0' : (ch >= 'A' && ch <= 'F' ? ch - 'A' + 10 : -1);
    };
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? digit(text[i + 1]) : -1;
        const int low = high >= 0 ? digit(text[i + 2]) : -1;
        if (low < 0)
            return std::nullopt;
        out += char(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::string_view> JournalFields(std::string_view line) {
    std::vector<std::string_view> parts;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return parts;
        start = tab + 1;
    }
}
