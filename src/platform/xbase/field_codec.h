// Reading and writing one field's value in a record buffer, by the field's DBF type.
// Character values are bytes in the table's code page.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/xbase/field.h"
#include "platform/xbase/status.h"

namespace xbase {

struct Date {
    int year = 0, month = 0, day = 0;  // all 0: blank date
    bool blank() const { return year == 0; }
};

// The field's raw bytes.
inline std::string_view FieldBytes(const uint8_t* record, const FieldDef& f) {
    return {reinterpret_cast<const char*>(record + f.offset), f.length};
}

// Text of any field: C as stored (blank-padded to its width); N/F as stored; D as "YYYYMMDD" or
// blanks; L as "T"/"F"/"?"; I, B, Y, T in their xBase text forms. Memo fields give their raw
// pointer text; read memo texts through the table.
std::string GetText(const uint8_t* record, const FieldDef& f);
// Numeric value of N, F, I, B, Y fields (0 for blanks or garbage); for L 1/0; other types 0.
double GetNumber(const uint8_t* record, const FieldDef& f);
Date GetDate(const uint8_t* record, const FieldDef& f);
bool GetLogical(const uint8_t* record, const FieldDef& f);
// Memo block of an M field (10 ASCII digits, or a 4-byte integer in Visual FoxPro); 0 = none.
uint32_t GetMemoBlock(const uint8_t* record, const FieldDef& f);

// Setters. Each checks the value against the field and leaves the record unchanged on error:
// a character value longer than the width (trailing blanks aside) or a number that does not fit
// gives InvalidArgument naming the field.
Status SetText(uint8_t* record, const FieldDef& f, std::string_view value);  // C, and N/D/L parsed
Status SetNumber(uint8_t* record, const FieldDef& f, double value);
Status SetDate(uint8_t* record, const FieldDef& f, Date value);
Status SetLogical(uint8_t* record, const FieldDef& f, bool value);
void SetMemoBlock(uint8_t* record, const FieldDef& f, uint32_t block);
// A blank value: spaces for text fields, zero bytes for binary ones.
void SetBlank(uint8_t* record, const FieldDef& f);

bool IsValidDate(Date d);

}  // namespace xbase
