#include "platform/xbase/cdx_node_store.h"

#include <algorithm>
#include <cstring>

#include "platform/xbase/bytes.h"

namespace xbase {

using cdx::kNodeSize;

CdxNodeStore::CdxNodeStore(File* file, uint64_t fileEnd, uint32_t freeHead, size_t cacheBytes)
    : file_(file),
      fileEnd_(fileEnd),
      freeHead_(freeHead),
      writtenFreeHead_(freeHead),
      diskEnd_(fileEnd),
      maxPages_(std::max<size_t>(cacheBytes / sizeof(Page), 64)),
      pages_(64) {}  // grows with use: opening a file stays cheap

CdxNodeStore::Page* CdxNodeStore::Lookup(uint32_t offset) {
    Page* p = pages_.Find(offset);
    if (p != nullptr)
        p->referenced = true;
    return p;
}

CdxNodeStore::Page* CdxNodeStore::Insert(uint32_t offset) {
    if (Page* p = Lookup(offset))
        return p;
    if (pages_.size() >= maxPages_)
        EvictClean();
    clock_.push_back(offset);
    return pages_.Emplace(offset);
}

void CdxNodeStore::EvictClean() {
    // Dirty pages stay until Flush; an operation changes few pages, so the cache may exceed its
    // bound only by those.
    const size_t target = maxPages_ - maxPages_ / 8;
    for (size_t visits = 2 * clock_.size(); pages_.size() > target && visits > 0 && !clock_.empty();
         --visits) {
        const uint32_t offset = clock_.front();
        clock_.pop_front();
        Page* p = pages_.Find(offset);
        if (p == nullptr)
            continue;
        if (p->dirty || p->referenced) {
            p->referenced = false;
            clock_.push_back(offset);
            continue;
        }
        pages_.Erase(offset);
    }
}

Status CdxNodeStore::Read(uint32_t offset, uint8_t page[kNodeSize]) {
    const uint8_t* cached = nullptr;
    XB_RETURN_IF_ERROR(View(offset, &cached));
    std::memcpy(page, cached, kNodeSize);
    return Status::OK();
}

Status CdxNodeStore::View(uint32_t offset, const uint8_t** page) {
    if (Page* p = Lookup(offset)) {
        *page = p->bytes;
        return Status::OK();
    }
    if (!cdx::ValidNodeOffset(offset, fileEnd_)) {
        return Status::Corruption(
            path(), "node pointer " + std::to_string(offset) + " is not a node of the file");
    }
    Page* p = Insert(offset);
    Status s = file_->ReadAt(offset, p->bytes, kNodeSize);
    if (!s.ok()) {
        pages_.Erase(offset);
        return s;
    }
    *page = p->bytes;
    return Status::OK();
}

void CdxNodeStore::Write(uint32_t offset, const uint8_t page[kNodeSize]) {
    Page* p = Insert(offset);
    std::memcpy(p->bytes, page, kNodeSize);
    if (!p->dirty) {
        p->dirty = true;
        dirty_.push_back(offset);
    }
}

Status CdxNodeStore::FreeLink(uint32_t offset, cdx::FreePageKind* kind, uint32_t* next) {
    *kind = cdx::FreePageKind::kNotFree;
    *next = 0;
    if (!cdx::ValidNodeOffset(offset, fileEnd_) ||
        (pages_.Find(offset) == nullptr && offset + uint64_t(kNodeSize) > diskEnd_)) {
        return Status::OK();
    }
    uint8_t page[kNodeSize];
    XB_RETURN_IF_ERROR(Read(offset, page));
    *kind = cdx::ParseFreePage(page, next);
    return Status::OK();
}

Status CdxNodeStore::Allocate(uint32_t* offset) {
    if (freeHead_ != 0) {
        cdx::FreePageKind kind;
        uint32_t next = 0;
        XB_RETURN_IF_ERROR(FreeLink(freeHead_, &kind, &next));
        if (kind != cdx::FreePageKind::kNotFree && handedOut_.insert(freeHead_).second) {
            // A page of zeros is free whatever its link says; a link we cannot follow (outside
            // the file, back into the list) ends the list.
            *offset = freeHead_;
            const bool follow =
                next != 0 && cdx::ValidNodeOffset(next, fileEnd_) && handedOut_.count(next) == 0;
            freeHead_ = follow ? next : 0;
            if (freeHead_ == 0)
                handedOut_.clear();
            return Status::OK();
        }
        // Another writer's list we cannot follow: the file grows instead, and the list goes.
        freeHead_ = 0;
        handedOut_.clear();
    }
    *offset = Extend(1);
    return Status::OK();
}

void CdxNodeStore::Free(uint32_t offset) {
    uint8_t page[kNodeSize];
    cdx::EncodeFreePage(freeHead_, page);
    Write(offset, page);
    handedOut_.erase(offset);
    freeHead_ = offset;
}

Status CdxNodeStore::ConvertEarlierFreePages() {
    uint32_t at = freeHead_, prev = 0;
    std::unordered_set<uint32_t> seen;
    while (at != 0) {
        cdx::FreePageKind kind;
        uint32_t next = 0;
        XB_RETURN_IF_ERROR(FreeLink(at, &kind, &next));
        if (kind == cdx::FreePageKind::kCurrent && prev == 0)
            return Status::OK();  // we wrote this list ourselves, or another engine did
        if (kind == cdx::FreePageKind::kNotFree) {
            // The list ends at the last page that is free.
            uint8_t page[kNodeSize];
            cdx::EncodeFreePage(0, page);
            if (prev == 0)
                freeHead_ = 0;
            else
                Write(prev, page);
            break;
        }
        seen.insert(at);
        const uint32_t link = next;
        if (next != 0 && (!cdx::ValidNodeOffset(next, fileEnd_) || seen.count(next) != 0))
            next = 0;
        if (kind == cdx::FreePageKind::kEarlier || next != link) {
            uint8_t page[kNodeSize];
            cdx::EncodeFreePage(next, page);
            Write(at, page);
        }
        prev = at;
        at = next;
    }
    return Flush();
}

uint32_t CdxNodeStore::Extend(uint32_t pages) {
    // A file written by other software may not end on a node boundary.
    fileEnd_ = (fileEnd_ + kNodeSize - 1) / kNodeSize * kNodeSize;
    uint32_t at = uint32_t(fileEnd_);
    fileEnd_ += uint64_t(pages) * kNodeSize;
    return at;
}

Status CdxNodeStore::WriteThrough(uint32_t offset, const uint8_t* data, size_t pages) {
    for (size_t i = 0; i < pages && !pages_.empty(); ++i) {
        const uint32_t at = uint32_t(offset + i * kNodeSize);
        Page* p = pages_.Find(at);
        if (p == nullptr)
            continue;
        if (p->dirty) {
            dirty_.erase(std::find(dirty_.begin(), dirty_.end(), at));
        }
        pages_.Erase(at);
    }
    XB_RETURN_IF_ERROR(file_->WriteAt(offset, data, pages * kNodeSize));
    diskEnd_ = std::max<uint64_t>(diskEnd_, offset + pages * kNodeSize);
    return Status::OK();
}

Status CdxNodeStore::Flush() {
    std::sort(dirty_.begin(), dirty_.end());
    std::vector<uint8_t>& run = scratch_;
    size_t i = 0;
    while (i < dirty_.size()) {
        size_t j = i;
        run.clear();
        do {
            Page* p = pages_.Find(dirty_[j]);
            run.insert(run.end(), p->bytes, p->bytes + kNodeSize);
            p->dirty = false;
            ++j;
        } while (j < dirty_.size() && dirty_[j] == dirty_[j - 1] + kNodeSize);
        XB_RETURN_IF_ERROR(file_->WriteAt(dirty_[i], run.data(), run.size()));
        diskEnd_ = std::max<uint64_t>(diskEnd_, dirty_[i] + run.size());
        i = j;
    }
    dirty_.clear();
    if (freeHead_ != writtenFreeHead_) {
        uint8_t b[4];
        StoreLE32(b, freeHead_);
        XB_RETURN_IF_ERROR(file_->WriteAt(4, b, 4));
        writtenFreeHead_ = freeHead_;
    }
    if (pages_.size() > maxPages_)
        EvictClean();
    return Status::OK();
}

void CdxNodeStore::Reset(uint64_t fileEnd, uint32_t freeHead) {
    pages_.Clear();
    clock_.clear();
    dirty_.clear();
    fileEnd_ = diskEnd_ = fileEnd;
    freeHead_ = writtenFreeHead_ = freeHead;
    handedOut_.clear();
}

}  // namespace xbase
