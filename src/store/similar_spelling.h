// Similar spelling: titles and names compared as a person reads them. Accents are folded (é = e,
// ß = ss, æ = ae, ø = o), letter case, punctuation and repeated blanks do not count, "&" reads as
// "and" and one leading article ("The", "Les", "L'", ...) is set aside. Two texts are similar when
// their keys are equal.
#pragma once

#include <string>
#include <string_view>

#include "base/table_text.h"

// The comparison key of `bytes` (table text, Windows-1252): lower-case ASCII letters and digits,
// words parted by one blank. Empty when the text holds no letter or digit.
std::string SimilarSpellingKey(std::string_view bytes);
// The same key, written over *key: a scan keeps one string's room for all its keys.
void SimilarSpellingKey(std::string_view bytes, std::string* key);

inline std::string SimilarSpellingKey(const TableText& text) {
    return SimilarSpellingKey(text.bytes());
}

inline bool SimilarSpelling(const TableText& a, const TableText& b) {
    return SimilarSpellingKey(a) == SimilarSpellingKey(b);
}
