// Number and date text as xBase stores it in N, F and D fields.
#include "platform/xbase/field_text.h"

#include "platform/xbase/numeric_key.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace xbase {

std::string_view TrimBlanks(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\0'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool ParseDecimal(std::string_view s, double* value) {
    s = TrimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    // Only plain decimal notation: digits with at most one point, and at least one digit.
    size_t digits = 0, points = 0;
    for (char c : s) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return false;
        }
    }
    if (digits == 0 || points > 1)
        return false;
    double v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::fixed);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v))
        return false;
    *value = negative ? -v : v;
    return true;
}

bool FormatDecimal(double value, unsigned width, unsigned decimals, std::string* out) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e21)
        return false;
    // Round the shortest decimal that reads back as `value`, not its binary expansion, so that
    // 2.675 rounds to 2.68 the way it reads.
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc())
        return false;
    std::string_view s(buf, size_t(end - buf));
    const bool negative = !s.empty() && s[0] == '-';
    if (negative)
        s.remove_prefix(1);
    const size_t point = s.find('.');
    std::string digits(s.substr(0, point));  // integer part
    std::string_view frac =
        point == std::string_view::npos ? std::string_view() : s.substr(point + 1);
    const size_t kept = frac.size() < decimals ? frac.size() : decimals;
    digits.append(frac.substr(0, kept));
    digits.append(decimals - kept, '0');
    if (frac.size() > decimals && frac[decimals] >= '5') {
        size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i - 1];
        }
    }
    std::string text(digits, 0, digits.size() - decimals);
    if (decimals > 0)
        text += "." + digits.substr(digits.size() - decimals);
    if (negative && digits.find_first_not_of('0') != std::string::npos)
        text.insert(text.begin(), '-');
    if (text.size() > width)
        return false;
    out->assign(width - text.size(), ' ');
    out->append(text);
    return true;
}

std::string DateText(Date d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", d.year, d.month, d.day);
    return buf;
}

bool ParseDate8(std::string_view s, Date* d) {
    if (s.size() != 8)
        return false;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
    }
    auto num = [&](size_t at, size_t len) {
        int v = 0;
        for (size_t i = at; i < at + len; ++i)
            v = v * 10 + (s[i] - '0');
        return v;
    };
    Date r{num(0, 4), num(4, 2), num(6, 2)};
    if (!IsValidDate(r))
        return false;
    *d = r;
    return true;
}

bool IsValidDate(Date d) {
    if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1)
        return false;
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    const int days = kDays[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
    return d.day <= days;
}

// Visual FoxPro keeps dates (D, and the day of T) as Julian day numbers.
int64_t DateToJulian(Date d) {
    return JulianDay(d.year, d.month, d.day);
}

Date DateFromJulian(int64_t jdn) {
    // Day numbers of 0001-01-01 and 9999-12-31.
    if (jdn < 1721426 || jdn > 5373484)
        return Date{};
    Date r;
    CivilFromJulianDay(jdn, &r.year, &r.month, &r.day);
    return r;
}

}  // namespace xbase
