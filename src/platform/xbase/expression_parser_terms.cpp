// The parser's leaves and calls: field references (with their type and length checks) and the
// functions UPPER(), STR(), DTOS() and DELETED().
#include "platform/xbase/expression_parser.h"

namespace xbase::expr {

namespace {

std::string UpperName(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    }
    return out;
}

// xBase accepts a function name cut down to its first four letters ("UPPE", "DELE").
bool NameIs(const std::string& upper, std::string_view full) {
    if (upper == full)
        return true;
    return upper.size() >= 4 && upper.size() < full.size() && full.substr(0, upper.size()) == upper;
}

}  // namespace

int32_t Parser::ParseField(const Token& first) {
    Token name = first;
    if (lex_.peek().kind == Tok::kArrow) {  // ALIAS->FIELD: the alias is this table
        lex_.Next();
        name = lex_.Next();
        if (name.kind != Tok::kIdent)
            return Fail(name.position, "missing field name after ->");
    }
    const int index = schema_.Find(name.text);
    if (index < 0)
        return Fail(name.position, "unknown field " + UpperName(name.text));
    const FieldDef& f = schema_[size_t(index)];
    Node n;
    n.offset = f.offset;
    n.width = f.length;
    n.fieldType = f.type;
    int needLength = 0;
    switch (f.type) {
        case 'C':
            n.op = Op::kCharField;
            n.type = ValueType::kCharacter;
            break;
        case 'N':
        case 'F':
            n.op = Op::kNumField;
            n.type = ValueType::kNumeric;
            break;
        case 'I':
            n.op = Op::kNumField;
            n.type = ValueType::kNumeric;
            needLength = 4;
            break;
        case 'B':
        case 'Y':
            n.op = Op::kNumField;
            n.type = ValueType::kNumeric;
            needLength = 8;
            break;
        case 'D':
            n.op = Op::kDateField;
            n.type = ValueType::kDate;
            needLength = 8;
            break;
        case 'L':
            n.op = Op::kLogicalField;
            n.type = ValueType::kLogical;
            if (f.length == 0)
                needLength = 1;
            break;
        default:
            return Fail(name.position, "field " + f.name + " of type " + std::string(1, f.type) +
                                           " cannot be used in an expression");
    }
    if (needLength != 0 && f.length != needLength) {
        return Fail(name.position, "field " + f.name + " of type " + std::string(1, f.type) +
                                       " has length " + std::to_string(f.length) + ", not " +
                                       std::to_string(needLength));
    }
    return Add(n);
}

int32_t Parser::ParseFunction(const Token& name) {
    const std::string fn = UpperName(name.text);
    lex_.Next();  // (
    if (!Enter(name.position))
        return -1;
    DepthGuard guard(&depth_);
    if (NameIs(fn, "STR"))
        return ParseStr(name);
    if (NameIs(fn, "DELETED")) {
        if (!Expect(Tok::kRParen, ")"))
            return -1;
        return Binary(Op::kDeleted, ValueType::kLogical, -1, -1);
    }
    const bool upper = NameIs(fn, "UPPER");
    if (!upper && !NameIs(fn, "DTOS"))
        return Fail(name.position, "unknown function " + fn);
    const int32_t arg = ParseOr();
    if (arg < 0 || !Expect(Tok::kRParen, ")"))
        return -1;
    if (upper) {
        if (at(arg).type != ValueType::kCharacter)
            return Fail(name.position, "UPPER needs text");
        const uint32_t width = at(arg).width;
        const int32_t n = Binary(Op::kUpper, ValueType::kCharacter, arg, -1);
        program_->nodes.back().width = width;
        return n;
    }
    if (at(arg).type != ValueType::kDate)
        return Fail(name.position, "DTOS needs a date");
    const int32_t n = Binary(Op::kDtos, ValueType::kCharacter, arg, -1);
    program_->nodes.back().width = 8;
    return n;
}

int32_t Parser::ParseStr(const Token& name) {
    const int32_t arg = ParseOr();
    if (arg < 0)
        return -1;
    if (at(arg).type != ValueType::kNumeric)
        return Fail(name.position, "STR needs a number");
    int length = 10, decimals = 0;
    if (lex_.peek().kind == Tok::kComma) {
        if (!ParseStrConstant("length", 1, kMaxStrLength, &length))
            return -1;
        if (lex_.peek().kind == Tok::kComma &&
            !ParseStrConstant("decimals", 0, kMaxStrDecimals, &decimals)) {
            return -1;
        }
    }
    if (!Expect(Tok::kRParen, ")"))
        return -1;
    const int32_t n = Binary(Op::kStr, ValueType::kCharacter, arg, -1);
    program_->nodes.back().width = uint32_t(length);
    program_->nodes.back().decimals = uint8_t(decimals);
    return n;
}

bool Parser::ParseStrConstant(const char* what, int lo, int hi, int* value) {
    lex_.Next();  // ,
    const Token t = lex_.peek();
    const int32_t arg = ParseOr();
    if (arg < 0)
        return false;
    const Node& n = at(arg);
    // Range first: converting a huge or NaN double to int is undefined.
    if (n.op != Op::kNumConst || !(n.number >= lo && n.number <= hi) ||
        n.number != double(int(n.number))) {
        Fail(t.position, std::string("STR ") + what + " must be a whole number from " +
                             std::to_string(lo) + " to " + std::to_string(hi));
        return false;
    }
    *value = int(n.number);
    return true;
}

}  // namespace xbase::expr
