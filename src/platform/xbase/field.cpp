#include "platform/xbase/field.h"

#include <algorithm>

namespace xbase {

Schema::Schema(std::vector<FieldDef> fields) : fields_(std::move(fields)) {
    recordLength_ = 1;
    for (const FieldDef& f : fields_)
        recordLength_ = std::max(recordLength_, f.offset + f.length);
}

int Schema::Find(std::string_view name) const {
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (EqualsNoCase(fields_[i].name, name))
            return int(i);
    }
    return -1;
}

}  // namespace xbase
