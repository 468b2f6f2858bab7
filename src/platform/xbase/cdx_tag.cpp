#include "platform/xbase/cdx_tag.h"

#include <cstring>

#include "platform/xbase/bytes.h"

namespace xbase {

using cdx::kNodeSize;
using cdx::Node;

namespace {

int CompareTarget(const uint8_t* key, uint32_t recno, const CdxTagImpl::Target& t) {
    int c = std::memcmp(key, t.key, t.len);
    if (c != 0 || !t.byEntry)
        return c;
    return recno < t.recno ? -1 : (recno > t.recno ? 1 : 0);
}

}  // namespace

CdxTagImpl::CdxTagImpl(CdxNodeStore* store, TagInfo info, uint32_t root, uint8_t trailByte)
    : store_(store), info_(std::move(info)), root_(root), trail_(trailByte) {}

Status CdxTagImpl::CheckWritable() const {
    if (!store_->file()->writable()) {
        return Status::InvalidArgument(store_->path(), "the index is open read-only");
    }
    return Status::OK();
}

Status CdxTagImpl::ReadNode(uint32_t offset, Node* out) {
    uint8_t page[kNodeSize];
    XB_RETURN_IF_ERROR(store_->Read(offset, page));
    return cdx::DecodeNode(store_->path(), offset, page, info_.keyLength, trail_, store_->fileEnd(),
                           out);
}

size_t CdxTagImpl::LowerBound(const Node& n, const Target& t) {
    size_t lo = 0, hi = n.size();
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        if (CompareTarget(n.key(mid), n.recnos[mid], t) < 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

Status CdxTagImpl::Descend(const Target* target, std::vector<Step>* path) {
    const uint16_t kl = info_.keyLength;
    uint32_t offset = root_;
    for (size_t depth = 0;; ++depth) {
        if (depth >= size_t(cdx::kMaxDepth)) {
            return Status::Corruption(
                store_->path(), cdx::NodeWhere(offset) + ": tree deeper than 64 levels (a loop)");
        }
        if (path->size() <= depth)
            path->emplace_back();
        Step& s = (*path)[depth];
        const uint8_t* page = nullptr;
        XB_RETURN_IF_ERROR(store_->View(offset, &page));
        bool leaf = false;
        size_t count = 0;
        XB_RETURN_IF_ERROR(cdx::CheckNodeImage(store_->path(), offset, page, kl, &leaf, &count));
        if (leaf) {
            XB_RETURN_IF_ERROR(cdx::DecodeNode(store_->path(), offset, page, kl, trail_,
                                               store_->fileEnd(), &s.node));
            s.decoded = true;
            s.index = target != nullptr ? LowerBound(s.node, *target) : s.node.size();
            path->resize(depth + 1);
            return Status::OK();
        }
        // Interior entries are full keys at a fixed stride: search them where they lie.
        size_t lo = 0, hi = count;
        while (target != nullptr && lo < hi) {
            const size_t mid = (lo + hi) / 2;
            const uint8_t* e = cdx::InteriorEntry(page, mid, kl);
            if (CompareTarget(e, LoadBE32(e + kl), *target) < 0) {
                lo = mid + 1;
            } else {
                hi = mid;
            }
        }
        s.index = target == nullptr || lo == count ? count - 1 : lo;  // past the end: last child
        s.node.offset = offset;
        s.decoded = false;
        XB_RETURN_IF_ERROR(cdx::InteriorChild(store_->path(), offset, page, kl, s.index,
                                              store_->fileEnd(), &offset));
    }
}

Status CdxTagImpl::DecodeStep(size_t level) {
    Step& s = path_[level];
    if (s.decoded)
        return Status::OK();
    XB_RETURN_IF_ERROR(ReadNode(s.node.offset, &s.node));
    s.decoded = true;
    return Status::OK();
}

Status CdxTagImpl::TryInsertInPlace(const uint8_t* key, uint32_t recno, bool* done) {
    *done = false;
    const Step& leaf = path_.back();
    if (leaf.index >= leaf.node.size())
        return Status::OK();  // a new last entry changes the parents' keys
    uint8_t page[kNodeSize];
    XB_RETURN_IF_ERROR(store_->Read(leaf.node.offset, page));
    if (!cdx::InsertIntoLeafImage(leaf.node, leaf.index, key, recno, trail_, page))
        return Status::OK();
    store_->Write(leaf.node.offset, page);
    *done = true;
    return store_->Flush();
}

Status CdxTagImpl::Insert(const uint8_t* key, uint32_t recno) {
    XB_RETURN_IF_ERROR(CheckWritable());
    Target t{key, info_.keyLength, true, recno};
    const uint32_t rootBefore = root_;
    XB_RETURN_IF_ERROR(Descend(&t, &path_));
    Step& leaf = path_.back();
    if (leaf.index < leaf.node.size() &&
        CompareTarget(leaf.node.key(leaf.index), leaf.node.recnos[leaf.index], t) == 0) {
        return Status::InvalidArgument(
            store_->path(), "tag " + info_.name + " already holds record " + std::to_string(recno) +
                                " under that key");
    }
    bool done = false;
    XB_RETURN_IF_ERROR(TryInsertInPlace(key, recno, &done));
    if (done)
        return Status::OK();
    leaf.node.Insert(leaf.index, key, recno, 0);
    return Finish(rootBefore);
}

Status CdxTagImpl::Remove(const uint8_t* key, uint32_t recno) {
    XB_RETURN_IF_ERROR(CheckWritable());
    Target t{key, info_.keyLength, true, recno};
    const uint32_t rootBefore = root_;
    XB_RETURN_IF_ERROR(Descend(&t, &path_));
    Step& leaf = path_.back();
    if (leaf.index >= leaf.node.size() ||
        CompareTarget(leaf.node.key(leaf.index), leaf.node.recnos[leaf.index], t) != 0) {
        return Status::NotFound(store_->path(), "tag " + info_.name + " has no entry for record " +
                                                    std::to_string(recno) + " under that key");
    }
    leaf.node.Erase(leaf.index);
    return Finish(rootBefore);
}

Status CdxTagImpl::Finish(uint32_t rootBefore) {
    XB_RETURN_IF_ERROR(Commit(path_.size() - 1));
    XB_RETURN_IF_ERROR(store_->Flush());
    // The header moves to the new root only once the nodes it leads to are on disk.
    if (root_ != rootBefore)
        XB_RETURN_IF_ERROR(WriteRoot(root_));
    return Status::OK();
}

Status CdxTagImpl::Commit(size_t level) {
    size_t L = level;
    for (;;) {
        Node& n = path_[L].node;
        if (n.size() == 0 && L > 0) {
            XB_RETURN_IF_ERROR(Unlink(n));
            XB_RETURN_IF_ERROR(DecodeStep(L - 1));
            Step& up = path_[L - 1];
            up.node.Erase(up.index);
            --L;
            continue;
        }
        if (n.size() == 0) {  // the whole tree emptied: an empty root leaf
            n.attr = cdx::kAttrRoot | cdx::kAttrLeaf;
            n.left = n.right = cdx::kNoNode;
            n.Clear();
            return WriteNode(n);
        }
        if (L == 0 && !n.leaf() && n.size() == 1)
            return CollapseRoot(n);

        const Node* first = &n;
        uint8_t page[kNodeSize];
        if (cdx::EncodeNode(n, trail_, page)) {
            store_->Write(n.offset, page);
            pieces_.clear();
        } else {
            XB_RETURN_IF_ERROR(Split(n, &pieces_));
            for (const Node& piece : pieces_)
                XB_RETURN_IF_ERROR(WriteNode(piece));
            first = &pieces_[0];
        }
        const size_t kl = info_.keyLength;
        if (L == 0) {
            if (pieces_.empty())
                return Status::OK();
            Step top;  // the root split: a new root above the pieces
            top.node.attr = cdx::kAttrRoot;
            top.node.keyLength = info_.keyLength;
            XB_RETURN_IF_ERROR(store_->Allocate(&top.node.offset));
            for (const Node& piece : pieces_) {
                top.node.Insert(top.node.size(), piece.key(piece.size() - 1), piece.recnos.back(),
                                piece.offset);
            }
            root_ = top.node.offset;
            top.decoded = true;
            path_.insert(path_.begin(), std::move(top));
            continue;
        }
        XB_RETURN_IF_ERROR(DecodeStep(L - 1));
        Node& p = path_[L - 1].node;
        size_t i = path_[L - 1].index;
        const uint8_t* last = first->key(first->size() - 1);
        uint32_t lastRecno = first->recnos.back();
        if (pieces_.empty() && std::memcmp(p.key(i), last, kl) == 0 && p.recnos[i] == lastRecno) {
            return Status::OK();  // the parent still describes this node
        }
        std::memcpy(p.key(i), last, kl);
        p.recnos[i] = lastRecno;
        for (size_t k = 1; k < pieces_.size(); ++k) {
            const Node& piece = pieces_[k];
            p.Insert(i + k, piece.key(piece.size() - 1), piece.recnos.back(), piece.offset);
        }
        --L;
    }
}

Status CdxTagImpl::CollapseRoot(const Node& root) {
    // A root with one child adds a level for nothing: the child becomes the root.
    uint32_t child = root.children[0];
    store_->Free(root.offset);
    for (int guard = 0; guard < cdx::kMaxDepth; ++guard) {
        Node n;
        XB_RETURN_IF_ERROR(ReadNode(child, &n));
        if (n.leaf() || n.size() != 1) {
            uint8_t page[kNodeSize];
            XB_RETURN_IF_ERROR(store_->Read(child, page));
            StoreLE16(page, uint16_t(n.attr | cdx::kAttrRoot));
            store_->Write(child, page);
            root_ = child;
            return Status::OK();
        }
        store_->Free(child);
        child = n.children[0];
    }
    return Status::Corruption(store_->path(),
                              cdx::NodeWhere(child) + ": a chain of single-child nodes");
}

Status CdxTagImpl::PatchSibling(uint32_t offset, bool left, uint32_t value) {
    uint8_t page[kNodeSize];
    XB_RETURN_IF_ERROR(store_->Read(offset, page));
    uint32_t next = 0;
    if (LoadLE16(page) > (cdx::kAttrRoot | cdx::kAttrLeaf) ||
        cdx::ParseFreePage(page, &next) != cdx::FreePageKind::kNotFree) {
        return Status::Corruption(
            store_->path(), cdx::NodeWhere(offset) + ": sibling link to a node that is not in use");
    }
    if (left) {
        cdx::SetLeftSibling(page, value);
    } else {
        cdx::SetRightSibling(page, value);
    }
    store_->Write(offset, page);
    return Status::OK();
}

Status CdxTagImpl::Unlink(const Node& n) {
    if (n.left != cdx::kNoNode)
        XB_RETURN_IF_ERROR(PatchSibling(n.left, false, n.right));
    if (n.right != cdx::kNoNode)
        XB_RETURN_IF_ERROR(PatchSibling(n.right, true, n.left));
    store_->Free(n.offset);
    return Status::OK();
}

Status CdxTagImpl::WriteNode(const Node& n) {
    uint8_t page[kNodeSize];
    if (!cdx::EncodeNode(n, trail_, page)) {
        return Status::Corruption(store_->path(),
                                  cdx::NodeWhere(n.offset) + ": entries overflow the node");
    }
    store_->Write(n.offset, page);
    return Status::OK();
}

Status CdxTagImpl::WriteRoot(uint32_t root) {
    uint8_t b[4];
    StoreLE32(b, root);
    return store_->file()->WriteAt(info_.headerOffset, b, 4);
}

Status CdxTagImpl::WriteHeader() {
    cdx::TagHeader h;
    h.root = root_;
    h.keyLength = info_.keyLength;
    h.options = uint8_t(cdx::kOptionCompact | cdx::kOptionCompound |
                        (info_.unique ? cdx::kOptionUnique : 0) |
                        (info_.forExpression.empty() ? 0 : cdx::kOptionFor));
    h.order = info_.descending ? 1 : 0;
    h.expression = info_.expression;
    h.forExpression = info_.forExpression;
    h.keeping = cdx::TagHeader::Keeping::kNone;
    // Another writer's lengths and signature in bytes 16..23 of a header it made stay as they are.
    uint64_t size = 0;
    XB_RETURN_IF_ERROR(store_->file()->Size(&size));
    if (info_.headerOffset + uint64_t(cdx::kHeaderSize) <= size) {
        XB_RETURN_IF_ERROR(store_->file()->ReadAt(info_.headerOffset + cdx::kOthersOffset, h.others,
                                                  cdx::kOthersSize));
    }
    uint8_t buf[cdx::kHeaderSize];
    cdx::EncodeTagHeader(h, buf);
    return store_->file()->WriteAt(info_.headerOffset, buf, sizeof buf);
}

void CdxTagImpl::Reload(const TagInfo& info, uint32_t root) {
    info_ = info;
    root_ = root;
}

}  // namespace xbase
