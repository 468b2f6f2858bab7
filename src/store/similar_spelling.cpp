#include "store/similar_spelling.h"

#include <array>
#include <cstdint>

namespace {

// What each Windows-1252 byte reads as: letters and digits as lower-case ASCII, a blank as " ",
// "&" as itself (a word of its own), everything else as nothing.
using SpellingFold = std::array<std::string_view, 256>;

constexpr std::string_view kFoldedAscii = "0123456789abcdefghijklmnopqrstuvwxyz";

constexpr SpellingFold MakeSpellingFold() {
    SpellingFold fold{};
    for (int c = 0; c <= ' '; ++c)
        fold[c] = " ";
    fold[0xA0] = " ";  // no-break space
    fold['&'] = "&";
    for (char c : kFoldedAscii) {
        fold[uint8_t(c)] = kFoldedAscii.substr(kFoldedAscii.find(c), 1);
        if (c >= 'a')
            fold[uint8_t(c - 'a' + 'A')] = fold[uint8_t(c)];
    }
    const struct {
        uint8_t from;
        uint8_t to;  // inclusive
        std::string_view as;
    } letters[] = {
        {0x83, 0x83, "f"},  {0x8A, 0x8A, "s"},  {0x8C, 0x8C, "oe"}, {0x8E, 0x8E, "z"},
        {0x9A, 0x9A, "s"},  {0x9C, 0x9C, "oe"}, {0x9E, 0x9E, "z"},  {0x9F, 0x9F, "y"},
        {0xB2, 0xB2, "2"},  {0xB3, 0xB3, "3"},  {0xB9, 0xB9, "1"},  {0xC0, 0xC5, "a"},
        {0xC6, 0xC6, "ae"}, {0xC7, 0xC7, "c"},  {0xC8, 0xCB, "e"},  {0xCC, 0xCF, "i"},
        {0xD0, 0xD0, "d"},  {0xD1, 0xD1, "n"},  {0xD2, 0xD6, "o"},  {0xD8, 0xD8, "o"},
        {0xD9, 0xDC, "u"},  {0xDD, 0xDD, "y"},  {0xDE, 0xDE, "th"}, {0xDF, 0xDF, "ss"},
        {0xE0, 0xE5, "a"},  {0xE6, 0xE6, "ae"}, {0xE7, 0xE7, "c"},  {0xE8, 0xEB, "e"},
        {0xEC, 0xEF, "i"},  {0xF0, 0xF0, "d"},  {0xF1, 0xF1, "n"},  {0xF2, 0xF6, "o"},
        {0xF8, 0xF8, "o"},  {0xF9, 0xFC, "u"},  {0xFD, 0xFD, "y"},  {0xFE, 0xFE, "th"},
        {0xFF, 0xFF, "y"},
    };
    for (const auto& l : letters) {
        for (int c = l.from; c <= l.to; ++c)
            fold[c] = l.as;
    }
    return fold;
}

constexpr SpellingFold kSpellingFold = MakeSpellingFold();

constexpr bool IsGap(std::string_view as) {
    return as.size() == 1 && as[0] == ' ';
}

bool IsBlankByte(char c) {
    return IsGap(kSpellingFold[uint8_t(c)]);
}

bool IsApostrophe(char c) {
    const uint8_t b = uint8_t(c);
    return b == '\'' || b == '`' || b == 0x92 || b == 0xB4;
}

bool SameLetters(std::string_view word, std::string_view lower) {
    if (word.size() != lower.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        const char c = word[i] >= 'A' && word[i] <= 'Z' ? char(word[i] - 'A' + 'a') : word[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

bool HoldsWords(std::string_view bytes) {
    for (char c : bytes) {
        const std::string_view as = kSpellingFold[uint8_t(c)];
        if (!as.empty() && !IsGap(as))
            return true;
    }
    return false;
}

// Where the text goes on after its leading article; 0 when it has none, or when the article is
// all there is ("The" alone is a title of its own).
size_t AfterArticle(std::string_view bytes) {
    static constexpr std::string_view kArticles[] = {"the", "a",   "an",  "de",  "het",
                                                     "een", "die", "der", "das", "la",
                                                     "le",  "les", "el",  "los", "il"};
    size_t begin = 0;
    while (begin < bytes.size() && IsBlankByte(bytes[begin]))
        ++begin;
    size_t end = begin;
    while (end < bytes.size() && !IsBlankByte(bytes[end]) && bytes[end] != '&')
        ++end;
    const std::string_view word = bytes.substr(begin, end - begin);
    size_t after = 0;
    if (word.size() >= 2 && (word[0] == 'L' || word[0] == 'l') && IsApostrophe(word[1])) {
        after = begin + 2;  // "L'Amour", "L' Amour"
    } else {
        for (std::string_view article : kArticles) {
            if (SameLetters(word, article))
                after = end;
        }
    }
    return after > 0 && HoldsWords(bytes.substr(after)) ? after : 0;
}

}  // namespace

std::string SimilarSpellingKey(std::string_view bytes) {
    std::string key;
    SimilarSpellingKey(bytes, &key);
    return key;
}

void SimilarSpellingKey(std::string_view bytes, std::string* out) {
    std::string& key = *out;
    key.clear();
    bool apart = false;  // a blank or "&" came since the last letter
    for (char c : bytes.substr(AfterArticle(bytes))) {
        std::string_view as = kSpellingFold[uint8_t(c)];
        if (as.empty())
            continue;  // punctuation joins what it stands between
        if (IsGap(as)) {
            apart = true;
            continue;
        }
        if (c == '&') {
            as = "and";
            apart = true;
        }
        if (apart && !key.empty())
            key += ' ';
        key += as;
        apart = c == '&';
    }
}
