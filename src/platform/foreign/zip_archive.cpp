#include "platform/foreign/zip_archive.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/xbase/bytes.h"

namespace foreign {

namespace {

constexpr uint32_t kZipLocalSig = 0x04034b50;
constexpr uint32_t kZipCentralSig = 0x02014b50;
constexpr uint32_t kZipEndSig = 0x06054b50;
constexpr size_t kZipEndSize = 22;
constexpr size_t kZipCentralSize = 46;
constexpr size_t kZipLocalSize = 30;
// The end record may be followed by a comment of up to 64 KiB.
constexpr size_t kZipEndSearch = kZipEndSize + 0xFFFF;
constexpr size_t kZipChunk = 64 * 1024;

bool ZipReadAt(std::FILE* file, uint64_t offset, size_t size, std::vector<unsigned char>* out) {
    out->resize(size);
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0)
        return false;
    return std::fread(out->data(), 1, size, file) == size;
}

}  // namespace

bool LooksLikeZip(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         std::fclose);
    unsigned char head[4] = {};
    if (!file || std::fread(head, 1, 4, file.get()) != 4)
        return false;
    const uint32_t sig = xbase::LoadLE32(head);
    return sig == kZipLocalSig || sig == kZipEndSig;
}

ZipMember::~ZipMember() {
    if (inflating_)
        inflateEnd(&zs_);
}

tunelo::Status ZipMember::Fail(const std::string& what) const {
    return tunelo::Status::Corruption(path_, name_.empty() ? what : name_ + ": " + what);
}

tunelo::Status ZipMember::Open(const std::string& path, std::string_view name,
                               std::unique_ptr<ZipMember>* member, uint64_t limit) {
    std::unique_ptr<ZipMember> zip(new ZipMember());
    zip->path_ = path;
    zip->file_.reset(std::fopen(path.c_str(), "rb"));
    if (!zip->file_)
        return tunelo::Status::NotFound(path, "the file cannot be opened");
    std::FILE* file = zip->file_.get();
    if (std::fseek(file, 0, SEEK_END) != 0)
        return tunelo::Status::IOError(path, "the file cannot be read");
    const long end = std::ftell(file);
    if (end < 0)
        return tunelo::Status::IOError(path, "the file cannot be read");
    const uint64_t fileSize = static_cast<uint64_t>(end);
    zip->archiveSize_ = fileSize;

    // The end of central directory record, searched backwards from the end of the file.
    const size_t tail = static_cast<size_t>(std::min<uint64_t>(fileSize, kZipEndSearch));
    std::vector<unsigned char> buf;
    if (tail < kZipEndSize || !ZipReadAt(file, fileSize - tail, tail, &buf))
        return zip->Fail("not a zip archive, or one cut short: its central directory is missing");
    size_t at = tail - kZipEndSize + 1;
    bool found = false;
    while (at-- > 0) {
        if (xbase::LoadLE32(&buf[at]) == kZipEndSig) {
            found = true;
            break;
        }
    }
    if (!found)
        return zip->Fail("not a zip archive, or one cut short: its central directory is missing");
    const unsigned char* eocd = &buf[at];
    const uint64_t eocdOffset = fileSize - tail + at;
    const uint16_t entries = xbase::LoadLE16(eocd + 10);
    const uint32_t dirSize = xbase::LoadLE32(eocd + 12);
    const uint32_t dirOffset = xbase::LoadLE32(eocd + 16);
    if (xbase::LoadLE16(eocd + 4) != 0 || xbase::LoadLE16(eocd + 6) != 0)
        return zip->Fail("archives split over several files are not supported");
    if (dirOffset == 0xFFFFFFFF || entries == 0xFFFF)
        return zip->Fail("zip64 archives are not supported");
    if (uint64_t{dirOffset} + dirSize > eocdOffset)
        return zip->Fail("its central directory lies outside the file");

    std::vector<unsigned char> dir;
    if (!ZipReadAt(file, dirOffset, dirSize, &dir))
        return zip->Fail("its central directory cannot be read");
    size_t pos = 0;
    for (uint16_t i = 0; i < entries; ++i) {
        if (pos + kZipCentralSize > dir.size() || xbase::LoadLE32(&dir[pos]) != kZipCentralSig)
            return zip->Fail("its central directory is damaged");
        const unsigned char* e = &dir[pos];
        const size_t nameLen = xbase::LoadLE16(e + 28);
        const size_t entryLen =
            kZipCentralSize + nameLen + xbase::LoadLE16(e + 30) + xbase::LoadLE16(e + 32);
        if (pos + entryLen > dir.size())
            return zip->Fail("its central directory is damaged");
        const std::string_view entryName(reinterpret_cast<const char*>(e + kZipCentralSize),
                                         nameLen);
        if (entryName != name) {
            pos += entryLen;
            continue;
        }
        zip->name_ = std::string(name);
        const uint16_t flags = xbase::LoadLE16(e + 8);
        const uint16_t method = xbase::LoadLE16(e + 10);
        const uint32_t compressed = xbase::LoadLE32(e + 20);
        const uint32_t size = xbase::LoadLE32(e + 24);
        const uint32_t local = xbase::LoadLE32(e + 42);
        if (flags & 0x0041)
            return zip->Fail("it is encrypted");
        if (method != 0 && method != 8)
            return zip->Fail("it is compressed in a way that cannot be read (method " +
                             std::to_string(method) + ")");
        if (compressed == 0xFFFFFFFF || size == 0xFFFFFFFF || local == 0xFFFFFFFF)
            return zip->Fail("zip64 members are not supported");
        if (size > limit)
            return zip->Fail("it would unpack to " + std::to_string(size) +
                             " bytes, more than the " + std::to_string(limit) + " allowed");
        if (method == 0 && compressed != size)
            return zip->Fail("its stored size and its size differ");
        std::vector<unsigned char> head;
        if (uint64_t{local} + kZipLocalSize > dirOffset ||
            !ZipReadAt(file, local, kZipLocalSize, &head) ||
            xbase::LoadLE32(head.data()) != kZipLocalSig)
            return zip->Fail("its local header is missing or damaged");
        const uint64_t data = uint64_t{local} + kZipLocalSize + xbase::LoadLE16(&head[26]) +
                              xbase::LoadLE16(&head[28]);
        if (data + compressed > dirOffset)
            return zip->Fail("its data runs past the end of the archive");
        if (std::fseek(file, static_cast<long>(data), SEEK_SET) != 0)
            return zip->Fail("its data cannot be read");
        zip->deflated_ = method == 8;
        zip->crc_ = xbase::LoadLE32(e + 16);
        zip->compressedLeft_ = compressed;
        zip->size_ = size;
        zip->archiveDone_ = data;
        if (zip->deflated_) {
            if (inflateInit2(&zip->zs_, -MAX_WBITS) != Z_OK)
                return tunelo::Status::IOError(path, "the unpacker cannot start");
            zip->inflating_ = true;
        }
        *member = std::move(zip);
        return tunelo::Status::OK();
    }
    return tunelo::Status::NotFound(path, "the archive holds no " + std::string(name));
}

