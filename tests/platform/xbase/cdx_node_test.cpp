// Leaf images patched in place against the full encoder: for random leaves of every key width
// and both trailing bytes, inserting an entry by moving bytes gives exactly the image EncodeNode
// makes, and a patch that cannot be made leaves the image untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/xbase/cdx_node.h"

namespace xbase::cdx {
namespace {

// Character keys padded with blanks, or with `trail` as numeric and date keys are.
std::string KeyFrom(std::mt19937& rng, size_t keyLength, char trail) {
    static const char* const kStems[] = {"", "ABBA", "ABBA GOLD", "ABC", "Z", "ZZ TOP"};
    std::string k = kStems[rng() % 6];
    k += std::string(rng() % 4, char('a' + rng() % 3));
    k.resize(keyLength, rng() % 5 == 0 ? 'q' : trail);
    return k;
}

TEST(CdxNodeTest, InsertIntoLeafImageEqualsEncodingTheWholeLeaf) {
    std::mt19937 rng(7);
    int patched = 0;
    for (uint16_t keyLength : {1, 4, 10, 24, 100}) {
        for (int round = 0; round < 400; ++round) {
            const uint32_t recnoRange = round % 2 ? 255 : 2000000;
            const char trail = round % 3 ? ' ' : '\0';
            std::vector<std::pair<std::string, uint32_t>> entries(1 + rng() % 30);
            for (auto& [key, recno] : entries)
                key = KeyFrom(rng, keyLength, trail), recno = 1 + rng() % recnoRange;
            std::sort(entries.begin(), entries.end());
            entries.erase(std::unique(entries.begin(), entries.end()), entries.end());
            Node n;
            n.attr = kAttrLeaf;
            n.keyLength = keyLength;
            for (const auto& [key, recno] : entries)
                n.Insert(n.size(), reinterpret_cast<const uint8_t*>(key.data()), recno, 0);
            uint8_t page[kNodeSize];
            if (!EncodeNode(n, uint8_t(trail), page))
                continue;
            const std::string key = KeyFrom(rng, keyLength, trail);
            const uint32_t recno = 1 + rng() % recnoRange;
            const auto* k = reinterpret_cast<const uint8_t*>(key.data());
            size_t at = 0;
            while (at < n.size() && CompareEntry(n.key(at), n.recnos[at], k, recno, keyLength) < 0)
                ++at;
            if (at == n.size() || CompareEntry(n.key(at), n.recnos[at], k, recno, keyLength) == 0)
                continue;
            uint8_t patchedPage[kNodeSize], expected[kNodeSize];
            std::copy(page, page + kNodeSize, patchedPage);
            const bool done = InsertIntoLeafImage(n, at, k, recno, uint8_t(trail), patchedPage);
            n.Insert(at, k, recno, 0);
            if (!done) {
                EXPECT_TRUE(std::equal(page, page + kNodeSize, patchedPage));
                continue;
            }
            ++patched;
            ASSERT_TRUE(EncodeNode(n, uint8_t(trail), expected));
            ASSERT_TRUE(std::equal(expected, expected + kNodeSize, patchedPage))
                << "key length " << keyLength << ", round " << round << ", entry " << at;
        }
    }
    EXPECT_GT(patched, 1000);
}

}  // namespace
}  // namespace xbase::cdx
