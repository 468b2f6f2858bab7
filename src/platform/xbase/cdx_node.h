// One index node decoded into plain arrays, and the codec between that form and the 512-byte
// image on disk (interior nodes with full keys, leaf nodes with bit-packed entries and keys
// compressed by leading duplicate and trailing counts).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/xbase/cdx_layout.h"
#include "platform/xbase/status.h"

namespace xbase::cdx {

struct Node {
    uint32_t offset = 0;
    uint16_t attr = 0;
    uint32_t left = kNoNode;
    uint32_t right = kNoNode;
    uint16_t keyLength = 0;
    std::vector<uint8_t> keys;       // size() * keyLength bytes, trailing bytes restored
    std::vector<uint32_t> recnos;    // record numbers; the child's last recno in interior nodes
    std::vector<uint32_t> children;  // interior nodes only

    bool leaf() const { return (attr & kAttrLeaf) != 0; }
    bool root() const { return (attr & kAttrRoot) != 0; }
    size_t size() const { return recnos.size(); }
    const uint8_t* key(size_t i) const { return keys.data() + i * keyLength; }
    uint8_t* key(size_t i) { return keys.data() + i * keyLength; }

    void Clear() {
        keys.clear();
        recnos.clear();
        children.clear();
    }
    // Inserts an entry before index i; `child` is ignored for leaves.
    void Insert(size_t i, const uint8_t* k, uint32_t recno, uint32_t child);
    void Erase(size_t i);
    // Appends entries [begin, end) of `from`.
    void AppendRange(const Node& from, size_t begin, size_t end);
};

// Three-way order of entries: key bytes first, then record number.
inline int CompareEntry(const uint8_t* a, uint32_t ra, const uint8_t* b, uint32_t rb,
                        size_t keyLength) {
    int c = std::memcmp(a, b, keyLength);
    if (c != 0)
        return c;
    return ra < rb ? -1 : (ra > rb ? 1 : 0);
}

// Leaf compression helpers.
size_t TrailCount(const uint8_t* key, size_t keyLength, uint8_t trail);
size_t CommonPrefix(const uint8_t* a, const uint8_t* b, size_t n);
// The duplicate count of `key` after `prev`: their common prefix, kept clear of the trailing
// bytes of both. Readers that rebuild the previous key without its trailing bytes (Perl's
// XBase::Index fills them with NULs) then still get every key right.
// prevTrail and keyTrail are the two keys' TrailCount.
size_t DupCount(const uint8_t* prev, size_t prevTrail, const uint8_t* key, size_t keyTrail,
                size_t keyLength);

inline size_t InteriorCapacity(uint16_t keyLength) {
    return kInteriorSpace / (size_t(keyLength) + 8);
}

// Checks the header of the node image at `offset` as DecodeNode does, without decoding entries:
// `*leaf` tells the kind and `*count` the number of entries.
Status CheckNodeImage(const std::string& path, uint32_t offset, const uint8_t* page,
                      uint16_t keyLength, bool* leaf, size_t* count);
// Entry i of an interior node image: keyLength key bytes, then the big-endian record number and
// child pointer.
inline const uint8_t* InteriorEntry(const uint8_t* page, size_t i, uint16_t keyLength) {
    return page + kInteriorHeader + i * (size_t(keyLength) + 8);
}
// The child pointer of entry i of an interior node image, checked to be another node of the file.
Status InteriorChild(const std::string& path, uint32_t offset, const uint8_t* page,
                     uint16_t keyLength, size_t i, uint64_t fileSize, uint32_t* child);

// Decodes the 512-byte image of the node at `offset`. Rejects unknown node kinds, entry counts a
// node cannot hold, inconsistent bit masks, counts larger than the key, key bytes overlapping
// the entry area, and child pointers outside the file or to the node itself.
Status DecodeNode(const std::string& path, uint32_t offset, const uint8_t* page, uint16_t keyLength,
                  uint8_t trail, uint64_t fileSize, Node* out);

// Bytes of leaf space (of kLeafSpace) that entries [begin, end) of `n` take as one leaf.
size_t LeafBytes(const Node& n, size_t begin, size_t end, uint8_t trail);

// Encodes `n` into `page`; false (and `page` undefined) when the entries do not fit one node.
bool EncodeNode(const Node& n, uint8_t trail, uint8_t page[kNodeSize]);

// Inserts (key, recno) before entry i (i < n.size()) of the leaf `n`, whose image is `page`,
// by moving bytes instead of encoding the whole leaf again. False, with `page` unchanged, when
// the entry does not fit or the leaf's bit layout would have to change; then the caller encodes.
// For an image EncodeNode made, the result equals EncodeNode of `n` with the entry inserted.
bool InsertIntoLeafImage(const Node& n, size_t i, const uint8_t* key, uint32_t recno, uint8_t trail,
                         uint8_t page[kNodeSize]);

// Patches a sibling pointer of an encoded node in place.
void SetLeftSibling(uint8_t* page, uint32_t left);
void SetRightSibling(uint8_t* page, uint32_t right);

}  // namespace xbase::cdx
