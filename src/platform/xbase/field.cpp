#include "platform/xbase/field.h"

#include <algorithm>

namespace xbase {

Schema::Schema(std::vector<FieldDef> fields) : fields_(std::move(fields)) {
    recordLength_ = 1;
    for (const FieldDef& f : fields_) recordLength_ = std::max(recordLength_, f.offset + f.length);
}

int Schema::Find(std::string_view name) const {
    for (size_t i = 0; i < fields_.size(); ++i) {
        const std::string& n = fields_[i].name;
        if (n.size() != name.size()) continue;
        bool same = true;
        for (size_t k = 0; k < n.size() && same; ++k) {
            char a = n[k], b = name[k];
            if (a >= 'a' && a <= 'z') a = char(a - 32);
            if (b >= 'a' && b <= 'z') b = char(b - 32);
            same = a == b;
        }
        if (same) return int(i);
    }
    return -1;
}

}  // namespace xbase
