// The value encoding of the store's text journals (search and replace, mending): values stand
// between tabs on lines of their own, so control bytes and '%' are written as %XX.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string JournalEscape(std::string_view text);
// The value again; nullopt for a '%' not followed by two upper-case hex digits.
std::optional<std::string> JournalUnescape(std::string_view text);
// The tab-separated values of one journal line, as read (escaped).
std::vector<std::string_view> JournalFields(std::string_view line);
