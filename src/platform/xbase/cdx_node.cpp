#include "platform/xbase/cdx_node.h"

#include <algorithm>

#include "platform/xbase/bytes.h"

namespace xbase::cdx {

void Node::Insert(size_t i, const uint8_t* k, uint32_t recno, uint32_t child) {
    keys.insert(keys.begin() + ptrdiff_t(i * keyLength), k, k + keyLength);
    recnos.insert(recnos.begin() + ptrdiff_t(i), recno);
    if (!leaf())
        children.insert(children.begin() + ptrdiff_t(i), child);
}

void Node::Erase(size_t i) {
    auto at = keys.begin() + ptrdiff_t(i * keyLength);
    keys.erase(at, at + keyLength);
    recnos.erase(recnos.begin() + ptrdiff_t(i));
    if (!leaf())
        children.erase(children.begin() + ptrdiff_t(i));
}

void Node::AppendRange(const Node& from, size_t begin, size_t end) {
    keys.insert(keys.end(), from.key(begin), from.key(begin) + (end - begin) * keyLength);
    recnos.insert(recnos.end(), from.recnos.begin() + ptrdiff_t(begin),
                  from.recnos.begin() + ptrdiff_t(end));
    if (!leaf()) {
        children.insert(children.end(), from.children.begin() + ptrdiff_t(begin),
                        from.children.begin() + ptrdiff_t(end));
    }
}

// Both run on every key of every leaf written, so they compare eight bytes at a time.
size_t TrailCount(const uint8_t* key, size_t keyLength, uint8_t trail) {
    const uint64_t pattern = 0x0101010101010101ull * trail;
    size_t n = 0;
    while (n + 8 <= keyLength) {
        uint64_t word;
        std::memcpy(&word, key + keyLength - n - 8, 8);
        if (word != pattern)
            break;
        n += 8;
    }
    while (n < keyLength && key[keyLength - 1 - n] == trail)
        ++n;
    return n;
}

size_t CommonPrefix(const uint8_t* a, const uint8_t* b, size_t n) {
    size_t i = 0;
    while (i + 8 <= n) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y)
            break;
        i += 8;
    }
    while (i < n && a[i] == b[i])
        ++i;
    return i;
}

size_t DupCount(const uint8_t* prev, size_t prevTrail, const uint8_t* key, size_t keyTrail,
                size_t keyLength) {
    return CommonPrefix(prev, key, keyLength - std::max(prevTrail, keyTrail));
}

namespace {

Status Bad(const std::string& path, uint32_t offset, const std::string& what) {
    return Status::Corruption(path, NodeWhere(offset) + ": " + what);
}

Status DecodeInterior(const std::string& path, uint32_t offset, const uint8_t* page,
                      uint64_t fileSize, size_t count, Node* out) {
    const size_t kl = out->keyLength;
    out->keys.resize(count * kl);
    out->recnos.resize(count);
    out->children.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = InteriorEntry(page, i, out->keyLength);
        std::memcpy(out->key(i), p, kl);
        out->recnos[i] = LoadBE32(p + kl);
        XB_RETURN_IF_ERROR(
            InteriorChild(path, offset, page, out->keyLength, i, fileSize, &out->children[i]));
    }
    return Status::OK();
}

