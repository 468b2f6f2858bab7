#include "platform/xbase/field.h"

#include <algorithm>

namespace xbase {

Schema::Schema(std::vector<FieldDef> fields) : fields_(std::move(fields)) {
    recordLength_ = 1;
    for (const FieldDef& f : fields_)
        recordLength_ = std::max(recordLength_, f.offset + f.length);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k) {
        char x = a[k], y = b[k];
        if (x >= 'a' && x <= 'z')
            x = char(x - 32);
        if (y >= 'a' && y <= 'z')
            y = char(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

int Schema::Find(std::string_view name) const {
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (EqualsNoCase(fields_[i].name, name))
            return int(i);
    }
    return -1;
}

}  // namespace xbase
