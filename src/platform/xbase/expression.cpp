// Compiling expressions: the parser's checked tree is kept for numeric and logical values, and
// every character value the evaluator needs is lowered to a flat list of steps, each writing a
// fixed-width piece at a fixed place, so that evaluation is a loop of copies with no allocation.
#include "platform/xbase/expression.h"

#include <cstring>
#include <utility>
#include <vector>

#include "platform/xbase/expression_lexer.h"
#include "platform/xbase/expression_parser.h"
#include "platform/xbase/expression_program.h"
#include "platform/xbase/expression_values.h"
#include "platform/xbase/numeric_key.h"

namespace xbase {

namespace {

using expr::CharStep;
using expr::Cmp;
using expr::Node;
using expr::Op;
using expr::StepOp;

// Steps [begin, end) that produce one character value.
struct StepRange {
    uint32_t begin = 0;
    uint32_t end = 0;
};

class CompiledExpression final : public Expression {
public:
    CompiledExpression(std::string text, expr::Program program, const CodePage& codePage)
        : text_(std::move(text)),
          form_(expr::KeyForm(program)),
          nodes_(std::move(program.nodes)),
          pool_(std::move(program.pool)),
          root_(program.root),
          upper_(codePage.upperTable()),
          ranges_(nodes_.size()) {
        Lower(root_);
        const Node& r = nodes_[size_t(root_)];
        switch (r.type) {
            case ValueType::kCharacter:
                keyLength_ = uint16_t(r.width);
                break;
            case ValueType::kNumeric:
            case ValueType::kDate:
                keyLength_ = kNumericKeyLength;
                break;
            case ValueType::kLogical:
                keyLength_ = 1;
                break;
        }
    }

    const std::string& text() const override { return text_; }
    const std::string& form() const override { return form_; }
    ValueType type() const override { return nodes_[size_t(root_)].type; }
    uint16_t keyLength() const override { return keyLength_; }

    void EvaluateKey(const uint8_t* record, uint8_t* key) const override {
        switch (type()) {
            case ValueType::kCharacter:
                RunSteps(ranges_[size_t(root_)], record, key);
                break;
            case ValueType::kNumeric:
                EncodeNumericKey(Number(root_, record), key);
                break;
            case ValueType::kDate:
                EncodeNumericKey(double(Julian(root_, record)), key);
                break;
            case ValueType::kLogical:
                key[0] = Bool(root_, record) ? 'T' : 'F';
                break;
        }
    }

    bool EvaluateBool(const uint8_t* record) const override {
        return type() == ValueType::kLogical && Bool(root_, record);
    }

private:
    // Finds every node whose character value is needed whole (the root, comparison operands)
    // and gives it steps.
    void Lower(int32_t i) {
        if (i < 0)
            return;
        const Node& n = nodes_[size_t(i)];
        if (n.type == ValueType::kCharacter && (i == root_ || IsCompared(i))) {
            ranges_[size_t(i)].begin = uint32_t(steps_.size());
            Emit(i, 0, false);
            ranges_[size_t(i)].end = uint32_t(steps_.size());
        }
        // Character subtrees are flattened by Emit; only numbers inside STR need a look.
        if (n.op == Op::kStr || n.type != ValueType::kCharacter) {
            Lower(n.a);
            Lower(n.b);
        }
    }

    bool IsCompared(int32_t i) const {
        for (const Node& n : nodes_) {
            if (n.op == Op::kCompare && (n.a == i || n.b == i))
                return true;
        }
        return false;
    }

    // Appends steps writing node i's value at out[dst, dst + width), upper-cased if `upper`.
    void Emit(int32_t i, uint32_t dst, bool upper) {
        const Node& n = nodes_[size_t(i)];
        CharStep s;
        s.dst = dst;
        s.len = uint16_t(n.width);
        switch (n.op) {
            case Op::kCharField:
                s.op = upper ? StepOp::kCopyUpper : StepOp::kCopy;
                s.src = n.offset;
                break;
            case Op::kCharConst:
                s.op = StepOp::kConst;
                s.src = n.offset;
                if (upper) {  // upper-case the constant once, now
                    s.src = uint32_t(pool_.size());
                    for (uint32_t k = 0; k < n.width; ++k) {
                        pool_.push_back(char(upper_[uint8_t(pool_[n.offset + k])]));
                    }
                }
                break;
            case Op::kConcat:
                Emit(n.a, dst, upper);
                Emit(n.b, dst + nodes_[size_t(n.a)].width, upper);
                return;
            case Op::kUpper:
                Emit(n.a, dst, true);
                return;
            case Op::kStr:  // digits, blanks, '-', '.', '*': nothing to upper-case
                s.op = StepOp::kStr;
                s.node = n.a;
                s.decimals = n.decimals;
                break;
            case Op::kDtos:
                s.op = StepOp::kDtos;
                s.src = nodes_[size_t(n.a)].offset;
                break;
            default:
                return;  // the parser gives no other character nodes
        }
        if (s.len > 0)
            steps_.push_back(s);
    }

    void RunSteps(StepRange range, const uint8_t* record, uint8_t* out) const {
        for (uint32_t k = range.begin; k < range.end; ++k) {
            const CharStep& s = steps_[k];
            uint8_t* d = out + s.dst;
            switch (s.op) {
                case StepOp::kCopy:
                    std::memcpy(d, record + s.src, s.len);
                    break;
                case StepOp::kCopyUpper: {
                    const uint8_t* src = record + s.src;
                    for (uint32_t j = 0; j < s.len; ++j)
                        d[j] = upper_[src[j]];
                    break;
                }
                case StepOp::kConst:
                    std::memcpy(d, pool_.data() + s.src, s.len);
                    break;
                case StepOp::kStr:
                    expr::FormatStr(Number(s.node, record), s.len, s.decimals, d);
                    break;
                case StepOp::kDtos:
                    expr::DateFieldToText(record + s.src, d);
                    break;
            }
        }
    }

