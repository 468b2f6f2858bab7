// The compiled form of an xBase expression: a tree of typed nodes (the parser's output) and,
// for character values, a flat list of steps that write fixed-width pieces at fixed places.
// Internal to the expression compiler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xbase/expression.h"

namespace xbase::expr {

constexpr size_t kMaxTextLength = 1024;
constexpr int kMaxDepth = 64;
// Widest character value; keeps comparison buffers on the stack.
constexpr uint32_t kMaxCharWidth = 4096;
constexpr int kMaxStrLength = 255;
constexpr int kMaxStrDecimals = 18;

enum class Op : uint8_t {
    // Character results.
    kCharField,  // C field: offset, width
    kCharConst,  // pool[offset, offset + width)
    kConcat,     // a + b
    kUpper,      // UPPER(a)
    kStr,        // STR(a, width, decimals)
    kDtos,       // DTOS(a), a a date field
    // Numeric results.
    kNumField,  // N F I B Y field: offset, width, fieldType
    kNumConst,  // number
    kAdd,
    kSub,
    kMul,
    kDiv,
    kNeg,
    // Date results.
    kDateField,  // D field: offset
    // Logical results.
    kLogicalField,
    kLogicalConst,  // number != 0
    kCompare,       // a cmp b, both of one type
    kAnd,
    kOr,
    kNot,
    kDeleted,  // DELETED(): the record's deleted flag
};

enum class Cmp : uint8_t { kEq, kExactEq, kNe, kLt, kLe, kGt, kGe };

struct Node {
    Op op = Op::kNumConst;
    ValueType type = ValueType::kNumeric;
    Cmp cmp = Cmp::kEq;
    char fieldType = 0;
    int32_t a = -1;  // operand nodes
    int32_t b = -1;
    uint32_t offset = 0;  // field offset in the record, or constant offset in the pool
    uint32_t width = 0;   // character result width; field length for fields
    uint8_t decimals = 0;
    double number = 0;
};

enum class StepOp : uint8_t { kCopy, kCopyUpper, kConst, kStr, kDtos };

// Writes out[dst, dst + len) of a character value.
struct CharStep {
    StepOp op = StepOp::kCopy;
    uint8_t decimals = 0;  // kStr
    uint16_t len = 0;
    uint32_t dst = 0;
    uint32_t src = 0;   // record offset (kCopy, kCopyUpper, kDtos) or pool offset (kConst)
    int32_t node = -1;  // kStr: the numeric operand
};

// The parser's result: nodes, with operands before the nodes that use them, and the constant
// texts they refer to.
struct Program {
    std::vector<Node> nodes;
    std::string pool;
    int32_t root = -1;
};

// The program's meaning in one spelling: equal for texts that build the same key.
std::string KeyForm(const Program& program);

}  // namespace xbase::expr