Status DecodeLeaf(const std::string& path, uint32_t offset, const uint8_t* page, uint8_t trail,
                  size_t count, Node* out) {
    const size_t kl = out->keyLength;
    uint32_t recnoMask = LoadLE32(page + 14);
    uint8_t dupMask = page[18], trailMask = page[19];
    unsigned recnoBits = page[20], dupBits = page[21], trailBits = page[22];
    unsigned entryBytes = page[23];
    auto maskOf = [](unsigned bits) { return bits >= 32 ? 0xFFFFFFFFull : (1ull << bits) - 1; };
    if (recnoBits == 0 || recnoBits > 32 || dupBits > 8 || trailBits > 8 || entryBytes == 0 ||
        entryBytes > 8 || recnoBits + dupBits + trailBits > entryBytes * 8 ||
        recnoMask != maskOf(recnoBits) || dupMask != maskOf(dupBits) ||
        trailMask != maskOf(trailBits)) {
        return Bad(path, offset, "leaf bit counts or masks are invalid");
    }
    if (count * entryBytes > kLeafSpace) {
        return Bad(path, offset, "entry count " + std::to_string(count) + " exceeds the node");
    }
    out->keys.resize(count * kl);
    out->recnos.resize(count);
    out->children.clear();
    const size_t entriesEnd = kLeafHeader + count * entryBytes;
    size_t keyEnd = kNodeSize;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = page + kLeafHeader + i * entryBytes;
        uint64_t v = 0;
        for (unsigned b = 0; b < entryBytes; ++b)
            v |= uint64_t(e[b]) << (8 * b);
        uint32_t recno = uint32_t(v & recnoMask);
        size_t dup = size_t((v >> recnoBits) & dupMask);
        size_t tr = size_t((v >> (recnoBits + dupBits)) & trailMask);
        if (dup + tr > kl || (i == 0 && dup != 0)) {
            return Bad(path, offset, "entry " + std::to_string(i) + " has invalid counts");
        }
        size_t stored = kl - dup - tr;
        if (keyEnd < entriesEnd + stored) {
            return Bad(path, offset, "key bytes overlap the entries");
        }
        keyEnd -= stored;
        uint8_t* k = out->key(i);
        if (dup != 0)
            std::memcpy(k, k - kl, dup);
        std::memcpy(k + dup, page + keyEnd, stored);
        std::memset(k + dup + stored, trail, tr);
        out->recnos[i] = recno;
    }
    return Status::OK();
}

}  // namespace

Status CheckNodeImage(const std::string& path, uint32_t offset, const uint8_t* page,
                      uint16_t keyLength, bool* leaf, size_t* count) {
    const uint16_t attr = LoadLE16(page);
    if (attr == kAttrFree || (LoadLE32(page + 4) == 0 && LoadLE32(page + 8) == 0))
        return Bad(path, offset, "a free node is linked into the tree");
    if (attr > (kAttrRoot | kAttrLeaf))
        return Bad(path, offset, "unknown node attributes " + std::to_string(attr));
    *leaf = (attr & kAttrLeaf) != 0;
    *count = LoadLE16(page + 2);
    if (*leaf)
        return Status::OK();
    if (*count == 0)
        return Bad(path, offset, "interior node without entries");
    if (*count > InteriorCapacity(keyLength))
        return Bad(path, offset, "entry count " + std::to_string(*count) + " exceeds the node");
    return Status::OK();
}

Status InteriorChild(const std::string& path, uint32_t offset, const uint8_t* page,
                     uint16_t keyLength, size_t i, uint64_t fileSize, uint32_t* child) {
    *child = LoadBE32(InteriorEntry(page, i, keyLength) + keyLength + 4);
    if (!ValidNodeOffset(*child, fileSize) || *child == offset)
        return Bad(path, offset, "child pointer " + std::to_string(*child) + " is invalid");
    return Status::OK();
}

Status DecodeNode(const std::string& path, uint32_t offset, const uint8_t* page, uint16_t keyLength,
                  uint8_t trail, uint64_t fileSize, Node* out) {
    bool leaf = false;
    size_t count = 0;
    XB_RETURN_IF_ERROR(CheckNodeImage(path, offset, page, keyLength, &leaf, &count));
    out->offset = offset;
    out->attr = LoadLE16(page);
    out->left = LoadLE32(page + 4);
    out->right = LoadLE32(page + 8);
    out->keyLength = keyLength;
    if (leaf)
        return DecodeLeaf(path, offset, page, trail, count, out);
    return DecodeInterior(path, offset, page, fileSize, count, out);
}

