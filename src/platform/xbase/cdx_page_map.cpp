#include "platform/xbase/cdx_page_map.h"

namespace xbase {

CdxPageMap::CdxPageMap(size_t capacity) {
    size_t n = 16;
    while (n < capacity * 2)
        n *= 2;
    slots_.resize(n);
    mask_ = n - 1;
}

CdxPage* CdxPageMap::Find(uint32_t offset) const {
    for (size_t i = Home(offset);; i = (i + 1) & mask_) {
        const Slot& s = slots_[i];
        if (s.offset == offset)
            return s.page;
        if (s.offset == 0)
            return nullptr;
    }
}

CdxPage* CdxPageMap::Emplace(uint32_t offset) {
    if ((size_ + 1) * 2 > slots_.size())
        Grow();
    CdxPage* page;
    if (spare_.empty()) {
        owned_.push_back(std::make_unique<CdxPage>());
        page = owned_.back().get();
    } else {
        page = spare_.back();
        spare_.pop_back();
    }
    page->dirty = false;
    page->referenced = false;
    size_t i = Home(offset);
    while (slots_[i].offset != 0)
        i = (i + 1) & mask_;
    slots_[i] = {offset, page};
    ++size_;
    return page;
}

void CdxPageMap::Erase(uint32_t offset) {
    size_t i = Home(offset);
    while (slots_[i].offset != offset) {
        if (slots_[i].offset == 0)
            return;
        i = (i + 1) & mask_;
    }
    spare_.push_back(slots_[i].page);
    --size_;
    // Backward-shift deletion: later entries of the probe run move into the hole when their home
    // lies outside (hole, j], so that no lookup stops early at it.
    size_t hole = i;
    slots_[hole] = Slot{};
    for (size_t j = (hole + 1) & mask_; slots_[j].offset != 0; j = (j + 1) & mask_) {
        const size_t home = Home(slots_[j].offset);
        const bool stays = hole <= j ? (hole < home && home <= j) : (hole < home || home <= j);
        if (!stays) {
            slots_[hole] = slots_[j];
            slots_[j] = Slot{};
            hole = j;
        }
    }
}

void CdxPageMap::Clear() {
    for (Slot& s : slots_) {
        if (s.offset != 0)
            spare_.push_back(s.page);
        s = Slot{};
    }
    size_ = 0;
}

void CdxPageMap::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.size() * 2, Slot{});
    mask_ = slots_.size() - 1;
    for (const Slot& s : old) {
        if (s.offset == 0)
            continue;
        size_t i = Home(s.offset);
        while (slots_[i].offset != 0)
            i = (i + 1) & mask_;
        slots_[i] = s;
    }
}

}  // namespace xbase
