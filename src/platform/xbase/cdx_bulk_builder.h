// Builds a tag's tree bottom-up from entries in ascending order: leaves are filled one after the
// other and each finished node hands its last key to the level above, so every level is written
// once, in large sequential writes.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/xbase/cdx_node.h"
#include "platform/xbase/cdx_node_store.h"

namespace xbase {

class CdxBulkBuilder {
public:
    CdxBulkBuilder(CdxNodeStore* store, uint16_t keyLength, uint8_t trail);

    // Must be called once before Add.
    Status Start();
    // Adds the next entry; InvalidArgument when it is not after the previous one.
    Status Add(const uint8_t* key, uint32_t recno);
    // Closes every level and writes the remaining nodes; *root is the new root's offset.
    Status Finish(uint32_t* root);

private:
    struct Level {
        cdx::Node node;
        size_t finished = 0;  // nodes of this level already written
    };
    Status CloseNode(size_t level, bool more);
    Status AddToLevel(size_t level, const uint8_t* key, uint32_t recno, uint32_t child);
    void Emit(const cdx::Node& n);
    Status FlushPages();

    CdxNodeStore* store_;
    const uint16_t keyLength_;
    const uint8_t trail_;
    std::vector<Level> levels_;
    size_t leafKeyBytes_ = 0;  // stored key bytes of the open leaf
    uint32_t leafMaxRecno_ = 0;
    std::vector<uint8_t> prevKey_;  // last key of the previous leaf, for the order check
    uint32_t prevRecno_ = 0;
    bool hasPrev_ = false;
    size_t prevTrail_ = 0;        // trailing count of the leaf's last key
    std::vector<uint8_t> pages_;  // encoded nodes waiting to be written
    std::vector<uint32_t> pageOffsets_;
};

}  // namespace xbase
