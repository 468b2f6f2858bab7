// Text helpers shared by every screen: padding, blanks, case-insensitive search, splicing,
// capitalisation, the track-time digits and the password transformation. Texts are bytes of
// the tables' single-byte code page, so one byte is one character.
#pragma once

#include <string>
#include <string_view>

// `text` followed by blanks up to `width`; at most 50 blanks are added.
std::string PadRight(std::string_view text, int width);
// Blanks followed by `text` up to `width`; at most 10 blanks are added.
std::string PadLeft(std::string_view text, int width);
// `count` blanks, at most 67.
std::string Spaces(int count);
// True when nothing but blanks (and control characters) is left after trimming both ends.
bool IsBlank(std::string_view text);
// `text` without blanks (and control characters) at both ends.
std::string Trim(std::string_view text);
// `text` without the blanks a character field is padded with on the right.
std::string TrimRight(std::string_view text);
// The 1-based position of `part` in `text` ignoring ASCII letter case; 0 when absent or empty.
int PosNoCase(std::string_view text, std::string_view part);
// `text` with `length` characters from 1-based `position` replaced by `replacement`; of the part
// after them at most 100 characters are kept.
std::string StuffString(std::string_view text, std::string_view replacement, int position,
                        int length);
// eachWord: every letter that begins the text or follows a blank becomes upper case (accented
// letters of the tables' code page too), the rest stays. Otherwise: the first character
// upper-cased, followed by characters 2 to 51 as they are.
std::string KapitaliseerTekst(std::string_view text, bool eachWord);
// The integer held by `text` with leading zeros to at least two (three) digits; a text that does
// not hold an integer comes back trimmed but otherwise unchanged.
std::string TwoDigits(std::string_view text);
std::string ThreeDigits(std::string_view text);
// Every byte replaced by 255 minus the byte; applying it twice gives the text back.
std::string InvertBytes(std::string_view text);
// ASCII upper case, other bytes unchanged.
std::string UpperCase(std::string_view text);
