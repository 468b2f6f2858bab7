#include "entry/price_text.h"

#include <cmath>
#include <cstdint>

#include "base/text.h"

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// "1,234,567" or "1234567": the integer part, `group` only between complete thousands groups.
std::optional<int64_t> WholePart(std::string_view text, char group) {
    if (text.empty())
        return std::nullopt;
    const bool grouped = text.find(group) != std::string_view::npos;
    int64_t value = 0;
    size_t digitsSinceGroup = 0;
    bool firstGroup = true;
    for (char ch : text) {
        if (ch == group) {
            if (digitsSinceGroup == 0 || (!firstGroup && digitsSinceGroup != 3) ||
                digitsSinceGroup > 3)
                return std::nullopt;
            firstGroup = false;
            digitsSinceGroup = 0;
            continue;
        }
        if (!IsDigit(ch))
            return std::nullopt;
        value = value * 10 + (ch - '0');
        if (value > 100000000000LL)
            return std::nullopt;
        ++digitsSinceGroup;
    }
    if (grouped && digitsSinceGroup != 3)
        return std::nullopt;
    return value;
}

// The decimal separator of `text`: the later of a point and a comma when both are there
// ("1,234.50", "1.234,50"); a lone comma with one or two digits after it ("12,50"); otherwise the
// point.
char DecimalSeparator(std::string_view text) {
    const size_t point = text.rfind('.');
    const size_t comma = text.rfind(',');
    if (comma == std::string_view::npos)
        return '.';
    if (point != std::string_view::npos)
        return comma > point ? ',' : '.';
    const size_t after = text.size() - comma - 1;
    return text.find(',') == comma && (after == 1 || after == 2) ? ',' : '.';
}

}  // namespace

std::string FormatPrice(double amount) {
    const int64_t cents = std::llround(std::fabs(amount) * 100);
    // Built forwards: inserting into the digits trips a false GCC 12 -Wrestrict at -O2.
    const std::string digits = std::to_string(cents / 100);
    std::string whole;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            whole += ',';
        whole += digits[i];
    }
    const std::string fraction = TwoDigits(std::to_string(cents % 100));
    return (amount < 0 && cents != 0 ? "-" : "") + whole + "." + fraction;
}

std::optional<double> ParsePrice(std::string_view text) {
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return 0.0;
    const std::string_view all(trimmed);
    const char decimal = DecimalSeparator(all);
    const char group = decimal == '.' ? ',' : '.';
    const size_t point = all.find(decimal);
    if (point != std::string_view::npos && all.find(decimal, point + 1) != std::string_view::npos)
        return std::nullopt;
    const std::optional<int64_t> whole =
        point == 0 ? std::optional<int64_t>(0) : WholePart(all.substr(0, point), group);
    if (!whole)
        return std::nullopt;
    int64_t cents = *whole * 100;
    if (point != std::string::npos) {
        const std::string_view fraction = all.substr(point + 1);
        if (fraction.empty() || fraction.size() > 2)
            return std::nullopt;
        for (char ch : fraction) {
            if (!IsDigit(ch))
                return std::nullopt;
        }
        cents += (fraction[0] - '0') * 10 + (fraction.size() == 2 ? fraction[1] - '0' : 0);
    }
    const double amount = double(cents) / 100.0;
    if (amount > kMaxPrice)
        return std::nullopt;
    return amount;
}
