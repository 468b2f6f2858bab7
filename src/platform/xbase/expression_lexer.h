// Splits xBase expression text into tokens. Internal to the expression compiler.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace xbase::expr {

enum class Tok : uint8_t {
    kEnd,
    kIdent,   // letters, digits and '_' starting with a letter or '_'
    kNumber,  // 12, 12.5, .5, 1e3
    kString,  // "..." or '...' or [...]; text() is the contents without quotes
    kLParen,
    kRParen,
    kComma,
    kArrow,  // -> between a table alias and a field name
    kPlus,
    kMinus,
    kStar,
    kSlash,
    kEq,       // =
    kExactEq,  // ==
    kNe,       // <> # !=
    kLt,
    kLe,
    kGt,
    kGe,
    kAnd,    // .AND.
    kOr,     // .OR.
    kNot,    // .NOT. or !
    kTrue,   // .T. .Y.
    kFalse,  // .F. .N.
    kError,  // a bad character or an unterminated string; text() says what was wrong
};

struct Token {
    Tok kind = Tok::kEnd;
    uint32_t position = 0;  // 1-based character position in the expression
    std::string_view text;  // points into the expression text
};

class Lexer {
public:
    // `text` must outlive the lexer and the tokens it returns.
    explicit Lexer(std::string_view text) : text_(text) { Advance(); }

    const Token& peek() const { return current_; }
    // Returns the current token and moves on to the next one.
    Token Next() {
        Token t = current_;
        Advance();
        return t;
    }

private:
    void Advance();
    Token Make(Tok kind, size_t start, size_t end) const;

    std::string_view text_;
    size_t pos_ = 0;
    Token current_;
};

// Printable name of a token for messages ("end of expression", ")", "NAME").
std::string Describe(const Token& t);

}  // namespace xbase::expr
