#include "store/table_env.h"

#include <cstdio>

TTableEnv& TTableEnv::Default() {
    static TTableEnv env;
    return env;
}

namespace {

struct Layout {
    char separator;
    char order[3];  // 'd', 'm', 'y' in the order written
};

Layout LayoutOf(TTableEnv::DateFormat f) {
    switch (f) {
        case TTableEnv::DateFormat::American:
            return {'/', {'m', 'd', 'y'}};
        case TTableEnv::DateFormat::Ansi:
            return {'.', {'y', 'm', 'd'}};
        case TTableEnv::DateFormat::British:
            return {'/', {'d', 'm', 'y'}};
        case TTableEnv::DateFormat::French:
            return {'/', {'d', 'm', 'y'}};
        case TTableEnv::DateFormat::German:
            return {'.', {'d', 'm', 'y'}};
        case TTableEnv::DateFormat::Italian:
            return {'-', {'d', 'm', 'y'}};
        case TTableEnv::DateFormat::Japan:
            return {'/', {'y', 'm', 'd'}};
    }
    return {'-', {'d', 'm', 'y'}};
}

}  // namespace

std::string TTableEnv::FormatDate(xbase::Date date) const {
    if (date.blank())
        return std::string();
    const Layout layout = LayoutOf(dateFormat);
    std::string out;
    for (int i = 0; i < 3; ++i) {
        char part[8];
        switch (layout.order[i]) {
            case 'd':
                std::snprintf(part, sizeof part, "%02d", date.day);
                break;
            case 'm':
                std::snprintf(part, sizeof part, "%02d", date.month);
                break;
            default:
                if (Century) {
                    std::snprintf(part, sizeof part, "%04d", date.year % 10000);
                } else {
                    std::snprintf(part, sizeof part, "%02d", date.year % 100);
                }
        }
        if (i > 0)
            out += layout.separator;
        out += part;
    }
    return out;
}

bool TTableEnv::ParseDate(std::string_view text, xbase::Date* out) const {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        *out = xbase::Date{};
        return true;
    }
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    const Layout layout = LayoutOf(dateFormat);
    int values[3] = {0, 0, 0};
    size_t pos = 0;
    for (int i = 0; i < 3; ++i) {
        size_t digits = 0;
        int v = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
            v = v * 10 + (text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0)
            return false;
        values[i] = v;
        if (i < 2) {
            if (pos >= text.size() || text[pos] != layout.separator)
                return false;
            ++pos;
        }
    }
    if (pos != text.size())
        return false;
    xbase::Date d;
    for (int i = 0; i < 3; ++i) {
        if (layout.order[i] == 'd')
            d.day = values[i];
        if (layout.order[i] == 'm')
            d.month = values[i];
        if (layout.order[i] == 'y')
            d.year = values[i];
    }
    if (!Century && d.year < 100)
        d.year += d.year < 50 ? 2000 : 1900;
    if (!xbase::IsValidDate(d))
        return false;
    *out = d;
    return true;
}
