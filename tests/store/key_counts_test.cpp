// KeyCounts: each key keeps its own count while the table grows.
#include "store/key_counts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(KeyCountsTest, CountsEachKeyApartThroughGrowth) {
    KeyCounts counts;
    const auto key = [](int i) { return std::string(size_t(i % 7), 'x') + std::to_string(i); };
    constexpr int kKeys = 5000;
    for (int round = 1; round <= 3; ++round) {
        for (int i = 0; i < kKeys; ++i)
            ASSERT_EQ(counts.Add(key(i)), uint32_t(round)) << key(i);
    }
    EXPECT_EQ(counts.size(), size_t(kKeys));
    EXPECT_EQ(counts.Add(""), 1u);
    EXPECT_EQ(counts.Add(""), 2u);
    EXPECT_EQ(counts.Add(std::string(300, 'y')), 1u);
    EXPECT_EQ(counts.Add(std::string(301, 'y')), 1u);
}

}  // namespace
