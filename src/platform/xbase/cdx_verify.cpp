// Verification of a tag's tree, level by level: node kinds, the root mark, sibling links that
// follow the level's order, keys ascending within and across nodes, interior entries equal to
// their child's last entry, and no node reached twice.
#include <cstring>
#include <unordered_set>

#include "platform/xbase/cdx_tag.h"

namespace xbase {

Status CdxTagImpl::Verify() {
    const size_t kl = info_.keyLength;
    auto bad = [&](uint32_t offset, const std::string& what) {
        return Status::Corruption(
            store_->path(), "tag " + info_.name + ": " + cdx::NodeWhere(offset) + ": " + what);
    };
    std::vector<uint32_t> level{root_}, next;
    std::vector<uint8_t> wantKeys, nextKeys;  // what the parents say each node's last key is
    std::vector<uint32_t> wantRecnos, nextRecnos;
    std::unordered_set<uint32_t> seen;
    std::vector<uint8_t> prevLast(kl);
    uint32_t prevRecno = 0;
    cdx::Node n;
    for (int depth = 0; !level.empty(); ++depth) {
        if (depth >= cdx::kMaxDepth)
            return bad(level[0], "tree deeper than 64 levels");
        bool levelLeaf = false, havePrev = false;
        next.clear();
        nextKeys.clear();
        nextRecnos.clear();
        for (size_t j = 0; j < level.size(); ++j) {
            const uint32_t offset = level[j];
            if (!seen.insert(offset).second)
                return bad(offset, "node reached twice");
            XB_RETURN_IF_ERROR(ReadNode(offset, &n));
            if (j == 0)
                levelLeaf = n.leaf();
            if (n.leaf() != levelLeaf)
                return bad(offset, "leaves at different depths");
            if (n.root() != (depth == 0))
                return bad(offset, "root mark on the wrong node");
            uint32_t wantLeft = j > 0 ? level[j - 1] : cdx::kNoNode;
            uint32_t wantRight = j + 1 < level.size() ? level[j + 1] : cdx::kNoNode;
            if (n.left != wantLeft || n.right != wantRight)
                return bad(offset, "wrong sibling links");
            if (n.size() == 0) {
                if (depth == 0 && n.leaf())
                    continue;
                return bad(offset, "empty node");
            }
            for (size_t i = 1; i < n.size(); ++i) {
                if (cdx::CompareEntry(n.key(i - 1), n.recnos[i - 1], n.key(i), n.recnos[i], kl) >=
                    0) {
                    return bad(offset, "entries out of order");
                }
            }
            if (havePrev &&
                cdx::CompareEntry(prevLast.data(), prevRecno, n.key(0), n.recnos[0], kl) >= 0) {
                return bad(offset, "entries out of order with the node to the left");
            }
            const size_t last = n.size() - 1;
            if (depth > 0 && (std::memcmp(wantKeys.data() + j * kl, n.key(last), kl) != 0 ||
                              wantRecnos[j] != n.recnos[last])) {
                return bad(offset, "the parent's entry differs from the node's last entry");
            }
            std::memcpy(prevLast.data(), n.key(last), kl);
            prevRecno = n.recnos[last];
            havePrev = true;
            if (!n.leaf()) {
                next.insert(next.end(), n.children.begin(), n.children.end());
                nextKeys.insert(nextKeys.end(), n.keys.begin(), n.keys.end());
                nextRecnos.insert(nextRecnos.end(), n.recnos.begin(), n.recnos.end());
            }
        }
        level.swap(next);
        wantKeys.swap(nextKeys);
        wantRecnos.swap(nextRecnos);
    }
    return Status::OK();
}

}  // namespace xbase
