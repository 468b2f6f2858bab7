// The keys of a whole table under one expression, sorted as a tag keeps them (by key bytes, equal
// keys by record number), for building a tag in one pass.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/xbase/cdx_file.h"

namespace xbase {

class SortedKeys {
public:
    // Starts a list for `count` records whose keys are `keyLength` bytes.
    void Reset(uint16_t keyLength, uint32_t count);
    // The buffer for record `recno`'s key (1-based); fill it before calling Sort.
    uint8_t* KeyOf(uint32_t recno) { return keys_.data() + size_t(recno - 1) * keyLength_; }
    void Sort();
    size_t size() const { return order_.size(); }
    // Entries in order; valid while this object lives.
    EntrySource Source() const;
    uint32_t recnoAt(size_t i) const { return order_[i].recno; }
    const uint8_t* keyAt(size_t i) const {
        return keys_.data() + size_t(order_[i].recno - 1) * keyLength_;
    }

private:
    struct Entry {
        uint64_t prefix;  // the key's first 8 bytes, big-endian: settles most comparisons
        uint32_t recno;
    };
    uint16_t keyLength_ = 0;
    std::vector<uint8_t> keys_;
    std::vector<Entry> order_;
};

}  // namespace xbase
