// RecordField: one field of the records a whole-table pass reads straight from the file, found
// by name once; a table without the field is damaged.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/xbase/field_codec.h"
#include "platform/xbase/table.h"
#include "store/table_error.h"

class RecordField {
public:
    RecordField(const xbase::Table& table, const char* name) {
        const int index = table.schema().Find(name);
        if (index < 0) {
            throw TableError(
                xbase::Status::Corruption(table.path(), std::string("has no field ") + name));
        }
        index_ = index;
        def_ = &table.schema()[size_t(index)];
    }
    int index() const { return index_; }
    const xbase::FieldDef& def() const { return *def_; }
    std::string_view In(const uint8_t* record) const { return xbase::FieldBytes(record, *def_); }
    // Trimmed of blanks and control characters at both ends.
    std::string_view Trimmed(const uint8_t* record) const {
        std::string_view text = In(record);
        while (!text.empty() && uint8_t(text.front()) <= ' ')
            text.remove_prefix(1);
        while (!text.empty() && uint8_t(text.back()) <= ' ')
            text.remove_suffix(1);
        return text;
    }
    bool Filled(const uint8_t* record) const { return !Trimmed(record).empty(); }
    // The whole number the field begins with after blanks; 0 when none.
    int64_t Number(const uint8_t* record) const {
        const std::string_view text = Trimmed(record);
        int64_t value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        return value;
    }

private:
    int index_ = 0;
    const xbase::FieldDef* def_ = nullptr;
};
