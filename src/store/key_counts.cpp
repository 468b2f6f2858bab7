#include "store/key_counts.h"

#include <functional>

namespace {

constexpr size_t kLongestCountedKey = 0xFFFF;
constexpr size_t kFirstSlots = 1024;

}  // namespace

std::string_view KeyCounts::KeyAt(uint32_t at) const {
    const size_t length = uint8_t(keys_[at]) | size_t(uint8_t(keys_[at + 1])) << 8;
    return std::string_view(keys_).substr(at + 2, length);
}

uint32_t KeyCounts::Add(std::string_view key) {
    key = key.substr(0, kLongestCountedKey);
    if ((used_ + 1) * 2 > slots_.size())
        Grow(slots_.empty() ? kFirstSlots : slots_.size() * 2);
    const uint64_t hash = std::hash<std::string_view>{}(key);
    const size_t mask = slots_.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.count == 0) {
            slot = {hash, uint32_t(keys_.size()), 1};
            keys_ += char(key.size() & 0xFF);
            keys_ += char(key.size() >> 8);
            keys_ += key;
            ++used_;
            return 1;
        }
        if (slot.hash == hash && KeyAt(slot.at) == key)
            return ++slot.count;
    }
}

void KeyCounts::Reserve(size_t keys, size_t bytes) {
    size_t slots = kFirstSlots;
    while (slots < keys * 2)
        slots *= 2;
    if (slots > slots_.size())
        Grow(slots);
    keys_.reserve(keys * (bytes + 2));
}

void KeyCounts::Grow(size_t slots) {
    std::vector<Slot> old(slots);
    old.swap(slots_);
    const size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.count == 0)
            continue;
        size_t i = slot.hash & mask;
        while (slots_[i].count != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}
