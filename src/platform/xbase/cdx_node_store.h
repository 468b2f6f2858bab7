// The node pages of one compound index file: a bounded LRU cache of 512-byte images in front of
// File::ReadAt, the file-wide free list, node allocation, and write-back of the pages an
// operation changed (contiguous pages coalesced into one write).
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/xbase/cdx_layout.h"
#include "platform/xbase/cdx_page_map.h"
#include "platform/xbase/file.h"
#include "platform/xbase/status.h"

namespace xbase {

class CdxNodeStore {
public:
    static constexpr size_t kDefaultCacheBytes = 32u << 20;

    // `file` must outlive the store. `fileEnd` is the file's size; `freeHead` the directory
    // header's free-list pointer (0 when empty).
    CdxNodeStore(File* file, uint64_t fileEnd, uint32_t freeHead,
                 size_t cacheBytes = kDefaultCacheBytes);

    const std::string& path() const { return file_->path(); }
    File* file() { return file_; }
    // The file's logical size, including pages allocated but not yet written.
    uint64_t fileEnd() const { return fileEnd_; }
    uint32_t freeHead() const { return freeHead_; }

    // Copies the image of the node at `offset` into `page`. Corruption when `offset` is not a
    // node of the file.
    Status Read(uint32_t offset, uint8_t page[cdx::kNodeSize]);
    // Points `*page` at the cached image of the node at `offset`, without copying it. The
    // pointer stays valid until the next call that reads, writes or allocates.
    Status View(uint32_t offset, const uint8_t** page);
    // Replaces the image of the node at `offset`; written by the next Flush.
    void Write(uint32_t offset, const uint8_t page[cdx::kNodeSize]);
    // A node for new use: the head of the free list, else a new page at the end of the file. A
    // free list that cannot be trusted (a link that is not a page of the file, a page that does
    // not look free, a loop) is given up: the head becomes empty and the file grows. Fails only
    // when the file cannot be read.
    Status Allocate(uint32_t* offset);
    // Puts a node on the free list; its image becomes a free-list link.
    void Free(uint32_t offset);
    // Rewrites free pages left in our earlier layout into the current one, so that other writers
    // follow the list safely. Reads one page when there is nothing to do.
    Status ConvertEarlierFreePages();
    // Reserves `pages` contiguous new pages at the end of the file.
    uint32_t Extend(uint32_t pages);
    // Writes pages straight to the file (a bulk build), replacing any cached images.
    Status WriteThrough(uint32_t offset, const uint8_t* data, size_t pages);

    // Writes every changed page, and the free-list pointer when it moved.
    Status Flush();
    // Forgets all cached pages (after another process changed the file) and takes the free list
    // and file size anew. Pending writes are lost: call Flush first.
    void Reset(uint64_t fileEnd, uint32_t freeHead);

private:
    using Page = CdxPage;
    Page* Lookup(uint32_t offset);
    Page* Insert(uint32_t offset);
    void EvictClean();
    // The next link of the free page at `offset`; false when the page cannot be trusted as one.
    Status FreeLink(uint32_t offset, cdx::FreePageKind* kind, uint32_t* next);

    File* file_;
    uint64_t fileEnd_;
    uint32_t freeHead_;
    uint32_t writtenFreeHead_;
    uint64_t diskEnd_;  // bytes known to be on disk: pages past it are only in the cache
    // Pages handed out from the free list since it was last empty: a link back to one of them is
    // a loop, even before the page is written.
    std::unordered_set<uint32_t> handedOut_;
    size_t maxPages_;
    CdxPageMap pages_;
    // Offsets in the order the clock hand visits them (front first). Eviction gives pages used
    // since its last visit a second chance; entries of pages already gone are dropped on the way.
    std::deque<uint32_t> clock_;
    std::vector<uint32_t> dirty_;
    std::vector<uint8_t> scratch_;
};

}  // namespace xbase