tunelo::Status ZipMember::Finish() {
    if (produced_ != size_)
        return Fail("it unpacks to " + std::to_string(produced_) + " bytes, not the " +
                    std::to_string(size_) + " its header states");
    if (crcSeen_ != crc_)
        return Fail("its CRC does not match: the archive is damaged");
    finished_ = true;
    return tunelo::Status::OK();
}

tunelo::Status ZipMember::Read(std::string* chunk, bool* end) {
    chunk->clear();
    *end = false;
    if (finished_) {
        *end = true;
        return tunelo::Status::OK();
    }
    for (;;) {
        if (input_.empty() && compressedLeft_ > 0) {
            input_.resize(static_cast<size_t>(std::min<uint64_t>(compressedLeft_, kZipChunk)));
            if (std::fread(input_.data(), 1, input_.size(), file_.get()) != input_.size())
                return Fail("the archive is cut short");
            compressedLeft_ -= input_.size();
            archiveDone_ += input_.size();
            if (deflated_) {
                zs_.next_in = reinterpret_cast<Bytef*>(input_.data());
                zs_.avail_in = static_cast<uInt>(input_.size());
            }
        }
        if (!deflated_) {
            if (input_.empty()) {
                tunelo::Status status = Finish();
                *end = status.ok();
                return status;
            }
            chunk->swap(input_);
            input_.clear();
        } else {
            chunk->resize(kZipChunk);
            zs_.next_out = reinterpret_cast<Bytef*>(chunk->data());
            zs_.avail_out = static_cast<uInt>(chunk->size());
            const int rc = inflate(&zs_, Z_NO_FLUSH);
            chunk->resize(chunk->size() - zs_.avail_out);
            if (zs_.avail_in == 0)
                input_.clear();
            if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR)
                return Fail("its compressed data is damaged");
            if (rc == Z_STREAM_END && compressedLeft_ + zs_.avail_in > 0)
                return Fail("its compressed data ends before its stated size");
            if (rc != Z_STREAM_END && chunk->empty() && input_.empty() && compressedLeft_ == 0)
                return Fail("its compressed data is cut short");
            if (rc == Z_STREAM_END && chunk->empty()) {
                tunelo::Status status = Finish();
                *end = status.ok();
                return status;
            }
        }
        if (chunk->empty())
            continue;
        produced_ += chunk->size();
        // Bytes from disk are never trusted: a member may not grow past the size it states.
        if (produced_ > size_)
            return Fail("it unpacks to more than the " + std::to_string(size_) +
                        " bytes its header states");
        crcSeen_ =
            static_cast<uint32_t>(crc32(crcSeen_, reinterpret_cast<const Bytef*>(chunk->data()),
                                        static_cast<uInt>(chunk->size())));
        return tunelo::Status::OK();
    }
}

}  // namespace foreign
