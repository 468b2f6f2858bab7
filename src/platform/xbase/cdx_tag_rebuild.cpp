// Whole-tree operations of a tag: freeing every node of the old tree and building a new one.
#include <algorithm>
#include <functional>

#include "platform/xbase/cdx_bulk_builder.h"
#include "platform/xbase/cdx_tag.h"

namespace xbase {

Status CdxTagImpl::FreeTree() {
    if (root_ == 0)
        return Status::OK();
    // Level by level: the children of one level are the next level. Only interior levels are
    // read; a level is taken to be the leaf level when its first node is a leaf.
    std::vector<uint32_t> all, level{root_}, next;
    cdx::Node n;
    for (int depth = 0; !level.empty(); ++depth) {
        if (depth >= cdx::kMaxDepth) {
            return Status::Corruption(
                store_->path(), cdx::NodeWhere(level[0]) + ": tree deeper than 64 levels (a loop)");
        }
        all.insert(all.end(), level.begin(), level.end());
        XB_RETURN_IF_ERROR(ReadNode(level[0], &n));
        if (n.leaf())
            break;
        next.clear();
        for (uint32_t offset : level) {
            XB_RETURN_IF_ERROR(ReadNode(offset, &n));
            if (n.leaf()) {
                return Status::Corruption(store_->path(),
                                          cdx::NodeWhere(offset) + ": leaf among interior nodes");
            }
            next.insert(next.end(), n.children.begin(), n.children.end());
        }
        level.swap(next);
    }
    std::sort(all.begin(), all.end());
    if (std::adjacent_find(all.begin(), all.end()) != all.end()) {
        return Status::Corruption(store_->path(), "tag " + info_.name + ": a node is used twice");
    }
    // Freed last-to-first, so the free list hands them out again in ascending order and a
    // following bulk build writes them sequentially.
    // Flushed in batches: a big tree would otherwise fill the cache with dirty pages it cannot
    // evict.
    size_t pending = 0;
    for (auto it = all.rbegin(); it != all.rend(); ++it) {
        store_->Free(*it);
        if (++pending == 4096) {
            XB_RETURN_IF_ERROR(store_->Flush());
            pending = 0;
        }
    }
    root_ = 0;
    return Status::OK();
}

Status CdxTagImpl::Build(const EntrySource& source) {
    CdxBulkBuilder builder(store_, info_.keyLength, trail_);
    XB_RETURN_IF_ERROR(builder.Start());
    const uint8_t* key = nullptr;
    uint32_t recno = 0;
    Status added;
    while (added.ok() && source && source(&key, &recno))
        added = builder.Add(key, recno);
    // After a bad entry the tree still holds the ordered entries before it, so the tag stays
    // usable; the caller gets the error.
    XB_RETURN_IF_ERROR(builder.Finish(&root_));
    XB_RETURN_IF_ERROR(store_->Flush());
    return added;
}

Status CdxTagImpl::Rebuild(const EntrySource& source) {
    XB_RETURN_IF_ERROR(CheckWritable());
    XB_RETURN_IF_ERROR(FreeTree());
    Status built = Build(source);
    if (root_ == 0)
        return built;
    XB_RETURN_IF_ERROR(WriteRoot(root_));
    return built;
}

Status CdxTagImpl::Recreate(const TagInfo& info, uint8_t trailByte, const EntrySource& source) {
    XB_RETURN_IF_ERROR(CheckWritable());
    XB_RETURN_IF_ERROR(FreeTree());
    info_ = info;
    trail_ = trailByte;
    Status built = Build(source);
    if (root_ == 0)
        return built;
    XB_RETURN_IF_ERROR(WriteHeader());
    return built;
}

}  // namespace xbase
