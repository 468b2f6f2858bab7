// Recursive descent over xBase expression grammar, lowest precedence first:
//   or      := and { .OR. and }
//   and     := not { .AND. not }
//   not     := ( .NOT. | ! ) not | compare
//   compare := sum [ ( = == <> # != < <= > >= ) sum ]
//   sum     := product { ( + | - ) product }
//   product := unary { ( * | / ) unary }
//   unary   := ( - | + ) unary | primary
//   primary := number | string | .T. | .F. | ( or ) | name ( args ) | [alias ->] field
// Every node is type-checked as it is built, so a compiled tree cannot go wrong at run time.
#include "platform/xbase/expression_parser.h"

#include <charconv>

namespace xbase::expr {

namespace {

const char* TypeName(ValueType t) {
    switch (t) {
        case ValueType::kCharacter:
            return "text";
        case ValueType::kNumeric:
            return "number";
        case ValueType::kDate:
            return "date";
        case ValueType::kLogical:
            return "logical value";
    }
    return "value";
}

}  // namespace

std::string Parser::Parse(Program* out) {
    program_ = out;
    *out = Program();
    if (lex_.peek().kind == Tok::kEnd)
        return "empty expression";
    const int32_t root = ParseOr();
    if (root >= 0 && lex_.peek().kind != Tok::kEnd) {
        Fail(lex_.peek().position, "unexpected " + Describe(lex_.peek()));
    }
    if (!error_.empty())
        return error_;
    out->root = root;
    return std::string();
}

int32_t Parser::Fail(uint32_t pos, const std::string& problem) {
    if (error_.empty())
        error_ = problem + " at " + std::to_string(pos);
    return -1;
}

bool Parser::Enter(uint32_t pos) {
    ++depth_;
    if (depth_ > kMaxDepth) {
        Fail(pos, "nested deeper than " + std::to_string(kMaxDepth) + " levels");
        return false;
    }
    return true;
}

bool Parser::Expect(Tok kind, const char* what) {
    if (lex_.peek().kind == kind) {
        lex_.Next();
        return true;
    }
    Fail(lex_.peek().position, std::string("missing ") + what);
    return false;
}

int32_t Parser::Add(const Node& n) {
    program_->nodes.push_back(n);
    return int32_t(program_->nodes.size() - 1);
}

int32_t Parser::Binary(Op op, ValueType type, int32_t a, int32_t b) {
    Node n;
    n.op = op;
    n.type = type;
    n.a = a;
    n.b = b;
    return Add(n);
}

int32_t Parser::ParseOr() {
    int32_t left = ParseAnd();
    while (left >= 0 && lex_.peek().kind == Tok::kOr) {
        const Token op = lex_.Next();
        const int32_t right = ParseAnd();
        if (right < 0)
            return -1;
        if (at(left).type != ValueType::kLogical || at(right).type != ValueType::kLogical) {
            return Fail(op.position, ".OR. needs two logical values");
        }
        left = Binary(Op::kOr, ValueType::kLogical, left, right);
    }
    return left;
}

int32_t Parser::ParseAnd() {
    int32_t left = ParseNot();
    while (left >= 0 && lex_.peek().kind == Tok::kAnd) {
        const Token op = lex_.Next();
        const int32_t right = ParseNot();
        if (right < 0)
            return -1;
        if (at(left).type != ValueType::kLogical || at(right).type != ValueType::kLogical) {
            return Fail(op.position, ".AND. needs two logical values");
        }
        left = Binary(Op::kAnd, ValueType::kLogical, left, right);
    }
    return left;
}

int32_t Parser::ParseNot() {
    if (lex_.peek().kind != Tok::kNot)
        return ParseCompare();
    const Token op = lex_.Next();
    if (!Enter(op.position))
        return -1;
    DepthGuard guard(&depth_);
    const int32_t operand = ParseNot();
    if (operand < 0)
        return -1;
    if (at(operand).type != ValueType::kLogical) {
        return Fail(op.position, ".NOT. needs a logical value");
    }
    return Binary(Op::kNot, ValueType::kLogical, operand, -1);
}

int32_t Parser::ParseCompare() {
    const int32_t left = ParseAdd();
    if (left < 0)
        return -1;
    Cmp cmp;
    switch (lex_.peek().kind) {
        case Tok::kEq:
            cmp = Cmp::kEq;
            break;
        case Tok::kExactEq:
            cmp = Cmp::kExactEq;
            break;
        case Tok::kNe:
            cmp = Cmp::kNe;
            break;
        case Tok::kLt:
            cmp = Cmp::kLt;
            break;
        case Tok::kLe:
            cmp = Cmp::kLe;
            break;
        case Tok::kGt:
            cmp = Cmp::kGt;
            break;
        case Tok::kGe:
            cmp = Cmp::kGe;
            break;
        default:
            return left;
    }
    const Token op = lex_.Next();
    const int32_t right = ParseAdd();
    if (right < 0)
        return -1;
    const ValueType lt = at(left).type, rt = at(right).type;
    if (lt == ValueType::kLogical || rt == ValueType::kLogical) {
        return Fail(op.position, "cannot compare logical values with " + std::string(op.text));
    }
    if (lt != rt) {
        return Fail(op.position,
                    std::string("cannot compare ") + TypeName(lt) + " with " + TypeName(rt));
    }
    Node n;
    n.op = Op::kCompare;
    n.type = ValueType::kLogical;
    n.cmp = cmp;
    n.a = left;
    n.b = right;
    return Add(n);
}

int32_t Parser::ParseAdd() {
    int32_t left = ParseMul();
    while (left >= 0 && (lex_.peek().kind == Tok::kPlus || lex_.peek().kind == Tok::kMinus)) {
        const Token op = lex_.Next();
        const int32_t right = ParseMul();
        if (right < 0)
            return -1;
        const Node& l = at(left);
        const Node& r = at(right);
        if (op.kind == Tok::kPlus && l.type == ValueType::kCharacter &&
            r.type == ValueType::kCharacter) {
            const uint32_t width = l.width + r.width;
            if (width > kMaxCharWidth) {
                return Fail(op.position,
                            "text longer than " + std::to_string(kMaxCharWidth) + " bytes");
            }
            left = Binary(Op::kConcat, ValueType::kCharacter, left, right);
            program_->nodes.back().width = width;
        } else if (l.type == ValueType::kNumeric && r.type == ValueType::kNumeric) {
            left = Binary(op.kind == Tok::kPlus ? Op::kAdd : Op::kSub, ValueType::kNumeric, left,
                          right);
        } else if (op.kind == Tok::kPlus) {
            return Fail(op.position, "+ needs two texts or two numbers");
        } else {
            return Fail(op.position, "- needs two numbers");
        }
    }
    return left;
}

int32_t Parser::ParseMul() {
    int32_t left = ParseUnary();
    while (left >= 0 && (lex_.peek().kind == Tok::kStar || lex_.peek().kind == Tok::kSlash)) {
        const Token op = lex_.Next();
        const int32_t right = ParseUnary();
        if (right < 0)
            return -1;
        if (at(left).type != ValueType::kNumeric || at(right).type != ValueType::kNumeric) {
            return Fail(op.position, std::string(op.text) + " needs two numbers");
        }
        left =
            Binary(op.kind == Tok::kStar ? Op::kMul : Op::kDiv, ValueType::kNumeric, left, right);
    }
    return left;
}

int32_t Parser::ParseUnary() {
    const Tok kind = lex_.peek().kind;
    if (kind != Tok::kMinus && kind != Tok::kPlus)
        return ParsePrimary();
    const Token op = lex_.Next();
    if (!Enter(op.position))
        return -1;
    DepthGuard guard(&depth_);
    const int32_t operand = ParseUnary();
    if (operand < 0)
        return -1;
    if (at(operand).type != ValueType::kNumeric) {
        return Fail(op.position, std::string("sign ") + std::string(op.text) + " needs a number");
    }
    if (kind == Tok::kPlus)
        return operand;
    if (at(operand).op == Op::kNumConst) {
        program_->nodes[size_t(operand)].number = -at(operand).number;
        return operand;
    }
    return Binary(Op::kNeg, ValueType::kNumeric, operand, -1);
}

int32_t Parser::ParsePrimary() {
    const Token t = lex_.Next();
    Node n;
    switch (t.kind) {
        case Tok::kNumber: {
            double v = 0;
            const auto r = std::from_chars(t.text.data(), t.text.data() + t.text.size(), v);
            if (r.ec != std::errc() || r.ptr != t.text.data() + t.text.size()) {
                return Fail(t.position, "bad number " + std::string(t.text));
            }
            n.op = Op::kNumConst;
            n.type = ValueType::kNumeric;
            n.number = v;
            return Add(n);
        }
        case Tok::kString:
            n.op = Op::kCharConst;
            n.type = ValueType::kCharacter;
            n.offset = uint32_t(program_->pool.size());
            n.width = uint32_t(t.text.size());
            program_->pool.append(t.text);
            return Add(n);
        case Tok::kTrue:
        case Tok::kFalse:
            n.op = Op::kLogicalConst;
            n.type = ValueType::kLogical;
            n.number = t.kind == Tok::kTrue ? 1 : 0;
            return Add(n);
        case Tok::kLParen: {
            if (!Enter(t.position))
                return -1;
            DepthGuard guard(&depth_);
            const int32_t inner = ParseOr();
            if (inner < 0 || !Expect(Tok::kRParen, ")"))
                return -1;
            return inner;
        }
        case Tok::kIdent:
            if (lex_.peek().kind == Tok::kLParen)
                return ParseFunction(t);
            return ParseField(t);
        case Tok::kError:
            if (t.text.size() > 1)
                return Fail(t.position, std::string(t.text));
            return Fail(t.position, "unexpected character " + Describe(t));
        case Tok::kEnd:
            return Fail(t.position, "unexpected end of expression");
        default:
            return Fail(t.position, "unexpected " + Describe(t));
    }
}

}  // namespace xbase::expr
