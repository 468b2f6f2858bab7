// A text found for a disc, made fit for a field of the entry screen: table text (Windows-1252)
// no longer than the field. What could not be kept is shown, never dropped quietly: an over-long
// text ends in "…", and a character the tables cannot hold becomes "¤" for the user to edit.
#pragma once

#include <cstddef>
#include <string>

struct SuggestedText {
    std::string text;  // table bytes
    bool cut = false;
    int marked = 0;  // characters shown as the mark
};

// "…" and "¤" in Windows-1252.
inline constexpr char kCutMark = '\x85';
inline constexpr char kUnholdableMark = '\xA4';

// `utf8` as a suggestion for a field of `width` characters.
SuggestedText SuggestForField(const std::string& utf8, size_t width);
// A four-digit year, or nothing.
SuggestedText SuggestYear(const std::string& year);
// What the user should know about the suggestion (UTF-8); "" when it is the text as found.
std::string SuggestionNote(const SuggestedText& suggestion, size_t width);
