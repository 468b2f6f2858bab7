#include "platform/profile/ini_text.h"

namespace profile {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Editors on the other platform sometimes put a UTF-8 mark before the first section; it must
// not hide that section's header.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

IniText::IniText(std::string_view bytes) {
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t newline = bytes.find('\n', pos);
        Line line;
        if (newline == std::string_view::npos) {
            line.content = std::string(bytes.substr(pos));
            pos = bytes.size();
        } else {
            size_t end = newline;
            if (end > pos && bytes[end - 1] == '\r')
                --end;
            line.content = std::string(bytes.substr(pos, end - pos));
            line.terminator = std::string(bytes.substr(end, newline + 1 - end));
            pos = newline + 1;
        }
        if (eol_.empty() && !line.terminator.empty())
            eol_ = line.terminator;
        lines_.push_back(std::move(line));
    }
    if (eol_.empty())
        eol_ = "\r\n";
}

IniText::Kind IniText::Classify(size_t index, std::string_view* name) const {
    std::string_view text = lines_[index].content;
    if (index == 0 && text.starts_with(kUtf8Mark))
        text.remove_prefix(kUtf8Mark.size());
    text = TrimBlanks(text);
    if (text.starts_with('[')) {
        // The name runs to the last ']'; a header missing it still starts a section, so that
        // its keys are never taken for the previous section's.
        size_t close = text.rfind(']');
        size_t end = close == std::string_view::npos ? text.size() : close;
        *name = TrimBlanks(text.substr(1, end - 1));
        return Kind::kSection;
    }
    if (text.starts_with(';'))
        return Kind::kComment;
    size_t equals = text.find('=');
    if (equals == std::string_view::npos)
        return Kind::kOther;
    *name = TrimBlanks(text.substr(0, equals));
    return Kind::kKey;
}

std::optional<size_t> IniText::FindSection(std::string_view section) const {
    std::string_view name;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (Classify(i, &name) == Kind::kSection && EqualsNoCase(name, section))
            return i;
    }
    return std::nullopt;
}

size_t IniText::SectionEnd(size_t header) const {
    std::string_view name;
    size_t i = header + 1;
    while (i < lines_.size() && Classify(i, &name) != Kind::kSection)
        ++i;
    return i;
}

std::optional<std::string> IniText::Find(std::string_view section, std::string_view key) const {
    std::optional<size_t> header = FindSection(section);
    if (!header)
        return std::nullopt;
    size_t end = SectionEnd(*header);
    std::string_view name;
    for (size_t i = *header + 1; i < end; ++i) {
        if (Classify(i, &name) != Kind::kKey || !EqualsNoCase(name, key))
            continue;
        std::string_view content = lines_[i].content;
        std::string_view value = TrimBlanks(content.substr(content.find('=') + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return std::string(value);
    }
    return std::nullopt;
}

void IniText::TerminateLine(size_t index) {
    if (lines_[index].terminator.empty())
        lines_[index].terminator = eol_;
}

void IniText::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string key_line = std::string(key) + "=" + std::string(value);
    std::optional<size_t> header = FindSection(section);
    if (!header) {
        if (!lines_.empty()) {
            TerminateLine(lines_.size() - 1);
            // A blank line before the new section, as people write these files by hand.
            if (!TrimBlanks(lines_.back().content).empty())
                lines_.push_back({"", eol_});
        }
        lines_.push_back({"[" + std::string(section) + "]", eol_});
        lines_.push_back({std::move(key_line), eol_});
        return;
    }
    size_t end = SectionEnd(*header);
    size_t last_key = *header;
    std::string_view name;
    for (size_t i = *header + 1; i < end; ++i) {
        if (Classify(i, &name) != Kind::kKey)
            continue;
        if (EqualsNoCase(name, key)) {
            std::string& content = lines_[i].content;
            size_t keep = content.find('=') + 1;
            while (keep < content.size() && (content[keep] == ' ' || content[keep] == '\t'))
                ++keep;
            content.replace(keep, std::string::npos, value);
            return;
        }
        last_key = i;
    }
    TerminateLine(last_key);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last_key) + 1,
                  Line{std::move(key_line), eol_});
}

std::string IniText::Bytes() const {
    std::string out;
    for (const Line& line : lines_) {
        out += line.content;
        out += line.terminator;
    }
    return out;
}

}  // namespace profile
