// Memo texts in FPT files (read and write) and dBase .dbt files (read). Block pointers come from
// table records and lengths from the memo file itself, so both are checked against the file size
// before anything is allocated or read.
#include "platform/xbase/memo_file.h"

#include <cstring>
#include <vector>

#include "platform/xbase/bytes.h"

namespace xbase {

namespace {

constexpr uint32_t kHeaderSize = 512;
constexpr uint32_t kBlockHeaderSize = 8;
constexpr uint32_t kTextMemo = 1;
constexpr uint32_t kDbtBlockSize = 512;

bool EndsWithNoCase(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    if (s.size() < n)
        return false;
    for (size_t i = 0; i < n; ++i) {
        char c = s[s.size() - n + i];
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
        if (c != suffix[i])
            return false;
    }
    return true;
}

uint64_t CeilDiv(uint64_t a, uint64_t b) {
    return (a + b - 1) / b;
}

}  // namespace

Status MemoFile::Open(const std::string& path, bool writable, std::unique_ptr<MemoFile>* out) {
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(
        File::Open(path, writable ? File::Mode::kReadWrite : File::Mode::kReadOnly, &file));
    const Kind kind = EndsWithNoCase(path, ".dbt") ? Kind::kDbt : Kind::kFpt;
    std::unique_ptr<MemoFile> memo(new MemoFile(std::move(file), kind));
    XB_RETURN_IF_ERROR(memo->RefreshHeader());
    *out = std::move(memo);
    return Status::OK();
}

Status MemoFile::Create(const std::string& path, uint16_t blockSize,
                        std::unique_ptr<MemoFile>* out) {
    if (blockSize == 0)
        return Status::InvalidArgument(path, "memo block size must not be 0");
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(File::Open(path, File::Mode::kCreateNew, &file));
    std::unique_ptr<MemoFile> memo(new MemoFile(std::move(file), Kind::kFpt));
    memo->blockSize_ = blockSize;
    memo->nextFree_ = uint32_t(CeilDiv(kHeaderSize, blockSize));
    memo->headerRead_ = true;
    uint8_t header[kHeaderSize] = {};
    StoreBE32(header, memo->nextFree_);
    StoreBE16(header + 6, blockSize);
    XB_RETURN_IF_ERROR(memo->file_->WriteAt(0, header, sizeof header));
    *out = std::move(memo);
    return Status::OK();
}

Status MemoFile::RefreshHeader() {
    uint8_t header[kHeaderSize];
    size_t got = 0;
    XB_RETURN_IF_ERROR(file_->ReadSomeAt(0, header, sizeof header, &got));
    if (got < kHeaderSize) {
        return Status::Corruption(path(),
                                  "memo header truncated (" + std::to_string(got) + " bytes)");
    }
    uint32_t blockSize = 0;
    uint32_t nextFree = 0;
    if (kind_ == Kind::kFpt) {
        nextFree = LoadBE32(header);
        blockSize = LoadBE16(header + 6);
        if (blockSize == 0)
            return Status::Corruption(path(), "memo block size is 0");
    } else {
        // dBase III leaves the block size 0 and means 512; dBase IV records its own.
        nextFree = LoadLE32(header);
        blockSize = LoadLE16(header + 20);
        if (blockSize == 0 || blockSize % 64 != 0)
            blockSize = kDbtBlockSize;
    }
    if (headerRead_ && blockSize != blockSize_) {
        return Status::Corruption(path(), "memo block size changed while open");
    }
    blockSize_ = blockSize;
    nextFree_ = nextFree;
    headerRead_ = true;
    return Status::OK();
}

Status MemoFile::Read(uint32_t block, std::string* text) const {
    text->clear();
    if (block == 0)
        return Status::OK();
    const std::string where = "memo block " + std::to_string(block);
    const uint64_t offset = uint64_t(block) * blockSize_;
    if (offset < kHeaderSize)
        return Status::Corruption(path(), where + " points into the header");
    uint64_t fileSize = 0;
    XB_RETURN_IF_ERROR(file_->Size(&fileSize));
    if (offset >= fileSize)
        return Status::Corruption(path(), where + " lies past the end of the file");
    return kind_ == Kind::kFpt ? ReadFpt(offset, fileSize, where, text)
                               : ReadDbt(offset, fileSize, where, text);
}

Status MemoFile::ReadFpt(uint64_t offset, uint64_t fileSize, const std::string& where,
                         std::string* text) const {
    if (offset + kBlockHeaderSize > fileSize) {
        return Status::Corruption(path(), where + " lies past the end of the file");
    }
    uint8_t head[kBlockHeaderSize];
    XB_RETURN_IF_ERROR(file_->ReadAt(offset, head, sizeof head));
    const uint32_t type = LoadBE32(head);
    const uint32_t length = LoadBE32(head + 4);
    // 0 picture, 1 text, 2 object: the bytes are returned alike; anything else is not a memo.
    if (type > 2)
        return Status::Corruption(path(),
                                  where + " holds no memo (type " + std::to_string(type) + ")");
    if (offset + kBlockHeaderSize + length > fileSize) {
        return Status::Corruption(path(), where + " says " + std::to_string(length) +
                                              " bytes, but the file ends after " +
                                              std::to_string(fileSize - offset - kBlockHeaderSize));
    }
    text->resize(length);
    return file_->ReadAt(offset + kBlockHeaderSize, text->data(), length);
}

Status MemoFile::ReadDbt(uint64_t offset, uint64_t fileSize, const std::string& where,
                         std::string* text) const {
    // dBase IV starts a memo with FF FF 08 00 and a length that counts those 8 bytes.
    uint8_t head[kBlockHeaderSize] = {};
    size_t got = 0;
    XB_RETURN_IF_ERROR(file_->ReadSomeAt(offset, head, sizeof head, &got));
    if (got == sizeof head && head[0] == 0xFF && head[1] == 0xFF && head[2] == 0x08 &&
        head[3] == 0x00) {
        const uint32_t length = LoadLE32(head + 4);
        if (length < kBlockHeaderSize || offset + length > fileSize) {
            return Status::Corruption(path(),
                                      where + " has a bad length " + std::to_string(length));
        }
        text->resize(length - kBlockHeaderSize);
        return file_->ReadAt(offset + kBlockHeaderSize, text->data(), text->size());
    }
    // dBase III: text up to 1A 1A. A file that ends first gives what is there.
    std::vector<char> chunk(kDbtBlockSize);
    for (uint64_t at = offset; at < fileSize; at += chunk.size()) {
        XB_RETURN_IF_ERROR(file_->ReadSomeAt(at, chunk.data(), chunk.size(), &got));
        if (got == 0)
            break;
        const size_t before = text->size();
        text->append(chunk.data(), got);
        const size_t from = before == 0 ? 0 : before - 1;
        const size_t end = text->find("\x1A\x1A", from);
        if (end != std::string::npos) {
            text->resize(end);
            return Status::OK();
        }
    }
    if (!text->empty() && text->back() == '\x1A')
        text->pop_back();
    return Status::OK();
}

Status MemoFile::Write(uint32_t oldBlock, std::string_view text, uint32_t* block) {
    if (kind_ != Kind::kFpt)
        return Status::NotSupported(path(), "dBase memo files are read only here");
    if (!file_->writable())
        return Status::InvalidArgument(path(), "memo file is open read-only");
    if (text.empty()) {
        *block = 0;
        return Status::OK();
    }
    if (text.size() > UINT32_MAX - kBlockHeaderSize)
        return Status::InvalidArgument(path(), "memo text too long");
    const uint64_t bytes = kBlockHeaderSize + text.size();
    const uint64_t needed = CeilDiv(bytes, blockSize_);
    uint64_t fileSize = 0;
    XB_RETURN_IF_ERROR(file_->Size(&fileSize));

    std::vector<uint8_t> data(bytes);
    StoreBE32(data.data(), kTextMemo);
    StoreBE32(data.data() + 4, uint32_t(text.size()));
    std::memcpy(data.data() + kBlockHeaderSize, text.data(), text.size());

    // In place when the old memo is sound and its blocks can take the new text.
    const uint64_t oldOffset = uint64_t(oldBlock) * blockSize_;
    if (oldBlock != 0 && oldOffset >= kHeaderSize && oldOffset + kBlockHeaderSize <= fileSize) {
        uint8_t head[kBlockHeaderSize];
        XB_RETURN_IF_ERROR(file_->ReadAt(oldOffset, head, sizeof head));
        const uint64_t oldBytes = kBlockHeaderSize + uint64_t(LoadBE32(head + 4));
        if (LoadBE32(head) <= 2 && oldOffset + oldBytes <= fileSize &&
            needed <= CeilDiv(oldBytes, blockSize_)) {
            XB_RETURN_IF_ERROR(file_->WriteAt(oldOffset, data.data(), data.size()));
            *block = oldBlock;
            return Status::OK();
        }
    }

    // Append after both the next-free pointer and the file's end: another engine may not pad its
    // last memo, or may keep the pointer behind data it wrote. A pointer far past the end is not
    // followed, so a damaged header cannot make us write gigabytes of holes.
    const uint64_t endBlock = CeilDiv(fileSize < kHeaderSize ? kHeaderSize : fileSize, blockSize_);
    uint64_t at = endBlock;
    if (nextFree_ > endBlock && nextFree_ <= endBlock + 1)
        at = nextFree_;
    if (at + needed > UINT32_MAX)
        return Status::InvalidArgument(path(), "memo file is full");
    data.resize(needed * blockSize_, 0);
    XB_RETURN_IF_ERROR(file_->WriteAt(at * blockSize_, data.data(), data.size()));

    uint8_t next[4];
    StoreBE32(next, uint32_t(at + needed));
    XB_RETURN_IF_ERROR(file_->WriteAt(0, next, sizeof next));
    nextFree_ = uint32_t(at + needed);
    *block = uint32_t(at);
    return Status::OK();
}

}  // namespace xbase
