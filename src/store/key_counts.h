// KeyCounts: how often each key (a byte string) was met. One flat table and one block of key
// bytes, so that a whole-catalogue scan counts a million keys without a heap node per key.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class KeyCounts {
public:
    // Counts `key` once more; returns how often it has been met, this time included. Keys longer
    // than 65,535 bytes count by their first 65,535.
    uint32_t Add(std::string_view key);
    // Makes room for `keys` different keys of about `bytes` bytes each, so that counting them
    // does not move the table.
    void Reserve(size_t keys, size_t bytes);
    // How many different keys were met.
    size_t size() const { return used_; }

private:
    struct Slot {
        uint64_t hash = 0;
        uint32_t at = 0;     // where the key's length (2 bytes) and bytes start in keys_
        uint32_t count = 0;  // 0: a free slot
    };
    std::string_view KeyAt(uint32_t at) const;
    void Grow(size_t slots);

    std::vector<Slot> slots_;
    std::string keys_;
    size_t used_ = 0;
};
