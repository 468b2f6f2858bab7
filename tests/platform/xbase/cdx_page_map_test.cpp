// The node cache's offset table against a std::map, through growth and heavy erasing (the
// backward shifts of open addressing are where such tables go wrong).
#include "platform/xbase/cdx_page_map.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace xbase {
namespace {

TEST(CdxPageMapTest, MatchesAMapThroughGrowthAndErasure) {
    CdxPageMap pages(8);
    std::map<uint32_t, CdxPage*> model;
    std::mt19937 rng(3);
    for (int step = 0; step < 200000; ++step) {
        // Few distinct offsets, so probe runs collide and erase often.
        const uint32_t offset = 1024 + 512 * uint32_t(rng() % 3000);
        if (rng() % 3 != 0) {
            if (model.count(offset) == 0) {
                CdxPage* p = pages.Emplace(offset);
                EXPECT_FALSE(p->dirty);
                model[offset] = p;
            }
        } else {
            pages.Erase(offset);
            model.erase(offset);
        }
        if (step % 1000 == 0) {
            ASSERT_EQ(pages.size(), model.size());
            for (auto [o, p] : model)
                ASSERT_EQ(pages.Find(o), p) << o;
        }
    }
    for (uint32_t o = 1024; o < 1024 + 512 * 3000; o += 512) {
        ASSERT_EQ(pages.Find(o), model.count(o) ? model[o] : nullptr) << o;
    }
    pages.Clear();
    EXPECT_TRUE(pages.empty());
    EXPECT_EQ(pages.Find(1024), nullptr);
}

}  // namespace
}  // namespace xbase
