// Tokens of xBase expressions: names, numbers, quoted text, operators and the dotted logical
// words (.AND. .OR. .NOT. .T. .F.), in any letter case.
#include "platform/xbase/expression_lexer.h"

namespace xbase::expr {

namespace {

bool IsAlpha(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigitChar(char c) {
    return c >= '0' && c <= '9';
}
char UpperAsciiChar(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 32) : c;
}

bool EqualsUpper(std::string_view word, std::string_view upper) {
    if (word.size() != upper.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (UpperAsciiChar(word[i]) != upper[i])
            return false;
    }
    return true;
}

}  // namespace

Token Lexer::Make(Tok kind, size_t start, size_t end) const {
    Token t;
    t.kind = kind;
    t.position = uint32_t(start + 1);
    t.text = text_.substr(start, end - start);
    return t;
}

void Lexer::Advance() {
    const size_t n = text_.size();
    while (pos_ < n && (text_[pos_] == ' ' || text_[pos_] == '\t'))
        ++pos_;
    if (pos_ >= n) {
        current_ = Make(Tok::kEnd, n, n);
        return;
    }
    const size_t start = pos_;
    const char c = text_[pos_];
    auto single = [&](Tok kind, size_t len) {
        pos_ += len;
        current_ = Make(kind, start, pos_);
    };
    auto next = [&](size_t k) { return start + k < n ? text_[start + k] : '\0'; };

    if (IsAlpha(c)) {
        while (pos_ < n && (IsAlpha(text_[pos_]) || IsDigitChar(text_[pos_])))
            ++pos_;
        current_ = Make(Tok::kIdent, start, pos_);
        return;
    }
    if (IsDigitChar(c) || (c == '.' && IsDigitChar(next(1)))) {
        while (pos_ < n && IsDigitChar(text_[pos_]))
            ++pos_;
        if (pos_ < n && text_[pos_] == '.') {
            ++pos_;
            while (pos_ < n && IsDigitChar(text_[pos_]))
                ++pos_;
        }
        if (pos_ < n && (text_[pos_] == 'e' || text_[pos_] == 'E')) {  // 1e3, 2.5E-2
            size_t k = pos_ + 1;
            if (k < n && (text_[k] == '+' || text_[k] == '-'))
                ++k;
            if (k < n && IsDigitChar(text_[k])) {
                pos_ = k;
                while (pos_ < n && IsDigitChar(text_[pos_]))
                    ++pos_;
            }
        }
        current_ = Make(Tok::kNumber, start, pos_);
        return;
    }
    if (c == '.') {
        // A dotted word: .AND. .OR. .NOT. .T. .F. .Y. .N.
        size_t end = start + 1;
        while (end < n && IsAlpha(text_[end]))
            ++end;
        if (end < n && text_[end] == '.' && end > start + 1) {
            const std::string_view word = text_.substr(start + 1, end - start - 1);
            Tok kind = Tok::kError;
            if (EqualsUpper(word, "AND"))
                kind = Tok::kAnd;
            if (EqualsUpper(word, "OR"))
                kind = Tok::kOr;
            if (EqualsUpper(word, "NOT"))
                kind = Tok::kNot;
            if (EqualsUpper(word, "T") || EqualsUpper(word, "Y"))
                kind = Tok::kTrue;
            if (EqualsUpper(word, "F") || EqualsUpper(word, "N"))
                kind = Tok::kFalse;
            if (kind != Tok::kError)
                return single(kind, end + 1 - start);
        }
        return single(Tok::kError, 1);
    }
    if (c == '"' || c == '\'' || c == '[') {
        const char close = c == '[' ? ']' : c;
        const size_t end = text_.find(close, start + 1);
        if (end == std::string_view::npos) {
            pos_ = n;
            current_ = Make(Tok::kError, start, n);
            current_.text = "unterminated string";
            return;
        }
        pos_ = end + 1;
        current_ = Make(Tok::kString, start + 1, end);
        current_.position = uint32_t(start + 1);
        return;
    }
    switch (c) {
        case '(':
            return single(Tok::kLParen, 1);
        case ')':
            return single(Tok::kRParen, 1);
        case ',':
            return single(Tok::kComma, 1);
        case '+':
            return single(Tok::kPlus, 1);
        case '-':
            return next(1) == '>' ? single(Tok::kArrow, 2) : single(Tok::kMinus, 1);
        case '*':
            return single(Tok::kStar, 1);
        case '/':
            return single(Tok::kSlash, 1);
        case '#':
            return single(Tok::kNe, 1);
        case '=':
            return next(1) == '=' ? single(Tok::kExactEq, 2) : single(Tok::kEq, 1);
        case '!':
            return next(1) == '=' ? single(Tok::kNe, 2) : single(Tok::kNot, 1);
        case '<':
            if (next(1) == '>')
                return single(Tok::kNe, 2);
            return next(1) == '=' ? single(Tok::kLe, 2) : single(Tok::kLt, 1);
        case '>':
            return next(1) == '=' ? single(Tok::kGe, 2) : single(Tok::kGt, 1);
        default:
            return single(Tok::kError, 1);
    }
}

std::string Describe(const Token& t) {
    switch (t.kind) {
        case Tok::kEnd:
            return "end of expression";
        case Tok::kString:
            return "\"" + std::string(t.text) + "\"";
        case Tok::kError: {
            const unsigned char c = t.text.empty() ? 0 : static_cast<unsigned char>(t.text[0]);
            if (t.text.size() == 1 && (c < 0x20 || c >= 0x7F)) {
                static const char kHex[] = "0123456789ABCDEF";
                return std::string("byte 0x") + kHex[c >> 4] + kHex[c & 15];
            }
            return std::string(t.text);
        }
        default:
            return std::string(t.text);
    }
}

}  // namespace xbase::expr
