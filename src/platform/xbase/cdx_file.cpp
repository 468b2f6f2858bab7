// CdxFile: the tag directory (itself a compact tree keyed by tag name, whose record numbers are
// tag header offsets), the tags it lists, and our bookkeeping in unused bytes of the directory
// header: the crash-detection mark, the generation counter and the table's record count.
#include "platform/xbase/cdx_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/xbase/bytes.h"
#include "platform/xbase/cdx_layout.h"
#include "platform/xbase/cdx_node_store.h"
#include "platform/xbase/cdx_tag.h"

namespace xbase {

namespace {

constexpr uint8_t kDirectoryOptions =
    cdx::kOptionCompact | cdx::kOptionCompound | cdx::kOptionDirectory;

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// Directory keys hold the name padded with blanks (some writers pad with NULs).
std::string NameFromKey(const uint8_t* key, size_t len) {
    while (len > 0 && (key[len - 1] == ' ' || key[len - 1] == 0))
        --len;
    return std::string(reinterpret_cast<const char*>(key), len);
}

std::vector<uint8_t> KeyFromName(const std::string& name, size_t len) {
    std::vector<uint8_t> key(len, ' ');
    std::memcpy(key.data(), name.data(), std::min(len, name.size()));
    return key;
}

class CdxFileImpl : public CdxFile {
public:
    explicit CdxFileImpl(std::unique_ptr<File> file) : file_(std::move(file)) {}

    Status Load() {
        cdx::TagHeader h;
        uint64_t size = 0;
        XB_RETURN_IF_ERROR(ReadDirectoryHeader(&h, &size));
        store_ = std::make_unique<CdxNodeStore>(file_.get(), size, h.freeList);
        directory_ = std::make_unique<CdxTagImpl>(store_.get(), DirectoryInfo(h), h.root, ' ');
        TakeKeeping(h);
        return LoadTags();
    }

    const std::string& path() const override { return file_->path(); }
    File& file() override { return *file_; }
    bool dirty() const override { return dirty_; }
    uint32_t generation() const override { return generation_; }
    void HoldDirty(bool hold) override { held_ = hold; }
    bool dirtyHeld() const override { return held_; }
    bool stampRecords(uint32_t* records) const override {
        *records = stampRecords_;
        return keeping_ == cdx::TagHeader::Keeping::kOurs;
    }
    void SetStampRecords(uint32_t records) override { stampRecords_ = records; }

    std::vector<CdxTag*> tags() override {
        std::vector<CdxTag*> out;
        for (auto& t : tags_)
            out.push_back(t.get());
        return out;
    }

    CdxTag* FindTag(std::string_view name) override { return Find(UpperAscii(name)); }

    Status AddTag(std::string_view name, std::string_view expression, uint16_t keyLength,
                  uint8_t trailByte, const EntrySource& source, CdxTag** out) override {
        if (!file_->writable())
            return Status::InvalidArgument(path(), "the index is open read-only");
        const size_t nameRoom = directory_->info().keyLength;
        bool nameOk = !name.empty() && name.size() <= nameRoom;
        for (char c : name)
            nameOk = nameOk && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
        if (!nameOk)
            return Status::InvalidArgument(path(), "invalid tag name '" + std::string(name) + "'");
        if (keyLength == 0 || keyLength > cdx::kMaxKeyLength) {
            return Status::InvalidArgument(
                path(), "key length " + std::to_string(keyLength) + " is outside 1..240");
        }
        if (expression.size() + 2 > cdx::kHeaderSize - cdx::kExpressionPool) {
            return Status::InvalidArgument(path(), "key expression too long");
        }
        TagInfo info;
        info.name = UpperAscii(name);
        info.expression = std::string(expression);
        info.keyLength = keyLength;
        if (CdxTagImpl* existing = Find(info.name)) {
            info.headerOffset = existing->info().headerOffset;
            if (out != nullptr)
                *out = existing;
            return existing->Recreate(info, trailByte, source);
        }
        info.headerOffset = store_->Extend(cdx::kHeaderSize / cdx::kNodeSize);
        auto tag = std::make_unique<CdxTagImpl>(store_.get(), info, 0, trailByte);
        Status built = tag->Recreate(info, trailByte, source);
        if (tag->root() == 0)
            return built;
        // The tag is complete on disk before the directory lists it.
        std::vector<uint8_t> key = KeyFromName(info.name, nameRoom);
        XB_RETURN_IF_ERROR(directory_->Insert(key.data(), info.headerOffset));
        auto at = std::find_if(tags_.begin(), tags_.end(), [&](const auto& t) {
            return KeyFromName(t->info().name, nameRoom) > key;
        });
        CdxTagImpl* added = tags_.insert(at, std::move(tag))->get();
        if (out != nullptr)
            *out = added;
        return built;
    }

