#include "platform/xbase/text_convert.h"

#include <cstdio>

namespace xbase {

namespace {

void AppendUtf8(char32_t u, std::string* out) {
    if (u < 0x80) {
        out->push_back(char(u));
    } else if (u < 0x800) {
        out->push_back(char(0xC0 | (u >> 6)));
        out->push_back(char(0x80 | (u & 0x3F)));
    } else {
        out->push_back(char(0xE0 | (u >> 12)));
        out->push_back(char(0x80 | ((u >> 6) & 0x3F)));
        out->push_back(char(0x80 | (u & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at text[*pos]; false when malformed.
bool NextCodePoint(std::string_view text, size_t* pos, char32_t* u) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char c = byte(*pos);
    int extra = c < 0x80           ? 0
                : (c >> 5) == 0x6  ? 1
                : (c >> 4) == 0xE  ? 2
                : (c >> 3) == 0x1E ? 3
                                   : -1;
    if (extra < 0 || *pos + size_t(extra) >= text.size())
        return false;
    char32_t value = extra == 0 ? c : c & (0x3F >> extra);
    for (int i = 1; i <= extra; ++i) {
        unsigned char cc = byte(*pos + size_t(i));
        if ((cc & 0xC0) != 0x80)
            return false;
        value = (value << 6) | (cc & 0x3F);
    }
    *pos += size_t(extra) + 1;
    *u = value;
    return true;
}

}  // namespace

std::string ToUtf8(const CodePage& codePage, std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendToUtf8(codePage, bytes, &out);
    return out;
}

void AppendToUtf8(const CodePage& codePage, std::string_view bytes, std::string* out) {
    for (char c : bytes)
        AppendUtf8(codePage.ToUnicode(static_cast<unsigned char>(c)), out);
}

Status FromUtf8(const CodePage& codePage, std::string_view utf8, std::string* out) {
    out->clear();
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t u = 0;
        if (!NextCodePoint(utf8, &pos, &u)) {
            return Status::InvalidArgument(
                "", "the text is not valid UTF-8 at byte " + std::to_string(pos));
        }
        uint8_t b = 0;
        if (!codePage.FromUnicode(u, &b)) {
            char name[16];
            std::snprintf(name, sizeof name, "U+%04X", unsigned(u));
            return Status::InvalidArgument("", std::string("the character ") + name +
                                                   " cannot be stored in " + codePage.name());
        }
        out->push_back(char(b));
    }
    return Status::OK();
}

std::string ConvertCodePage(const CodePage& from, const CodePage& to, std::string_view bytes) {
    if (&from == &to)
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        uint8_t b = '?';
        to.FromUnicode(from.ToUnicode(static_cast<unsigned char>(c)), &b);
        out.push_back(char(b));
    }
    return out;
}

}  // namespace xbase
