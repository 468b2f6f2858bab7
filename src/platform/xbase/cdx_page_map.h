// The node cache's table from file offset to cached page: open addressing with linear probing
// over a power-of-two array, and page objects recycled instead of freed. Looked up on every step
// down every tree, so one probe should usually be one cache line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/xbase/cdx_layout.h"

namespace xbase {

struct CdxPage {
    uint8_t bytes[cdx::kNodeSize];
    bool dirty = false;
    bool referenced = false;  // used since the clock hand last passed
};

class CdxPageMap {
public:
    // Room for `capacity` pages without growing; it grows when more are added.
    explicit CdxPageMap(size_t capacity);

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    CdxPage* Find(uint32_t offset) const;
    // Adds a page for `offset` (which must be absent) with its flags cleared.
    CdxPage* Emplace(uint32_t offset);
    void Erase(uint32_t offset);
    void Clear();

private:
    struct Slot {
        uint32_t offset = 0;  // 0: empty (no node lives at offset 0, the header does)
        CdxPage* page = nullptr;
    };
    size_t Home(uint32_t offset) const {
        return size_t((uint64_t(offset >> 9) * 0x9E3779B97F4A7C15ull) >> 32) & mask_;
    }
    void Grow();

    std::vector<Slot> slots_;
    size_t mask_ = 0;
    size_t size_ = 0;
    std::vector<std::unique_ptr<CdxPage>> owned_;  // every page ever made
    std::vector<CdxPage*> spare_;                  // pages not in use
};

}  // namespace xbase
