#include "platform/xbase/cdx_bulk_builder.h"

#include <algorithm>
#include <numeric>

#include "platform/xbase/cdx_tag.h"

namespace xbase {

using cdx::kNodeSize;

namespace {
constexpr size_t kFlushPages = 8192;  // 4 MB per batch of writes
// Leaves are filled to this many bytes, leaving room for a few more entries: a single insert
// into a full leaf splits it, which writes three more pages and reads a sibling.
constexpr size_t kLeafFill = cdx::kLeafSpace - cdx::kLeafSpace / 10;
}  // namespace

CdxBulkBuilder::CdxBulkBuilder(CdxNodeStore* store, uint16_t keyLength, uint8_t trail)
    : store_(store), keyLength_(keyLength), trail_(trail), prevKey_(keyLength) {}

Status CdxBulkBuilder::Start() {
    levels_.emplace_back();
    cdx::Node& leaf = levels_[0].node;
    leaf.attr = cdx::kAttrLeaf;
    leaf.keyLength = keyLength_;
    return store_->Allocate(&leaf.offset);
}

Status CdxBulkBuilder::Add(const uint8_t* key, uint32_t recno) {
    const size_t kl = keyLength_;
    cdx::Node* leaf = &levels_[0].node;
    const uint8_t* prev =
        leaf->size() != 0 ? leaf->key(leaf->size() - 1) : (hasPrev_ ? prevKey_.data() : nullptr);
    uint32_t prevRecno = leaf->size() != 0 ? leaf->recnos.back() : prevRecno_;
    if (prev != nullptr && cdx::CompareEntry(prev, prevRecno, key, recno, kl) >= 0) {
        return Status::InvalidArgument(store_->path(), "index entries are not in ascending order");
    }
    size_t tr = cdx::TrailCount(key, kl, trail_);
    size_t dup = leaf->size() != 0 ? cdx::DupCount(prev, prevTrail_, key, tr, kl) : 0;
    uint32_t maxRecno = std::max(leafMaxRecno_, recno);
    size_t entryBytes = cdx::ChooseLeafFormat(keyLength_, maxRecno).entryBytes;
    if (leaf->size() != 0 &&
        (leaf->size() + 1) * entryBytes + leafKeyBytes_ + (kl - tr - dup) > kLeafFill) {
        XB_RETURN_IF_ERROR(CloseNode(0, true));
        if (pageOffsets_.size() >= kFlushPages)
            XB_RETURN_IF_ERROR(FlushPages());
        leaf = &levels_[0].node;
        dup = 0;
        maxRecno = recno;
    }
    leaf->keys.insert(leaf->keys.end(), key, key + kl);
    leaf->recnos.push_back(recno);
    leafKeyBytes_ += kl - tr - dup;
    prevTrail_ = tr;
    leafMaxRecno_ = maxRecno;
    return Status::OK();
}

Status CdxBulkBuilder::CloseNode(size_t level, bool more) {
    uint8_t last[cdx::kMaxKeyLength];
    uint32_t lastRecno, offset;
    {
        cdx::Node& n = levels_[level].node;
        uint32_t next = cdx::kNoNode;
        if (more)
            XB_RETURN_IF_ERROR(store_->Allocate(&next));
        n.right = next;
        Emit(n);
        std::copy(n.key(n.size() - 1), n.key(n.size() - 1) + keyLength_, last);
        lastRecno = n.recnos.back();
        offset = n.offset;
        n.left = n.offset;
        n.offset = next;
        n.Clear();
        ++levels_[level].finished;
        if (level == 0) {
            std::copy(last, last + keyLength_, prevKey_.begin());
            prevRecno_ = lastRecno;
            hasPrev_ = true;
            leafKeyBytes_ = 0;
            leafMaxRecno_ = 0;
        }
    }
    return AddToLevel(level + 1, last, lastRecno, offset);
}

Status CdxBulkBuilder::AddToLevel(size_t level, const uint8_t* key, uint32_t recno,
                                  uint32_t child) {
    if (level == levels_.size()) {
        levels_.emplace_back();
        cdx::Node& n = levels_.back().node;
        n.attr = 0;
        n.keyLength = keyLength_;
        XB_RETURN_IF_ERROR(store_->Allocate(&n.offset));
    }
    if (levels_[level].node.size() == cdx::InteriorCapacity(keyLength_)) {
        XB_RETURN_IF_ERROR(CloseNode(level, true));
    }
    cdx::Node& n = levels_[level].node;
    n.Insert(n.size(), key, recno, child);
    return Status::OK();
}

void CdxBulkBuilder::Emit(const cdx::Node& n) {
    pages_.resize(pages_.size() + kNodeSize);
    cdx::EncodeNode(n, trail_, pages_.data() + pages_.size() - kNodeSize);
    pageOffsets_.push_back(n.offset);
}

Status CdxBulkBuilder::FlushPages() {
    std::vector<size_t> order(pageOffsets_.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return pageOffsets_[a] < pageOffsets_[b]; });
    std::vector<uint8_t> run;
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        run.clear();
        do {
            const uint8_t* page = pages_.data() + order[j] * kNodeSize;
            run.insert(run.end(), page, page + kNodeSize);
            ++j;
        } while (j < order.size() &&
                 pageOffsets_[order[j]] == pageOffsets_[order[j - 1]] + kNodeSize);
        XB_RETURN_IF_ERROR(store_->WriteThrough(pageOffsets_[order[i]], run.data(), j - i));
        i = j;
    }
    pages_.clear();
    pageOffsets_.clear();
    return Status::OK();
}

Status CdxBulkBuilder::Finish(uint32_t* root) {
    for (size_t level = 0; level < levels_.size(); ++level) {
        if (level + 1 == levels_.size() && levels_[level].finished == 0) {
            cdx::Node& n = levels_[level].node;  // the only node of the top level
            n.attr |= cdx::kAttrRoot;
            n.right = cdx::kNoNode;
            Emit(n);
            *root = n.offset;
            break;
        }
        XB_RETURN_IF_ERROR(CloseNode(level, false));
        if (pageOffsets_.size() >= kFlushPages)
            XB_RETURN_IF_ERROR(FlushPages());
    }
    return FlushPages();
}

}  // namespace xbase