    Status SetDirty(bool dirty) override {
        if (!file_->writable())
            return Status::InvalidArgument(path(), "the index is open read-only");
        cdx::TagHeader h;
        h.dirtyMark = dirty || held_ ? 1 : 0;
        h.generation = dirty ? generation_ : generation_ + 1;
        h.stampRecords = stampRecords_;
        // A file of the previous version also gets bytes 16..23 back to the zeros FoxPro writes;
        // another writer's stay as they are.
        const bool old = keeping_ == cdx::TagHeader::Keeping::kOld;
        uint8_t b[cdx::kOwnEnd - cdx::kOthersOffset] = {};
        cdx::EncodeKeeping(h, b + (cdx::kOwnOffset - cdx::kOthersOffset));
        const size_t skip = old ? 0 : cdx::kOwnOffset - cdx::kOthersOffset;
        XB_RETURN_IF_ERROR(file_->WriteAt(cdx::kOthersOffset + skip, b + skip, sizeof b - skip));
        keeping_ = cdx::TagHeader::Keeping::kOurs;
        dirty_ = h.dirtyMark != 0;
        generation_ = h.generation;
        if (dirty && !freePagesConverted_) {
            // Once per file and process, under the writer's lock: the list may be older than us.
            XB_RETURN_IF_ERROR(store_->ConvertEarlierFreePages());
            freePagesConverted_ = true;
        }
        return Status::OK();
    }

    Status Refresh() override {
        // The common case, nothing changed, costs one small read.
        uint8_t head[cdx::kOwnEnd];
        XB_RETURN_IF_ERROR(file_->ReadAt(0, head, sizeof head));
        cdx::TagHeader quick;
        cdx::DecodeKeeping(head, &quick);
        if (quick.generation == generation_) {
            TakeKeeping(quick);
            return Status::OK();
        }
        cdx::TagHeader h;
        uint64_t size = 0;
        XB_RETURN_IF_ERROR(ReadDirectoryHeader(&h, &size));
        const bool changed = h.generation != generation_;
        TakeKeeping(h);
        if (!changed)
            return Status::OK();
        store_->Reset(size, h.freeList);
        freePagesConverted_ = false;
        directory_->Reload(DirectoryInfo(h), h.root);
        return LoadTags();
    }

private:
    void TakeKeeping(const cdx::TagHeader& h) {
        keeping_ = h.keeping;
        dirty_ = h.dirtyMark != 0;
        generation_ = h.generation;
        stampRecords_ = h.stampRecords;
    }

    static TagInfo DirectoryInfo(const cdx::TagHeader& h) {
        TagInfo info;
        info.name = "(directory)";
        info.keyLength = h.keyLength;
        info.headerOffset = 0;
        return info;
    }

    CdxTagImpl* Find(const std::string& upper) {
        for (auto& t : tags_) {
            if (t->info().name == upper)
                return t.get();
        }
        return nullptr;
    }

    Status ReadDirectoryHeader(cdx::TagHeader* h, uint64_t* size) {
        XB_RETURN_IF_ERROR(file_->Size(size));
        if (*size < cdx::kHeaderSize + cdx::kNodeSize) {
            return Status::Corruption(path(), "file of " + std::to_string(*size) +
                                                  " bytes is too short for a compound index");
        }
        uint8_t buf[cdx::kHeaderSize];
        XB_RETURN_IF_ERROR(file_->ReadAt(0, buf, sizeof buf));
        return cdx::DecodeTagHeader(path(), 0, buf, *size, h);
    }

