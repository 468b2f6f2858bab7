#include "platform/xbase/key_sorter.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace xbase {

void SortedKeys::Reset(uint16_t keyLength, uint32_t count) {
    keyLength_ = keyLength;
    keys_.assign(size_t(count) * keyLength, 0);
    order_.clear();
    order_.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        order_[i].recno = i + 1;
}

void SortedKeys::Sort() {
    for (Entry& e : order_) {
        const uint8_t* k = KeyOf(e.recno);
        uint64_t p = 0;
        for (size_t i = 0; i < 8; ++i)
            p = (p << 8) | (i < keyLength_ ? k[i] : 0);
        e.prefix = p;
    }
    const size_t rest = keyLength_ > 8 ? keyLength_ - 8 : 0;
    std::sort(order_.begin(), order_.end(), [&](const Entry& a, const Entry& b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        if (rest != 0) {
            int c = std::memcmp(KeyOf(a.recno) + 8, KeyOf(b.recno) + 8, rest);
            if (c != 0)
                return c < 0;
        }
        return a.recno < b.recno;
    });
}

EntrySource SortedKeys::Source() const {
    auto next = std::make_shared<size_t>(0);
    return [this, next](const uint8_t** key, uint32_t* recno) {
        if (*next >= order_.size())
            return false;
        *key = keyAt(*next);
        *recno = recnoAt(*next);
        ++*next;
        return true;
    };
}

}  // namespace xbase
