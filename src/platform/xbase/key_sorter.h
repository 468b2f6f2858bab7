// The keys of a whole table under one expression, sorted as a tag keeps them (by key bytes, equal
// keys by record number), for building a tag in one pass. Memory stays bounded: keys are sorted
// in runs of a set size; when there is more than one run, each is written to a scratch file beside
// the index and the runs are merged as they are read.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/xbase/cdx_file.h"
#include "platform/xbase/file.h"

namespace xbase {

class SortedKeys {
public:
    static const size_t kDefaultRunBytes;

    // Starts a list of `keyLength`-byte keys, sorted in runs of about `runBytes`; `scratchPath`
    // names the file that takes the runs when they do not fit in one.
    void Reset(uint16_t keyLength, size_t runBytes, std::string scratchPath);
    // Adds the key of record `recno`; records come in ascending order.
    Status Add(const uint8_t* key, uint32_t recno);
    // Sorts what was added; after it, Source gives the entries in order.
    Status Sort();
    uint64_t size() const { return total_; }
    // Entries in order, once; valid while this object lives. A read failure ends the entries
    // early and is kept in status().
    EntrySource Source();
    const Status& status() const { return status_; }

private:
    struct Entry {
        uint64_t prefix;  // the key's first 8 bytes, big-endian: settles most comparisons
        uint32_t offset;  // of the key in keys_
        uint32_t recno;
    };
    struct Run {
        uint64_t next = 0, end = 0;  // file offsets of the unread part
        std::vector<uint8_t> buffer;
        size_t at = 0, filled = 0;
    };
    void SortRun();
    Status Spill();
    Status Fill(Run* run);
    bool NextFromRuns(const uint8_t** key, uint32_t* recno);
    // Whether run a's current entry comes after run b's (the order of a min-heap).
    bool RunAfter(uint32_t a, uint32_t b) const;

    uint16_t keyLength_ = 0;
    size_t capacity_ = 0;  // entries in a run
    std::string scratchPath_;
    std::unique_ptr<uint8_t[]> keys_;
    std::vector<Entry> order_;
    std::unique_ptr<File> scratch_;
    uint64_t written_ = 0;
    std::vector<Run> runs_;
    std::vector<uint32_t> heap_;  // runs with entries left, the smallest first
    size_t next_ = 0;
    uint64_t total_ = 0;
    Status status_;
};

}  // namespace xbase
