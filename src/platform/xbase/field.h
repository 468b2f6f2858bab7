// The description of one table field, and of a whole record layout, as the DBF header gives it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/file_names.h"

namespace xbase {

using tunelo::EqualsNoCase;

struct FieldDef {
    std::string name;     // upper case, at most 10 characters
    char type = 'C';      // C N F D L M, and on read also I B Y T G P Q V W 0
    uint32_t offset = 0;  // byte offset in the record buffer; the deleted flag is byte 0
    uint8_t length = 0;
    uint8_t decimals = 0;
    uint8_t flags = 0;  // Visual FoxPro field flags (system, nullable, binary)
};

// Fields in declaration order, with a case-insensitive lookup by name.
class Schema {
public:
    Schema() = default;
    explicit Schema(std::vector<FieldDef> fields);

    const std::vector<FieldDef>& fields() const { return fields_; }
    size_t size() const { return fields_.size(); }
    const FieldDef& operator[](size_t i) const { return fields_[i]; }
    // Index of the field named `name` (any letter case), or -1.
    int Find(std::string_view name) const;
    // Bytes per record including the deleted flag.
    uint32_t recordLength() const { return recordLength_; }

private:
    std::vector<FieldDef> fields_;
    uint32_t recordLength_ = 1;
};

}  // namespace xbase
