// Walking a tag in key order: a descent to the leaf, then sibling links from leaf to leaf. The
// current leaf is decoded once per visit. Every step to a sibling must continue the key order,
// which also stops a loop in the sibling chain.
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

}  // namespace

std::unique_ptr<CdxIterator> CdxTagImpl::NewIterator() {
    return std::make_unique<CdxTagIterator>(this);
}

}  // namespace xbase
