// The meaning of a compiled expression written one way, whatever spelling it was compiled from:
// STR(TRACK) and str( Track, 10, 0 ) give the same form, so an index written by another program
// is recognised as holding the key we would build.
#include <cstdio>

#include "platform/xbase/expression_program.h"

namespace xbase::expr {

namespace {

class FormWriter {
public:
    explicit FormWriter(const Program& p) : p_(p) {}

    void Write(int32_t i) {
        const Node& n = p_.nodes[size_t(i)];
        switch (n.op) {
            case Op::kCharField:
            case Op::kNumField:
            case Op::kDateField:
            case Op::kLogicalField:
                // A field is its place in the record: an alias or the letter case of its name
                // does not change it.
                out_ += "F" + std::to_string(n.offset) + ":" + std::to_string(n.width);
                return;
            case Op::kCharConst:
                // Length first, so that the quotes it was written with do not matter.
                out_ += "C" + std::to_string(n.width) + ":";
                out_.append(p_.pool, n.offset, n.width);
                return;
            case Op::kNumConst:
            case Op::kLogicalConst: {
                char buf[32];
                std::snprintf(buf, sizeof buf, "N%.17g", n.number);
                out_ += buf;
                return;
            }
            case Op::kConcat:
                // (a+b)+c and a+(b+c) build one key.
                out_ += "CAT(";
                Pieces(i, true);
                out_ += ")";
                return;
            case Op::kStr:
                Call("STR", n);
                out_.insert(out_.size() - 1,
                            "," + std::to_string(n.width) + "," + std::to_string(int(n.decimals)));
                return;
            case Op::kCompare:
                out_ += "CMP" + std::to_string(int(n.cmp));
                Call("", n);
                return;
            case Op::kUpper:
                return Call("UPPER", n);
            case Op::kDtos:
                return Call("DTOS", n);
            case Op::kAdd:
                return Call("ADD", n);
            case Op::kSub:
                return Call("SUB", n);
            case Op::kMul:
                return Call("MUL", n);
            case Op::kDiv:
                return Call("DIV", n);
            case Op::kNeg:
                return Call("NEG", n);
            case Op::kAnd:
                return Call("AND", n);
            case Op::kOr:
                return Call("OR", n);
            case Op::kNot:
                return Call("NOT", n);
            case Op::kDeleted:
                return Call("DELETED", n);
        }
    }

    std::string Take() { return std::move(out_); }

private:
    void Call(const char* name, const Node& n) {
        out_ += name;
        out_ += "(";
        if (n.a >= 0)
            Write(n.a);
        if (n.b >= 0) {
            out_ += ",";
            Write(n.b);
        }
        out_ += ")";
    }

    // The operands of a chain of joins, in order, separated by commas.
    void Pieces(int32_t i, bool first) {
        const Node& n = p_.nodes[size_t(i)];
        if (n.op != Op::kConcat) {
            if (!first)
                out_ += ",";
            Write(i);
            return;
        }
        Pieces(n.a, first);
        Pieces(n.b, false);
    }

    const Program& p_;
    std::string out_;
};

}  // namespace

std::string KeyForm(const Program& program) {
    FormWriter w(program);
    w.Write(program.root);
    return w.Take();
}

}  // namespace xbase::expr
