// Splitting an overfull node: interior nodes into equal parts, leaves at the point that balances
// their compressed bytes (or, when no two-way split fits, into as many leaves as needed).
#include <algorithm>
#include <utility>

#include "platform/xbase/cdx_tag.h"

namespace xbase {

using cdx::Node;

namespace {

using Ranges = std::vector<std::pair<size_t, size_t>>;

Ranges SplitInterior(const Node& n) {
    size_t cap = cdx::InteriorCapacity(n.keyLength);
    size_t parts = (n.size() + cap - 1) / cap;
    Ranges r;
    size_t begin = 0;
    for (size_t k = 0; k < parts; ++k) {
        size_t len = n.size() / parts + (k < n.size() % parts ? 1 : 0);
        r.emplace_back(begin, begin + len);
        begin += len;
    }
    return r;
}

Ranges SplitLeaf(const Node& n, uint8_t trail) {
    const size_t count = n.size(), kl = n.keyLength;
    // stored[i]: key bytes of entry i after its predecessor; alone[i]: as the first of a leaf.
    std::vector<size_t> stored(count), alone(count), pre(count + 1, 0);
    std::vector<uint32_t> preMax(count + 1, 0), sufMax(count + 1, 0);
    size_t prevTrail = 0;
    for (size_t i = 0; i < count; ++i) {
        size_t tr = cdx::TrailCount(n.key(i), kl, trail);
        alone[i] = kl - tr;
        size_t dup = i == 0 ? 0 : cdx::DupCount(n.key(i - 1), prevTrail, n.key(i), tr, kl);
        prevTrail = tr;
        stored[i] = kl - tr - dup;
        pre[i + 1] = pre[i] + stored[i];
        preMax[i + 1] = std::max(preMax[i], n.recnos[i]);
    }
    for (size_t i = count; i-- > 0;)
        sufMax[i] = std::max(sufMax[i + 1], n.recnos[i]);
    size_t best = 0, bestGap = SIZE_MAX;
    for (size_t s = 1; s < count; ++s) {
        size_t left = pre[s] + s * cdx::ChooseLeafFormat(n.keyLength, preMax[s]).entryBytes;
        size_t right = pre[count] - pre[s] - stored[s] + alone[s] +
                       (count - s) * cdx::ChooseLeafFormat(n.keyLength, sufMax[s]).entryBytes;
        if (left > cdx::kLeafSpace || right > cdx::kLeafSpace)
            continue;
        size_t gap = left > right ? left - right : right - left;
        if (gap < bestGap) {
            bestGap = gap;
            best = s;
        }
    }
    if (best != 0)
        return {{0, best}, {best, count}};
    Ranges r;  // each entry fits a leaf on its own, so greedy packing always succeeds
    for (size_t begin = 0; begin < count;) {
        size_t end = begin + 1;
        while (end < count && cdx::LeafBytes(n, begin, end + 1, trail) <= cdx::kLeafSpace)
            ++end;
        r.emplace_back(begin, end);
        begin = end;
    }
    return r;
}

}  // namespace

Status CdxTagImpl::Split(const Node& n, std::vector<Node>* pieces) {
    Ranges ranges = n.leaf() ? SplitLeaf(n, trail_) : SplitInterior(n);
    pieces->resize(ranges.size());
    for (size_t k = 0; k < ranges.size(); ++k) {
        Node& piece = (*pieces)[k];
        piece.attr = uint16_t(n.attr & ~cdx::kAttrRoot);
        piece.keyLength = n.keyLength;
        piece.Clear();
        piece.AppendRange(n, ranges[k].first, ranges[k].second);
        if (k == 0) {
            piece.offset = n.offset;
            piece.left = n.left;
        } else {
            XB_RETURN_IF_ERROR(store_->Allocate(&piece.offset));
            piece.left = (*pieces)[k - 1].offset;
            (*pieces)[k - 1].right = piece.offset;
        }
    }
    pieces->back().right = n.right;
    if (n.right != cdx::kNoNode)
        XB_RETURN_IF_ERROR(PatchSibling(n.right, true, pieces->back().offset));
    return Status::OK();
}

}  // namespace xbase