    double Number(int32_t i, const uint8_t* record) const {
        const Node& n = nodes_[size_t(i)];
        switch (n.op) {
            case Op::kNumField:
                if (n.fieldType == 'N' || n.fieldType == 'F') {
                    return expr::ParseNumberText(record + n.offset, n.width);
                }
                return expr::DecodeBinaryNumber(n.fieldType, record + n.offset);
            case Op::kNumConst:
                return n.number;
            case Op::kAdd:
                return Number(n.a, record) + Number(n.b, record);
            case Op::kSub:
                return Number(n.a, record) - Number(n.b, record);
            case Op::kMul:
                return Number(n.a, record) * Number(n.b, record);
            case Op::kDiv: {
                const double divisor = Number(n.b, record);
                return divisor == 0 ? 0 : Number(n.a, record) / divisor;
            }
            case Op::kNeg:
                return -Number(n.a, record);
            default:
                return 0;
        }
    }

    int64_t Julian(int32_t i, const uint8_t* record) const {
        return expr::DateFieldJulian(record + nodes_[size_t(i)].offset);
    }

    bool Bool(int32_t i, const uint8_t* record) const {
        const Node& n = nodes_[size_t(i)];
        switch (n.op) {
            case Op::kLogicalField: {
                const uint8_t c = record[n.offset];
                return c == 'T' || c == 't' || c == 'Y' || c == 'y';
            }
            case Op::kLogicalConst:
                return n.number != 0;
            case Op::kAnd:
                return Bool(n.a, record) && Bool(n.b, record);
            case Op::kOr:
                return Bool(n.a, record) || Bool(n.b, record);
            case Op::kNot:
                return !Bool(n.a, record);
            case Op::kDeleted:
                return record[0] == '*';
            case Op::kCompare:
                return Compare(n, record);
            default:
                return false;
        }
    }

    bool Compare(const Node& n, const uint8_t* record) const {
        const ValueType t = nodes_[size_t(n.a)].type;
        int order = 0;  // <0, 0, >0 as left is less, equal, greater
        if (t == ValueType::kCharacter) {
            return CompareText(n, record);
        } else if (t == ValueType::kNumeric) {
            const double l = Number(n.a, record), r = Number(n.b, record);
            if (!(l == l) || !(r == r))
                return n.cmp == Cmp::kNe;  // NaN equals nothing
            order = l < r ? -1 : (l > r ? 1 : 0);
        } else {
            const int64_t l = Julian(n.a, record), r = Julian(n.b, record);
            order = l < r ? -1 : (l > r ? 1 : 0);
        }
        return Holds(n.cmp, order);
    }

    // xBase text comparison with EXACT off: the left side is compared over the right side's
    // length, so "Beatles" = "Beat" holds and "Beat" = "Beatles" does not. == wants the same
    // length and bytes.
    bool CompareText(const Node& n, const uint8_t* record) const {
        uint8_t left[expr::kMaxCharWidth];
        uint8_t right[expr::kMaxCharWidth];
        const uint32_t lw = nodes_[size_t(n.a)].width, rw = nodes_[size_t(n.b)].width;
        RunSteps(ranges_[size_t(n.a)], record, left);
        RunSteps(ranges_[size_t(n.b)], record, right);
        const uint32_t common = lw < rw ? lw : rw;
        int order = common == 0 ? 0 : std::memcmp(left, right, common);
        if (order == 0 && lw != rw) {
            if (n.cmp == Cmp::kExactEq || lw < rw)
                order = lw < rw ? -1 : 1;
        }
        return Holds(n.cmp, order);
    }

    static bool Holds(Cmp cmp, int order) {
        switch (cmp) {
            case Cmp::kEq:
            case Cmp::kExactEq:
                return order == 0;
            case Cmp::kNe:
                return order != 0;
            case Cmp::kLt:
                return order < 0;
            case Cmp::kLe:
                return order <= 0;
            case Cmp::kGt:
                return order > 0;
            case Cmp::kGe:
                return order >= 0;
        }
        return false;
    }

    std::string text_;
    std::string form_;
    std::vector<Node> nodes_;
    std::string pool_;
    int32_t root_;
    const uint8_t* upper_;
    std::vector<StepRange> ranges_;  // per node; set for the root and compared texts
    std::vector<CharStep> steps_;
    uint16_t keyLength_ = 0;
};

// The expression as quoted in messages, shortened when long.
std::string Quote(std::string_view text) {
    constexpr size_t kShown = 60;
    if (text.size() <= kShown)
        return "expression \"" + std::string(text) + "\"";
    return "expression \"" + std::string(text.substr(0, kShown)) + "...\"";
}

}  // namespace

Status Expression::Compile(std::string_view text, const Schema& schema, const CodePage& codePage,
                           std::unique_ptr<Expression>* out) {
    out->reset();
    if (text.size() > expr::kMaxTextLength) {
        return Status::InvalidArgument(
            "",
            Quote(text) + ": longer than " + std::to_string(expr::kMaxTextLength) + " characters");
    }
    expr::Program program;
    expr::Parser parser(text, schema);
    const std::string problem = parser.Parse(&program);
    if (!problem.empty())
        return Status::InvalidArgument("", Quote(text) + ": " + problem);
    *out = std::make_unique<CompiledExpression>(std::string(text), std::move(program), codePage);
    return Status::OK();
}

}  // namespace xbase