size_t LeafBytes(const Node& n, size_t begin, size_t end, uint8_t trail) {
    const size_t kl = n.keyLength;
    uint32_t maxRecno = 0;
    size_t bytes = 0, prevTrail = 0;
    for (size_t i = begin; i < end; ++i) {
        maxRecno = std::max(maxRecno, n.recnos[i]);
        size_t tr = TrailCount(n.key(i), kl, trail);
        size_t dup = i == begin ? 0 : DupCount(n.key(i - 1), prevTrail, n.key(i), tr, kl);
        bytes += kl - dup - tr;
        prevTrail = tr;
    }
    return bytes + (end - begin) * ChooseLeafFormat(n.keyLength, maxRecno).entryBytes;
}

bool EncodeNode(const Node& n, uint8_t trail, uint8_t page[kNodeSize]) {
    std::memset(page, 0, kNodeSize);
    StoreLE16(page, n.attr);
    StoreLE16(page + 2, uint16_t(n.size()));
    StoreLE32(page + 4, n.left);
    StoreLE32(page + 8, n.right);
    const size_t kl = n.keyLength;
    if (!n.leaf()) {
        if (n.size() > InteriorCapacity(n.keyLength))
            return false;
        uint8_t* p = page + kInteriorHeader;
        for (size_t i = 0; i < n.size(); ++i, p += kl + 8) {
            std::memcpy(p, n.key(i), kl);
            StoreBE32(p + kl, n.recnos[i]);
            StoreBE32(p + kl + 4, n.children[i]);
        }
        return true;
    }
    uint32_t maxRecno = 0;
    for (uint32_t r : n.recnos)
        maxRecno = std::max(maxRecno, r);
    LeafFormat f = ChooseLeafFormat(n.keyLength, maxRecno);
    const size_t entriesEnd = kLeafHeader + n.size() * f.entryBytes;
    if (entriesEnd > kNodeSize)
        return false;
    size_t keyEnd = kNodeSize, prevTrail = 0;
    for (size_t i = 0; i < n.size(); ++i) {
        const uint8_t* k = n.key(i);
        size_t tr = TrailCount(k, kl, trail);
        size_t dup = i == 0 ? 0 : DupCount(n.key(i - 1), prevTrail, k, tr, kl);
        prevTrail = tr;
        size_t stored = kl - dup - tr;
        if (keyEnd < entriesEnd + stored)
            return false;
        keyEnd -= stored;
        std::memcpy(page + keyEnd, k + dup, stored);
        uint64_t v = uint64_t(n.recnos[i]) | (uint64_t(dup) << f.recnoBits) |
                     (uint64_t(tr) << (f.recnoBits + f.countBits));
        uint8_t* e = page + kLeafHeader + i * f.entryBytes;
        for (unsigned b = 0; b < f.entryBytes; ++b)
            e[b] = uint8_t(v >> (8 * b));
    }
    StoreLE16(page + 12, uint16_t(keyEnd - kLeafHeader - n.size() * f.entryBytes));
    StoreLE32(page + 14, f.recnoMask());
    page[18] = f.countMask();
    page[19] = f.countMask();
    page[20] = f.recnoBits;
    page[21] = f.countBits;
    page[22] = f.countBits;
    page[23] = f.entryBytes;
    return true;
}

namespace {

uint64_t LoadEntry(const uint8_t* e, unsigned bytes) {
    uint64_t v = 0;
    for (unsigned b = 0; b < bytes; ++b)
        v |= uint64_t(e[b]) << (8 * b);
    return v;
}

void StoreEntry(uint8_t* e, unsigned bytes, uint64_t v) {
    for (unsigned b = 0; b < bytes; ++b)
        e[b] = uint8_t(v >> (8 * b));
}

}  // namespace

