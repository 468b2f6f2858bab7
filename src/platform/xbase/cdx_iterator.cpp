// Walking a tag in key order: a descent to the leaf, then sibling links from leaf to leaf. The
// current leaf is decoded once per visit. Every step to a sibling must continue the key order,
// which also stops a loop in the sibling chain.
#include <algorithm>
#include <cstring>

#include "platform/xbase/cdx_tag.h"

namespace xbase {

namespace {

class CdxTagIterator : public CdxIterator {
public:
    explicit CdxTagIterator(CdxTagImpl* tag) : tag_(tag) {}

    bool Valid() const override { return valid_; }
    const uint8_t* key() const override { return leaf().key(index_); }
    uint32_t recno() const override { return leaf().recnos[index_]; }

    Status SeekFirst() override { return Seek(nullptr, 0); }
    Status SeekLast() override {
        XB_RETURN_IF_ERROR(Land(nullptr));
        if (leaf().size() == 0)
            return StepLeft();
        index_ = leaf().size() - 1;
        valid_ = true;
        return Status::OK();
    }
    Status Seek(const uint8_t* prefix, size_t len) override {
        static const uint8_t kNothing[1] = {0};
        if (len > tag_->info().keyLength)
            len = tag_->info().keyLength;
        CdxTagImpl::Target t{len != 0 ? prefix : kNothing, len, false, 0};
        return Land(&t);
    }
    Status SeekEntry(const uint8_t* key, uint32_t recno) override {
        CdxTagImpl::Target t{key, tag_->info().keyLength, true, recno};
        return Land(&t);
    }
    Status Next() override {
        if (!valid_)
            return Status::OK();
        if (++index_ < leaf().size())
            return Status::OK();
        return StepRight();
    }
    Status Prev() override {
        if (!valid_)
            return Status::OK();
        if (index_ > 0) {
            --index_;
            return Status::OK();
        }
        return StepLeft();
    }

private:
    const cdx::Node& leaf() const { return path_.back().node; }
    cdx::Node& leaf() { return path_.back().node; }

    Status Land(const CdxTagImpl::Target* t) {
        valid_ = false;
        XB_RETURN_IF_ERROR(tag_->Descend(t, &path_));
        index_ = path_.back().index;
        if (index_ < leaf().size()) {
            valid_ = true;
            return Status::OK();
        }
        if (t == nullptr)
            return Status::OK();
        return StepRight();  // every entry of this leaf is smaller
    }

    // Moves to the first entry of the next non-empty leaf, or past the end.
    Status StepRight() { return Step(true); }
    Status StepLeft() { return Step(false); }

    Status Step(bool right) {
        valid_ = false;
        cdx::Node& n = leaf();
        const size_t kl = n.keyLength;
        bool haveEdge = n.size() != 0;
        if (haveEdge) {
            size_t edge = right ? n.size() - 1 : 0;
            edge_.assign(n.key(edge), n.key(edge) + kl);
            edgeRecno_ = n.recnos[edge];
        }
        // More steps than nodes in the file means the chain runs in a circle of empty leaves.
        uint64_t budget = tag_->store()->fileEnd() / cdx::kNodeSize;
        for (;;) {
            uint32_t to = right ? n.right : n.left;
            if (to == cdx::kNoNode)
                return Status::OK();
            uint32_t from = n.offset;
            if (budget-- == 0 || to == from)
                return Broken(from, "sibling chain loops");
            XB_RETURN_IF_ERROR(tag_->ReadNode(to, &n));
            if (!n.leaf())
                return Broken(to, "sibling of a leaf is not a leaf");
            if (n.size() == 0)
                continue;
            size_t first = right ? 0 : n.size() - 1;
            if (haveEdge) {
                int c =
                    cdx::CompareEntry(n.key(first), n.recnos[first], edge_.data(), edgeRecno_, kl);
                if (right ? c <= 0 : c >= 0)
                    return Broken(to, "sibling breaks the key order");
            }
            index_ = first;
            valid_ = true;
            return Status::OK();
        }
    }

    Status Broken(uint32_t offset, const std::string& what) {
        return Status::Corruption(tag_->store()->path(), "tag " + tag_->info().name + ": " +
                                                             cdx::NodeWhere(offset) + ": " + what);
    }

    CdxTagImpl* tag_;
    std::vector<CdxTagImpl::Step> path_;
    size_t index_ = 0;
    bool valid_ = false;
    std::vector<uint8_t> edge_;
    uint32_t edgeRecno_ = 0;
};

// A descending tag keeps its tree in ascending order, as every tag does; its own order is that
// tree walked backwards, so that equal keys come last record first.
class DescendingIterator : public CdxIterator {
public:
    DescendingIterator(std::unique_ptr<CdxIterator> tree, uint16_t keyLength)
        : tree_(std::move(tree)), keyLength_(keyLength) {}

    bool Valid() const override { return tree_->Valid(); }
    const uint8_t* key() const override { return tree_->key(); }
    uint32_t recno() const override { return tree_->recno(); }
    Status SeekFirst() override { return tree_->SeekLast(); }
    Status SeekLast() override { return tree_->SeekFirst(); }
    Status Next() override { return tree_->Prev(); }
    Status Prev() override { return tree_->Next(); }

    // The first entry in this order whose key begins with `prefix` or, when none does, the first
    // smaller one: the tree's last entry before every key greater than the prefix.
    Status Seek(const uint8_t* prefix, size_t len) override {
        len = std::min<size_t>(len, keyLength_);
        above_.assign(prefix, prefix + len);
        while (!above_.empty() && above_.back() == 0xFF)
            above_.pop_back();
        if (above_.empty())  // nothing is greater than the prefix
            return tree_->SeekLast();
        ++above_.back();
        XB_RETURN_IF_ERROR(tree_->Seek(above_.data(), above_.size()));
        return BackOne();
    }
    Status SeekEntry(const uint8_t* key, uint32_t recno) override {
        XB_RETURN_IF_ERROR(tree_->SeekEntry(key, recno));
        if (tree_->Valid() && tree_->recno() == recno &&
            std::memcmp(tree_->key(), key, keyLength_) == 0) {
            return Status::OK();
        }
        return BackOne();
    }

private:
    // From the tree's first entry past the target to the one before it.
    Status BackOne() {
        if (!tree_->Valid())
            return tree_->SeekLast();
        return tree_->Prev();
    }

    std::unique_ptr<CdxIterator> tree_;
    uint16_t keyLength_;
    std::vector<uint8_t> above_;
};

}  // namespace

std::unique_ptr<CdxIterator> CdxTagImpl::NewTreeIterator() {
    return std::make_unique<CdxTagIterator>(this);
}

std::unique_ptr<CdxIterator> CdxTagImpl::NewIterator() {
    if (!info_.descending)
        return NewTreeIterator();
    return std::make_unique<DescendingIterator>(NewTreeIterator(), info_.keyLength);
}

}  // namespace xbase
