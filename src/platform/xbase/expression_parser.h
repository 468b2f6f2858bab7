// Parses and type-checks xBase expression text against a table's fields, producing the node
// tree the evaluator runs. Internal to the expression compiler.
#pragma once

#include <string>
#include <string_view>

#include "platform/xbase/expression_lexer.h"
#include "platform/xbase/expression_program.h"
#include "platform/xbase/field.h"

namespace xbase::expr {

// Scoped nesting level: Parser::Enter raises it, the guard lowers it again.
struct DepthGuard {
    explicit DepthGuard(int* depth) : depth_(depth) {}
    ~DepthGuard() { --*depth_; }
    int* depth_;
};

class Parser {
public:
    // `text` and `schema` must outlive the parser.
    Parser(std::string_view text, const Schema& schema)
        : text_(text), schema_(schema), lex_(text) {}

    // Fills *out with the checked tree of the whole text. Returns an empty string on success,
    // else the first problem and where it is ("unknown field NAAM at 7").
    std::string Parse(Program* out);

private:
    int32_t ParseOr();
    int32_t ParseAnd();
    int32_t ParseNot();
    int32_t ParseCompare();
    int32_t ParseAdd();
    int32_t ParseMul();
    int32_t ParseUnary();
    int32_t ParsePrimary();
    int32_t ParseField(const Token& name);
    int32_t ParseFunction(const Token& name);
    int32_t ParseStr(const Token& name);
    // Parses ", n" where n is a whole number constant in [lo, hi], the STR length or decimals.
    bool ParseStrConstant(const char* what, int lo, int hi, int* value);
    bool Expect(Tok kind, const char* what);
    // Opens one more level of nesting at `pos`; false (with the error set) past kMaxDepth.
    bool Enter(uint32_t pos);

    int32_t Add(const Node& n);
    int32_t Binary(Op op, ValueType type, int32_t a, int32_t b);
    const Node& at(int32_t i) const { return program_->nodes[size_t(i)]; }
    // Records the first problem; returns -1 so that callers can `return Fail(...)`.
    int32_t Fail(uint32_t pos, const std::string& problem);

    std::string_view text_;
    const Schema& schema_;
    Lexer lex_;
    Program* program_ = nullptr;
    std::string error_;
    int depth_ = 0;
};

}  // namespace xbase::expr