bool InsertIntoLeafImage(const Node& n, size_t i, const uint8_t* key, uint32_t recno, uint8_t trail,
                         uint8_t page[kNodeSize]) {
    const size_t kl = n.keyLength, count = n.size();
    if (!n.leaf() || i >= count || LoadLE16(page + 2) != count)
        return false;
    uint32_t maxRecno = recno;
    for (uint32_t r : n.recnos)
        maxRecno = std::max(maxRecno, r);
    const LeafFormat f = ChooseLeafFormat(n.keyLength, maxRecno);
    const unsigned eb = f.entryBytes, rb = f.recnoBits, cb = f.countBits;
    if (page[23] != eb || page[20] != rb || page[21] != cb || page[22] != cb)
        return false;  // another layout: only a full encoding can change it
    const uint64_t countMask = f.countMask();
    const auto dupOf = [&](uint64_t v) { return size_t((v >> rb) & countMask); };
    const auto trailOf = [&](uint64_t v) { return size_t((v >> (rb + cb)) & countMask); };

    // Where the key bytes of entry i end (they are stored from the end of the page down), and
    // where the lowest key bytes of the leaf begin.
    uint8_t* entries = page + kLeafHeader;
    size_t top = kNodeSize, keyEnd = kNodeSize, prevTrail = 0;
    for (size_t j = 0; j < count; ++j) {
        const uint64_t v = LoadEntry(entries + j * eb, eb);
        if (j + 1 == i)
            prevTrail = trailOf(v);
        if (j == i)
            top = keyEnd;
        keyEnd -= kl - dupOf(v) - trailOf(v);
    }
    const uint64_t old = LoadEntry(entries + i * eb, eb);
    const size_t oldTrail = trailOf(old), oldStored = kl - dupOf(old) - oldTrail;

    const size_t newTrail = TrailCount(key, kl, trail);
    const size_t newDup = i == 0 ? 0 : DupCount(n.key(i - 1), prevTrail, key, newTrail, kl);
    const size_t newStored = kl - newDup - newTrail;
    const size_t nextDup = DupCount(key, newTrail, n.key(i), oldTrail, kl);
    const size_t nextStored = kl - nextDup - oldTrail;

    const ptrdiff_t grow = ptrdiff_t(newStored + nextStored) - ptrdiff_t(oldStored);
    const size_t entriesEnd = kLeafHeader + (count + 1) * eb;
    if (ptrdiff_t(keyEnd) - grow < ptrdiff_t(entriesEnd))
        return false;
    const size_t newKeyEnd = size_t(ptrdiff_t(keyEnd) - grow);

    // Key bytes of the entries after i move down (or up) by `grow`; then entry i's bytes, now
    // counted against the new key, and the new key's bytes fill the room above them.
    std::memmove(page + newKeyEnd, page + keyEnd, top - oldStored - keyEnd);
    std::memcpy(page + top - newStored - nextStored, n.key(i) + nextDup, nextStored);
    std::memcpy(page + top - newStored, key + newDup, newStored);
    std::memmove(entries + (i + 1) * eb, entries + i * eb, (count - i) * eb);
    StoreEntry(entries + i * eb, eb,
               uint64_t(recno) | (uint64_t(newDup) << rb) | (uint64_t(newTrail) << (rb + cb)));
    StoreEntry(
        entries + (i + 1) * eb, eb,
        uint64_t(n.recnos[i]) | (uint64_t(nextDup) << rb) | (uint64_t(oldTrail) << (rb + cb)));
    std::memset(page + entriesEnd, 0, newKeyEnd - entriesEnd);
    StoreLE16(page + 2, uint16_t(count + 1));
    StoreLE16(page + 12, uint16_t(newKeyEnd - entriesEnd));
    return true;
}

void SetLeftSibling(uint8_t* page, uint32_t left) {
    StoreLE32(page + 4, left);
}
void SetRightSibling(uint8_t* page, uint32_t right) {
    StoreLE32(page + 8, right);
}

}  // namespace xbase::cdx
