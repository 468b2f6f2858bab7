#include "platform/xbase/cdx_layout.h"

#include <bit>
#include <cstring>

#include "platform/xbase/bytes.h"

namespace xbase::cdx {

std::string NodeWhere(uint32_t offset) {
    return "node at offset " + std::to_string(offset);
}

void EncodeTagHeader(const TagHeader& h, uint8_t out[kHeaderSize]) {
    std::memset(out, 0, kHeaderSize);
    StoreLE32(out + 0, h.root);
    StoreLE32(out + 4, h.freeList);
    StoreLE16(out + 12, h.keyLength);
    out[14] = h.options;
    out[15] = h.signature;
    std::memcpy(out + kOthersOffset, h.others, kOthersSize);
    if (h.keeping == TagHeader::Keeping::kOurs)
        EncodeKeeping(h, out + kOwnOffset);
    StoreLE16(out + 502, h.order);
    // The pool holds the key expression, a NUL, the FOR expression and a NUL; the lengths count
    // the NULs, as other readers expect.
    uint16_t keyLen = uint16_t(h.expression.size() + 1);
    uint16_t forLen = uint16_t(h.forExpression.size() + 1);
    StoreLE16(out + 504, uint16_t(keyLen + forLen));
    StoreLE16(out + 506, forLen);
    StoreLE16(out + 510, keyLen);
    std::memcpy(out + kExpressionPool, h.expression.data(), h.expression.size());
    std::memcpy(out + kExpressionPool + keyLen, h.forExpression.data(), h.forExpression.size());
}

Status DecodeTagHeader(const std::string& path, uint32_t where, const uint8_t in[kHeaderSize],
                       uint64_t fileSize, TagHeader* out) {
    const std::string at = "index header at offset " + std::to_string(where) + ": ";
    TagHeader h;
    h.root = LoadLE32(in + 0);
    h.freeList = LoadLE32(in + 4);
    if (h.freeList == kNoNode)
        h.freeList = 0;
    h.keyLength = LoadLE16(in + 12);
    h.options = in[14];
    h.signature = in[15];
    DecodeKeeping(in, &h);
    h.order = LoadLE16(in + 502);
    if (!ValidNodeOffset(h.root, fileSize)) {
        return Status::Corruption(
            path, at + "root pointer " + std::to_string(h.root) + " is not a node of the file");
    }
    if (h.keyLength == 0 || h.keyLength > kMaxKeyLength) {
        return Status::Corruption(
            path, at + "key length " + std::to_string(h.keyLength) + " is outside 1..240");
    }
    // The key expression runs to the first NUL of the pool, the FOR expression to the next.
    const char* pool = reinterpret_cast<const char*>(in + kExpressionPool);
    size_t poolSize = kHeaderSize - kExpressionPool;
    size_t keyEnd = strnlen(pool, poolSize);
    h.expression.assign(pool, keyEnd);
    if (keyEnd + 1 < poolSize) {
        const char* forStart = pool + keyEnd + 1;
        h.forExpression.assign(forStart, strnlen(forStart, poolSize - keyEnd - 1));
    }
    *out = std::move(h);
    return Status::OK();
}

namespace {

bool AllZero(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        if (p[i] != 0)
            return false;
    }
    return true;
}

}  // namespace

FreePageKind ParseFreePage(const uint8_t page[kNodeSize], uint32_t* next) {
    // A tree node never has zero sibling links (they are -1 or offsets past the header), so a
    // stale pointer into the tree is not taken for a free page.
    FreePageKind kind = FreePageKind::kNotFree;
    if (AllZero(page + 4, kNodeSize - 4)) {
        kind = FreePageKind::kCurrent;
        *next = LoadLE32(page);
    } else if (LoadLE16(page) == kAttrFree && LoadLE16(page + 2) == 0 &&
               AllZero(page + 8, kNodeSize - 8)) {
        kind = FreePageKind::kEarlier;
        *next = LoadLE32(page + 4);
    }
    if (kind != FreePageKind::kNotFree && *next == kNoNode)
        *next = 0;
    return kind;
}

void EncodeFreePage(uint32_t next, uint8_t page[kNodeSize]) {
    std::memset(page, 0, kNodeSize);
    StoreLE32(page, next);
}

void DecodeKeeping(const uint8_t* in, TagHeader* h) {
    std::memcpy(h->others, in + kOthersOffset, kOthersSize);
    if (std::memcmp(in + kOwnOffset, kOwnSignature, sizeof kOwnSignature) == 0) {
        h->keeping = TagHeader::Keeping::kOurs;
        h->dirtyMark = in[kDirtyMarkOffset];
        h->generation = LoadLE32(in + kGenerationOffset);
        h->stampRecords = LoadLE32(in + kStampRecordsOffset);
    } else if (in[kOldDirtyMarkOffset] <= 1 && in[17] == 0 && in[18] == 0 && in[19] == 0) {
        // Another writer's header length (0x0400) never looks like this.
        h->keeping = TagHeader::Keeping::kOld;
        h->dirtyMark = in[kOldDirtyMarkOffset];
        h->generation = LoadLE32(in + kOldGenerationOffset);
    } else {
        h->keeping = TagHeader::Keeping::kNone;
    }
}

void EncodeKeeping(const TagHeader& h, uint8_t out[kOwnEnd - kOwnOffset]) {
    std::memset(out, 0, kOwnEnd - kOwnOffset);
    std::memcpy(out, kOwnSignature, sizeof kOwnSignature);
    out[kDirtyMarkOffset - kOwnOffset] = h.dirtyMark;
    StoreLE32(out + (kGenerationOffset - kOwnOffset), h.generation);
    StoreLE32(out + (kStampRecordsOffset - kOwnOffset), h.stampRecords);
}

LeafFormat ChooseLeafFormat(uint16_t keyLength, uint32_t maxRecno) {
    LeafFormat f;
    f.countBits = uint8_t(std::bit_width(unsigned(keyLength)));
    unsigned recnoBits = std::bit_width(maxRecno);
    if (recnoBits == 0)
        recnoBits = 1;
    unsigned total = recnoBits + 2u * f.countBits;
    f.entryBytes = uint8_t((total + 7) / 8);
    unsigned widened = f.entryBytes * 8u - 2u * f.countBits;
    f.recnoBits = uint8_t(widened > 32 ? 32 : widened);
    return f;
}

}  // namespace xbase::cdx
