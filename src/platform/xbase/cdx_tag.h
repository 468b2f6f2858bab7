// One B-tree of a compound index (a tag, or the tag directory itself, whose keys are tag names
// and whose record numbers are tag header offsets): descent, incremental insert and remove with
// node splits, root growth and removal of emptied nodes, bulk rebuild, and verification.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/xbase/cdx_file.h"
#include "platform/xbase/cdx_layout.h"
#include "platform/xbase/cdx_node.h"
#include "platform/xbase/cdx_node_store.h"

namespace xbase {

class CdxTagImpl : public CdxTag {
public:
    // Where a descent goes: the first entry that is >= the target. With byEntry the key is
    // compared in full and then the record number; otherwise over `len` bytes only.
    struct Target {
        const uint8_t* key = nullptr;
        size_t len = 0;
        bool byEntry = false;
        uint32_t recno = 0;
    };
    // One level of a descent: the node and the entry taken (in a leaf: the first entry >= the
    // target, possibly size()). Interior nodes are searched in their images; their entries are
    // decoded only when a change must update them (`decoded`), while node.offset is always set.
    struct Step {
        cdx::Node node;
        size_t index = 0;
        bool decoded = false;
    };

    // `store` must outlive the tag. `root` is the root node offset from the header, 0 when the
    // tag has no tree yet.
    CdxTagImpl(CdxNodeStore* store, TagInfo info, uint32_t root, uint8_t trailByte);

    const TagInfo& info() const override { return info_; }
    void SetTrailByte(uint8_t b) override { trail_ = b; }
    uint8_t trailByte() const override { return trail_; }
    Status Insert(const uint8_t* key, uint32_t recno) override;
    Status Remove(const uint8_t* key, uint32_t recno) override;
    Status Rebuild(const EntrySource& source) override;
    std::unique_ptr<CdxIterator> NewIterator() override;
    std::unique_ptr<CdxIterator> NewTreeIterator() override;
    Status Verify() override;

    uint32_t root() const { return root_; }
    CdxNodeStore* store() { return store_; }

    // Frees the current tree, takes `info` (key length, expressions, header offset), builds the
    // tree from `source` and writes the whole tag header.
    Status Recreate(const TagInfo& info, uint8_t trailByte, const EntrySource& source);
    // Takes a header re-read from disk after another process changed the file.
    void Reload(const TagInfo& info, uint32_t root);

    // Descends from the root to a leaf. Without a target it follows the last entries. `path`
    // receives one Step per level, the leaf last.
    Status Descend(const Target* target, std::vector<Step>* path);
    Status ReadNode(uint32_t offset, cdx::Node* out);
    // First index of `n` whose entry is >= target.
    static size_t LowerBound(const cdx::Node& n, const Target& t);

private:
    Status CheckWritable() const;
    // Decodes path_[level].node if the descent only searched its image.
    Status DecodeStep(size_t level);
    // Puts (key, recno) into the leaf of path_ by patching its image, when that leaf keeps its
    // last entry and layout; false when the general path must do it.
    Status TryInsertInPlace(const uint8_t* key, uint32_t recno, bool* done);
    Status WriteNode(const cdx::Node& n);
    Status WriteRoot(uint32_t root);
    Status WriteHeader();
    // Stores path_[level].node (changed in memory) and carries the change up to the root:
    // splits, parent keys, removal of emptied nodes, root growth and collapse.
    Status Commit(size_t level);
    // Commits the leaf of path_, writes the changed pages and then the root pointer.
    Status Finish(uint32_t rootBefore);
    Status Split(const cdx::Node& n, std::vector<cdx::Node>* pieces);
    Status Unlink(const cdx::Node& n);
    Status CollapseRoot(const cdx::Node& root);
    Status PatchSibling(uint32_t offset, bool left, uint32_t value);
    // Puts every node of the current tree on the free list.
    Status FreeTree();
    Status Build(const EntrySource& source);

    CdxNodeStore* store_;
    TagInfo info_;
    uint32_t root_;
    uint8_t trail_;
    std::vector<Step> path_;
    std::vector<cdx::Node> pieces_;
};

}  // namespace xbase
