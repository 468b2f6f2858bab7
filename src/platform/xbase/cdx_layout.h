// Byte layout of a compound index: sizes, node attribute bits, header fields and the leaf
// entry format. Every offset here is documented in docs/cdx.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/xbase/status.h"

namespace xbase::cdx {

constexpr uint32_t kNodeSize = 512;
constexpr uint32_t kHeaderSize = 1024;
constexpr uint32_t kFirstNode = kHeaderSize;  // the directory header fills bytes 0..1023
constexpr uint16_t kMaxKeyLength = 240;
constexpr uint16_t kDirectoryKeyLength = 10;  // tag names
constexpr int kMaxDepth = 64;
constexpr uint32_t kNoNode = 0xFFFFFFFFu;

constexpr uint16_t kAttrRoot = 1;
constexpr uint16_t kAttrLeaf = 2;
// The attributes of a free page in the layout our earlier versions wrote.
constexpr uint16_t kAttrFree = 0xFFFF;

constexpr size_t kInteriorHeader = 12;
constexpr size_t kInteriorSpace = kNodeSize - kInteriorHeader;  // 500
constexpr size_t kLeafHeader = 24;
constexpr size_t kLeafSpace = kNodeSize - kLeafHeader;  // 488

constexpr uint8_t kOptionUnique = 0x01;
constexpr uint8_t kOptionFor = 0x08;
constexpr uint8_t kOptionCompact = 0x20;
constexpr uint8_t kOptionCompound = 0x40;
constexpr uint8_t kOptionDirectory = 0x80;

// Our bookkeeping lives in directory-header bytes that no other writer sets; bytes 16..23 carry
// other writers' header and page lengths and signature and are kept as found.
constexpr size_t kOthersOffset = 16;
constexpr size_t kOthersSize = 8;
constexpr size_t kOwnOffset = 24;  // "TNL1" when the fields below are ours
constexpr size_t kDirtyMarkOffset = 28;
constexpr size_t kGenerationOffset = 32;
constexpr size_t kStampRecordsOffset = 36;  // the table's record count at the last clean write
constexpr size_t kOwnEnd = 40;
constexpr char kOwnSignature[4] = {'T', 'N', 'L', '1'};
// Where the previous version of this program kept the mark and the generation.
constexpr size_t kOldDirtyMarkOffset = 16;
constexpr size_t kOldGenerationOffset = 20;
constexpr size_t kExpressionPool = 512;

// A tag header (or the directory header at offset 0).
struct TagHeader {
    uint32_t root = 0;
    uint32_t freeList = 0;  // only the directory header's is used: 0 when empty
    uint16_t keyLength = 0;
    uint8_t options = kOptionCompact | kOptionCompound;
    uint8_t signature = 1;
    // Directory header only: the bookkeeping, and how it was found.
    enum class Keeping { kNone, kOurs, kOld } keeping = Keeping::kOurs;
    uint8_t dirtyMark = 0;
    uint32_t generation = 0;
    uint32_t stampRecords = 0;
    uint8_t others[kOthersSize] = {};  // bytes 16..23 as found
    uint16_t order = 0;                // 0 ascending, 1 descending
    std::string expression;
    std::string forExpression;
};

void EncodeTagHeader(const TagHeader& h, uint8_t out[kHeaderSize]);
// Reads the bookkeeping from the first kOwnEnd bytes of a directory header: ours, the previous
// version's (mark at 16 with bytes 17..19 zero, generation at 20), or none (a foreign file).
void DecodeKeeping(const uint8_t* in, TagHeader* h);
// Our bookkeeping bytes kOwnOffset..kOwnEnd-1 of `h`.
void EncodeKeeping(const TagHeader& h, uint8_t out[kOwnEnd - kOwnOffset]);
// Checks what the tree depends on: root pointer and free-list pointer in the file, key length
// 1..240, expression lengths within the pool. `where` is the header's file offset.
Status DecodeTagHeader(const std::string& path, uint32_t where, const uint8_t in[kHeaderSize],
                       uint64_t fileSize, TagHeader* out);

// True when `offset` can hold a node of a file of `fileSize` bytes.
inline bool ValidNodeOffset(uint64_t offset, uint64_t fileSize) {
    return offset % kNodeSize == 0 && offset >= kFirstNode && offset + kNodeSize <= fileSize;
}

// Free pages. We write a page of zeros whose bytes 0..3 hold the next free page (0 ends the
// list), the layout other writers follow. Read as well: 0xFFFFFFFF ending a list, and the layout
// of our earlier files (attributes 0xFFFF at 0..1, next at 4..7).
enum class FreePageKind { kNotFree, kCurrent, kEarlier };
FreePageKind ParseFreePage(const uint8_t page[kNodeSize], uint32_t* next);
void EncodeFreePage(uint32_t next, uint8_t page[kNodeSize]);

// How one leaf packs (record number, duplicate count, trailing count) into an entry.
struct LeafFormat {
    uint8_t recnoBits = 0;
    uint8_t countBits = 0;  // bits for the duplicate count and for the trailing count each
    uint8_t entryBytes = 0;
    uint32_t recnoMask() const { return recnoBits >= 32 ? 0xFFFFFFFFu : (1u << recnoBits) - 1; }
    uint8_t countMask() const { return uint8_t((1u << countBits) - 1); }
};

// The narrowest format that holds counts up to keyLength and record numbers up to maxRecno;
// spare bits of the last byte widen the record number (up to 32 bits).
LeafFormat ChooseLeafFormat(uint16_t keyLength, uint32_t maxRecno);

std::string NodeWhere(uint32_t offset);  // "node at offset N"

}  // namespace xbase::cdx