    // Reads the directory and every tag header. Tags already known keep their objects (callers
    // hold pointers to them) and their trail byte.
    Status LoadTags() {
        std::vector<std::unique_ptr<CdxTagImpl>> loaded;
        auto it = directory_->NewIterator();
        XB_RETURN_IF_ERROR(it->SeekFirst());
        const uint64_t size = store_->fileEnd();
        while (it->Valid()) {
            TagInfo info;
            info.name = NameFromKey(it->key(), directory_->info().keyLength);
            info.headerOffset = it->recno();
            if (info.headerOffset % cdx::kNodeSize != 0 || info.headerOffset < cdx::kFirstNode ||
                info.headerOffset + uint64_t(cdx::kHeaderSize) > size) {
                return Status::Corruption(path(), "tag " + info.name + ": header offset " +
                                                      std::to_string(info.headerOffset) +
                                                      " is outside the file");
            }
            uint8_t buf[cdx::kHeaderSize];
            XB_RETURN_IF_ERROR(file_->ReadAt(info.headerOffset, buf, sizeof buf));
            cdx::TagHeader h;
            XB_RETURN_IF_ERROR(cdx::DecodeTagHeader(path(), info.headerOffset, buf, size, &h));
            info.expression = h.expression;
            info.forExpression = h.forExpression;
            info.keyLength = h.keyLength;
            info.descending = h.order == 1;
            info.unique = (h.options & cdx::kOptionUnique) != 0;
            auto known = std::find_if(tags_.begin(), tags_.end(), [&](const auto& t) {
                return t && t->info().name == info.name;
            });
            if (known != tags_.end()) {
                (*known)->Reload(info, h.root);
                loaded.push_back(std::move(*known));
            } else {
                loaded.push_back(std::make_unique<CdxTagImpl>(store_.get(), info, h.root, ' '));
            }
            XB_RETURN_IF_ERROR(it->Next());
        }
        for (auto& t : tags_) {
            if (t)
                retired_.push_back(std::move(t));  // dropped by another process
        }
        tags_ = std::move(loaded);
        return Status::OK();
    }

    std::unique_ptr<File> file_;
    std::unique_ptr<CdxNodeStore> store_;
    std::unique_ptr<CdxTagImpl> directory_;
    std::vector<std::unique_ptr<CdxTagImpl>> tags_;     // directory order
    std::vector<std::unique_ptr<CdxTagImpl>> retired_;  // kept alive for pointers held outside
    cdx::TagHeader::Keeping keeping_ = cdx::TagHeader::Keeping::kOurs;
    bool dirty_ = false;
    bool freePagesConverted_ = false;
    bool held_ = false;
    uint32_t generation_ = 0;
    uint32_t stampRecords_ = 0;
};

}  // namespace

Status CdxFile::Open(const std::string& path, bool writable, std::unique_ptr<CdxFile>* out) {
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(File::Open(
        ResolvePathNoCase(path), writable ? File::Mode::kReadWrite : File::Mode::kReadOnly, &file));
    auto impl = std::make_unique<CdxFileImpl>(std::move(file));
    XB_RETURN_IF_ERROR(impl->Load());
    *out = std::move(impl);
    return Status::OK();
}

Status CdxFile::Create(const std::string& path, std::unique_ptr<CdxFile>* out) {
    std::unique_ptr<File> file;
    XB_RETURN_IF_ERROR(File::Open(path, File::Mode::kCreateNew, &file));
    uint8_t buf[cdx::kHeaderSize + cdx::kNodeSize];
    cdx::TagHeader h;
    h.root = cdx::kFirstNode;
    h.keyLength = cdx::kDirectoryKeyLength;
    h.options = kDirectoryOptions;
    cdx::EncodeTagHeader(h, buf);
    cdx::Node root;
    root.attr = cdx::kAttrRoot | cdx::kAttrLeaf;
    root.keyLength = cdx::kDirectoryKeyLength;
    cdx::EncodeNode(root, ' ', buf + cdx::kHeaderSize);
    XB_RETURN_IF_ERROR(file->WriteAt(0, buf, sizeof buf));
    auto impl = std::make_unique<CdxFileImpl>(std::move(file));
    XB_RETURN_IF_ERROR(impl->Load());
    *out = std::move(impl);
    return Status::OK();
}

}  // namespace xbase
