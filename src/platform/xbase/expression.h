// Compiled xBase expressions for index keys and filters. An expression is compiled once against a
// table's fields and then evaluated per record, writing into caller-provided memory without
// allocating.
//
// Supported: field names; character and numeric constants ("..." or '...', 12.5); "+" joining
// character values; UPPER(c); STR(n [, length [, decimals]]) (length 10 by default); DTOS(d);
// a numeric or date field alone; c = "constant" (xBase comparison with EXACT off: true when c
// begins with the constant). Function and field names in any letter case.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/xbase/codepage.h"
#include "platform/xbase/field.h"
#include "platform/xbase/status.h"

namespace xbase {

enum class ValueType { kCharacter, kNumeric, kDate, kLogical };

class Expression {
public:
    virtual ~Expression() = default;

    // Compiles `text` against `schema`. Errors are InvalidArgument naming the expression, the
    // position and the problem ("unknown field NAAM", "missing )"). Bounded: expressions longer
    // than 1024 characters or nested deeper than 64 levels are refused.
    static Status Compile(std::string_view text, const Schema& schema, const CodePage& codePage,
                          std::unique_ptr<Expression>* out);

    virtual const std::string& text() const = 0;
    // Whether both build the same key or value, however spelt: blanks, letter case, quotes,
    // aliases, shortened function names and STR's default length and decimals do not count.
    // Both must be compiled against one table.
    bool SameAs(const Expression& other) const { return form() == other.form(); }
    virtual const std::string& form() const = 0;
    virtual ValueType type() const = 0;
    // Bytes of the index key: the width of a character result, 8 for numeric and date results,
    // 1 for logical results.
    virtual uint16_t keyLength() const = 0;
    // Writes the index key of `record` (a record buffer laid out by `schema`, deleted flag at
    // byte 0) into key[0, keyLength()). Character keys are the text itself; numeric and date keys
    // use EncodeNumericKey (dates as Julian days, blank dates as 0).
    virtual void EvaluateKey(const uint8_t* record, uint8_t* key) const = 0;
    // Truth value of a logical expression; false for other types.
    virtual bool EvaluateBool(const uint8_t* record) const = 0;
};

}  // namespace xbase
