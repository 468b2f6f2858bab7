// The FPT memo file of a FoxPro table: a 512-byte header (next free block and block size, both
// big-endian) followed by blocks; each memo starts a block with its type and length (big-endian)
// and takes as many whole blocks as it needs. dBase III .dbt memo files are read as well.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/xbase/file.h"
#include "platform/xbase/status.h"

namespace xbase {

class MemoFile {
public:
    enum class Kind { kFpt, kDbt };

    // Opens an existing memo file; the kind follows from the extension (.dbt or else FPT).
    static Status Open(const std::string& path, bool writable, std::unique_ptr<MemoFile>* out);
    // Creates an empty FPT file with the given block size (FoxPro's default is 64; the first memo
    // then starts at block 8, right after the header).
    static Status Create(const std::string& path, uint16_t blockSize,
                         std::unique_ptr<MemoFile>* out);

    const std::string& path() const { return file_->path(); }
    Kind kind() const { return kind_; }
    uint32_t blockSize() const { return blockSize_; }
    uint32_t nextFreeBlock() const { return nextFree_; }
    File& file() { return *file_; }

    // Reads the text at `block` (0 = no memo: empty text). Lengths are checked against the file
    // size; a pointer past the end or into the header is Corruption naming the block.
    Status Read(uint32_t block, std::string* text) const;
    // Stores `text` as a text memo. When `oldBlock` holds a memo whose blocks can take the new
    // text, it is rewritten in place; otherwise the text is appended. Empty text stores nothing
    // and gives block 0. *block receives the memo's block.
    Status Write(uint32_t oldBlock, std::string_view text, uint32_t* block);
    // Re-reads the header (another process may have appended). A block size other than the one
    // first read is Corruption: every pointer would change meaning.
    Status RefreshHeader();

private:
    MemoFile(std::unique_ptr<File> file, Kind kind) : file_(std::move(file)), kind_(kind) {}
    Status ReadFpt(uint64_t offset, uint64_t fileSize, const std::string& where,
                   std::string* text) const;
    Status ReadDbt(uint64_t offset, uint64_t fileSize, const std::string& where,
                   std::string* text) const;

    std::unique_ptr<File> file_;
    Kind kind_;
    uint32_t blockSize_ = 64;
    uint32_t nextFree_ = 8;
    bool headerRead_ = false;
};

}  // namespace xbase
