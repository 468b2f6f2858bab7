#include "entry/price_text.h"

#include <cmath>
#include <cstdint>

#include "base/text.h"

namespace {

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// "1,234,567" or "1234567": the integer part, commas only as complete thousands groups, so that
// "12,50" (a decimal comma) is not taken for 1250.
std::optional<int64_t> WholePart(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    const bool grouped = text.find(',') != std::string_view::npos;
    int64_t value = 0;
    size_t digitsSinceComma = 0;
    bool firstGroup = true;
    for (char ch : text) {
        if (ch == ',') {
            if (digitsSinceComma == 0 || (!firstGroup && digitsSinceComma != 3) ||
                digitsSinceComma > 3)
                return std::nullopt;
            firstGroup = false;
            digitsSinceComma = 0;
            continue;
        }
        if (!IsDigit(ch))
            return std::nullopt;
        value = value * 10 + (ch - '0');
        if (value > 100000000000LL)
            return std::nullopt;
        ++digitsSinceComma;
    }
    if (grouped && digitsSinceComma != 3)
        return std::nullopt;
    return value;
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
    const size_t point = trimmed.find('.');
    const std::string_view all(trimmed);
    const std::optional<int64_t> whole =
        point == 0 ? std::optional<int64_t>(0) : WholePart(all.substr(0, point));
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
