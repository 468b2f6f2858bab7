// IniText: the lines of one settings file, parsed just far enough to find a section's keys, and
// edited so that every line a change does not touch stays byte for byte as it was (comments,
// blank lines, unknown sections, line ends, encoding). Works on bytes: any input is some INI
// text, so parsing never fails.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/file_names.h"

namespace profile {

// True when `a` and `b` are equal, ignoring the case of ASCII letters only (the files are
// Windows-1252; other bytes compare exactly).
using tunelo::EqualsNoCase;

// `text` without leading and trailing blanks, tabs and stray carriage returns.
std::string_view TrimBlanks(std::string_view text);

class IniText {
public:
    explicit IniText(std::string_view bytes);

    // The value of `key` in the first section called `section`, trimmed, with one pair of
    // matching surrounding quotes (" or ') removed; nullopt when the section or key is absent.
    // Names are compared trimmed and ignoring ASCII case; a key repeated in the section gives
    // its first value, and only the first of repeated sections is searched.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Gives `key` the value `value`. An existing key line keeps everything up to and including
    // the '=' and the blanks after it; a new key goes after the section's last key line (right
    // after its header when it has none); a new section goes at the end of the text. Names must
    // already be valid (see PrivateProfile) and trimmed.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    // The whole text, as it goes to disk.
    std::string Bytes() const;

private:
    enum class Kind { kOther, kSection, kKey, kComment };

    struct Line {
        std::string content;     // without its line end
        std::string terminator;  // "\r\n", "\n", or "" for an unterminated last line
    };

    // What `lines_[index]` is; `name` gets the section or key name for those kinds.
    Kind Classify(size_t index, std::string_view* name) const;

    // Index of the first header of `section`, or nullopt.
    std::optional<size_t> FindSection(std::string_view section) const;

    // One past the last line of the section whose header is at `header`.
    size_t SectionEnd(size_t header) const;

    // Makes sure the last line ends with a line end before something is added after it.
    void TerminateLine(size_t index);

    std::vector<Line> lines_;
    std::string eol_;  // line end for new lines: the file's own, CRLF for a new file
};

}  // namespace profile
