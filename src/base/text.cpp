#include "base/text.h"

#include <algorithm>
#include <charconv>

#include "platform/xbase/codepage.h"

namespace {

bool IsTrimmed(unsigned char c) {
    return c <= ' ';
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

// Any letter of the tables' code page, accented ones too ("\xE9dith" -> "\xC9dith"). The
// indexes' UPPER() leaves s and z with caron and the oe ligature alone; a name still gets its
// capital.
char LetterUpper(char c) {
    switch (static_cast<uint8_t>(c)) {
        case 0x9A:
        case 0x9C:
        case 0x9E:
            return char(static_cast<uint8_t>(c) - 0x10);
        default:
            return char(xbase::CodePage::Windows1252().Upper(static_cast<uint8_t>(c)));
    }
}

std::string Digits(std::string_view text, int minimum) {
    const std::string trimmed = Trim(text);
    long long value = 0;
    const char* first = trimmed.data();
    const char* last = first + trimmed.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, last, value);
    if (trimmed.empty() || error != std::errc() || end != last) {
        return trimmed;
    }
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) < minimum) {
        digits.insert(0, minimum - digits.size(), '0');
    }
    return value < 0 ? "-" + digits : digits;
}

}  // namespace

std::string PadRight(std::string_view text, int width) {
    std::string result(text);
    const int missing = std::min(width - static_cast<int>(text.size()), 50);
    if (missing > 0) {
        result.append(missing, ' ');
    }
    return result;
}

std::string PadLeft(std::string_view text, int width) {
    const int missing = std::min(width - static_cast<int>(text.size()), 10);
    return missing > 0 ? std::string(missing, ' ') + std::string(text) : std::string(text);
}

std::string Spaces(int count) {
    return std::string(std::clamp(count, 0, 67), ' ');
}

std::string Trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsTrimmed(text[begin])) {
        ++begin;
    }
    while (end > begin && IsTrimmed(text[end - 1])) {
        --end;
    }
    return std::string(text.substr(begin, end - begin));
}

std::string TrimRight(std::string_view text) {
    size_t end = text.size();
    while (end > 0 && text[end - 1] == ' ') {
        --end;
    }
    return std::string(text.substr(0, end));
}

bool IsBlank(std::string_view text) {
    return Trim(text).empty();
}

int PosNoCase(std::string_view text, std::string_view part) {
    if (part.empty() || part.size() > text.size()) {
        return 0;
    }
    const std::string upperText = UpperCase(text);
    const size_t at = upperText.find(UpperCase(part));
    return at == std::string::npos ? 0 : static_cast<int>(at) + 1;
}

std::string StuffString(std::string_view text, std::string_view replacement, int position,
                        int length) {
    const size_t start = std::min(static_cast<size_t>(std::max(position, 1) - 1), text.size());
    const size_t after = std::min(start + static_cast<size_t>(std::max(length, 0)), text.size());
    std::string result(text.substr(0, start));
    result += replacement;
    result += text.substr(after, 100);
    return result;
}

std::string KapitaliseerTekst(std::string_view text, bool eachWord) {
    if (text.empty()) {
        return {};
    }
    if (!eachWord) {
        std::string result(1, LetterUpper(text[0]));
        result += text.substr(1, 50);
        return result;
    }
    std::string result(text);
    for (size_t i = 0; i < result.size(); ++i) {
        if (i == 0 || result[i - 1] == ' ') {
            result[i] = LetterUpper(result[i]);
        }
    }
    return result;
}

std::string TwoDigits(std::string_view text) {
    return Digits(text, 2);
}
std::string ThreeDigits(std::string_view text) {
    return Digits(text, 3);
}

std::string InvertBytes(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(255 - static_cast<unsigned char>(c));
    }
    return result;
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), AsciiUpper);
    return result;
}
