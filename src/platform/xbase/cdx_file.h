// A FoxPro compound index file (CDX): a tag directory and, per tag, a B-tree in the compact
// format (interior nodes with full keys, leaf nodes with bit-packed record numbers, duplicate
// counts and trailing counts). Keys are fixed-length byte strings compared with memcmp; equal
// keys are ordered by record number. See docs/cdx.md for the layout as we read and write it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xbase/file.h"
#include "platform/xbase/status.h"

namespace xbase {

class CdxFile;
class CdxNodeStore;

struct TagInfo {
    std::string name;           // as stored in the directory, upper case ("1", "10", "ARTIST")
    std::string expression;     // key expression text from the tag header
    std::string forExpression;  // empty when the tag has no condition
    uint16_t keyLength = 0;
    uint32_t headerOffset = 0;  // file offset of the tag's header
    bool descending = false;
    bool unique = false;
};

// Produces index entries in ascending (key, recno) order for bulk building. Returns false at the
// end. `key` must stay valid until the next call.
using EntrySource = std::function<bool(const uint8_t** key, uint32_t* recno)>;

// Walks one tag in key order (ascending, or descending for a descending tag's own order: Seek
// then lands on the first entry, in that order, whose key begins with the prefix or is smaller
// than it, and SeekEntry on the entry or the next one in that order). An iterator stays usable
// across Insert/Remove on its tag only after a new Seek.
class CdxIterator {
public:
    virtual ~CdxIterator() = default;
    virtual bool Valid() const = 0;
    virtual const uint8_t* key() const = 0;  // keyLength bytes, trailing bytes restored
    virtual uint32_t recno() const = 0;
    virtual Status SeekFirst() = 0;
    virtual Status SeekLast() = 0;
    // First entry whose key is >= `prefix` when compared over prefix's length (a partial key
    // lands on the first key that begins with it, or on the next larger one).
    virtual Status Seek(const uint8_t* prefix, size_t len) = 0;
    // The entry (key, recno) itself, or the first entry after it.
    virtual Status SeekEntry(const uint8_t* key, uint32_t recno) = 0;
    virtual Status Next() = 0;  // past the last entry: !Valid()
    virtual Status Prev() = 0;  // before the first entry: !Valid()
};

class CdxTag {
public:
    virtual ~CdxTag() = default;
    virtual const TagInfo& info() const = 0;
    // The byte that trailing-count compression stands for: ' ' for character keys (default),
    // 0x00 for numeric and date keys. The owner sets it once it knows the key type.
    virtual void SetTrailByte(uint8_t b) = 0;
    virtual uint8_t trailByte() const = 0;

    // Adds (key, recno); key is keyLength bytes. Splits nodes and grows a new root as needed.
    virtual Status Insert(const uint8_t* key, uint32_t recno) = 0;
    // Removes (key, recno); NotFound when absent. Emptied nodes go to the free list.
    virtual Status Remove(const uint8_t* key, uint32_t recno) = 0;
    // Throws away the tree and builds it anew from `source` (sorted), freeing the old nodes.
    virtual Status Rebuild(const EntrySource& source) = 0;
    // Walks the tag in its own order: a descending tag from its greatest key down.
    virtual std::unique_ptr<CdxIterator> NewIterator() = 0;
    // Walks the tree as stored, ascending whatever the tag's order.
    virtual std::unique_ptr<CdxIterator> NewTreeIterator() = 0;
    // Checks the tree's structure (node kinds, key order across nodes, sibling links, interior
    // keys equal to their child's last key); Corruption names the node.
    virtual Status Verify() = 0;
};

class CdxFile {
public:
    virtual ~CdxFile() = default;

    // Opens an existing compound index: reads the tag directory and every tag header. Corruption
    // names the file and what is wrong (bad node offset, key length 0 or > 240, loops).
    static Status Open(const std::string& path, bool writable, std::unique_ptr<CdxFile>* out);
    // Creates a compound index with an empty tag directory. Fails when the file exists.
    static Status Create(const std::string& path, std::unique_ptr<CdxFile>* out);

    virtual const std::string& path() const = 0;
    // Tags in directory order (sorted by name: "1", "10", "11", "12", "2", ...).
    virtual std::vector<CdxTag*> tags() = 0;
    virtual CdxTag* FindTag(std::string_view name) = 0;  // any letter case; nullptr if absent
    // Adds an ascending, non-unique, unconditional tag (replacing a tag of the same name) and
    // fills it from `source`.
    virtual Status AddTag(std::string_view name, std::string_view expression, uint16_t keyLength,
                          uint8_t trailByte, const EntrySource& source, CdxTag** out) = 0;

    // Crash detection: a writer marks the file dirty before it changes any node and clean when
    // the change is complete; a file found dirty at open was left mid-change.
    virtual bool dirty() const = 0;
    virtual Status SetDirty(bool dirty) = 0;
    // SetDirty(false) also increments a generation counter stored beside the mark; other processes
    // compare it to know that their cached nodes are stale.
    virtual uint32_t generation() const = 0;
    // Re-reads the directory header and drops cached nodes when the generation on disk differs.
    virtual Status Refresh() = 0;
    // After a change failed part way the file may lack keys: while held, SetDirty(false) leaves
    // the mark set (the generation still moves on), until a rebuild releases it.
    virtual void HoldDirty(bool hold) = 0;
    virtual bool dirtyHeld() const = 0;
    // The table's record count written with the last clean mark; false when the file carries
    // none (made by another writer or by an earlier version of this program).
    virtual bool stampRecords(uint32_t* records) const = 0;
    // The record count the next SetDirty writes.
    virtual void SetStampRecords(uint32_t records) = 0;
    virtual File& file() = 0;
};

}  // namespace xbase
