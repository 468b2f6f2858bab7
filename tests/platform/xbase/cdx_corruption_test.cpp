// Damaged and hostile compound index files: every case must end in a Corruption status that
// names the file (and the node where there is one), never in a crash or a hang; a free list that
// cannot be trusted is given up instead, so that no change fails for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "platform/xbase/bytes.h"
#include "platform/xbase/cdx_file.h"
#include "platform/xbase/file_bytes.h"
#include "test_util.h"

namespace xbase {
namespace {

class CdxCorruptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::unique_ptr<CdxFile> f;
        ASSERT_TRUE(CdxFile::Create(path_, &f).ok());
        int i = 0;
        std::string key;
        EntrySource source = [&](const uint8_t** k, uint32_t* recno) {
            if (i == 3000)
                return false;
            key = "key" + std::to_string(100000 + i);
            key.resize(10, ' ');
            *k = reinterpret_cast<const uint8_t*>(key.data());
            *recno = uint32_t(++i);
            return true;
        };
        CdxTag* tag = nullptr;
        ASSERT_TRUE(f->AddTag("T", "T", 10, ' ', source, &tag).ok());
        tagHeader_ = tag->info().headerOffset;
        f.reset();
        original_ = ReadAll();
        root_ = LoadLE32(original_.data() + tagHeader_);
    }
    std::vector<uint8_t> ReadAll() const { return xbasetest::ReadBytes(path_); }
    void WriteAll(const std::vector<uint8_t>& bytes) const { xbasetest::WriteBytes(path_, bytes); }
    // The offset of the leftmost leaf, found by following first children.
    uint32_t FirstLeaf() const {
        uint32_t at = root_;
        while ((LoadLE16(original_.data() + at) & 2) == 0)
            at = LoadBE32(original_.data() + at + 12 + 10 + 4);
        return at;
    }
    // Opens, walks every tag both ways and verifies; returns the first error.
    Status Exercise() const {
        std::unique_ptr<CdxFile> f;
        XB_RETURN_IF_ERROR(CdxFile::Open(path_, true, &f));
        for (CdxTag* tag : f->tags()) {
            auto it = tag->NewIterator();
            XB_RETURN_IF_ERROR(it->SeekFirst());
            while (it->Valid())
                XB_RETURN_IF_ERROR(it->Next());
            XB_RETURN_IF_ERROR(it->SeekLast());
            while (it->Valid())
                XB_RETURN_IF_ERROR(it->Prev());
            XB_RETURN_IF_ERROR(tag->Verify());
            std::string key = "key1000500";
            XB_RETURN_IF_ERROR(it->Seek(reinterpret_cast<const uint8_t*>(key.data()), key.size()));
        }
        return Status::OK();
    }
    // The original file changed by `patch` must be refused with `mention`.
    void ExpectPatchNamed(const std::function<void(uint8_t*)>& patch, const std::string& mention) {
        auto bytes = original_;
        patch(bytes.data());
        WriteAll(bytes);
        ExpectCorruption(mention);
    }
    void ExpectCorruption(const std::string& mention) const {
        Status s = Exercise();
        EXPECT_TRUE(s.IsCorruption()) << s.ToString();
        EXPECT_EQ(s.file(), path_);
        EXPECT_NE(s.message().find(mention), std::string::npos) << s.ToString();
    }

    testutil::TempDir dir_;
    std::string path_ = dir_.File("bad.cdx");
    std::vector<uint8_t> original_;
    uint32_t tagHeader_ = 0, root_ = 0;
};

TEST_F(CdxCorruptionTest, TruncatedFiles) {
    for (size_t len : {size_t(0), size_t(100), size_t(1023), size_t(1535)}) {
        WriteAll(std::vector<uint8_t>(original_.begin(), original_.begin() + len));
        ExpectCorruption("too short");
    }
    for (size_t len : {original_.size() / 2, original_.size() - 1, original_.size() - 512}) {
        WriteAll(std::vector<uint8_t>(original_.begin(), original_.begin() + len));
        Status s = Exercise();
        EXPECT_TRUE(s.IsCorruption()) << len << ": " << s.ToString();
    }
}

// Each patch of the intact file, and what the error must mention.
TEST_F(CdxCorruptionTest, DamagedFieldsAreNamed) {
    ASSERT_TRUE(Exercise().ok());
    ASSERT_EQ(LoadLE16(original_.data() + root_) & 3, 1);  // the tree has interior levels
    const uint32_t leaf = FirstLeaf(), second = LoadLE32(original_.data() + leaf + 8);
    const std::string node = "node at offset ", inLeaf = node + std::to_string(leaf);
    std::vector<std::pair<std::function<void(uint8_t*)>, std::string>> cases = {
        {[](uint8_t* b) { StoreLE32(b, 0xFFFFF000u); }, "root pointer"},  // the directory's
        {[&](uint8_t* b) { StoreBE32(b + root_ + 12 + 10 + 4, root_); },
         node + std::to_string(root_)},  // a node that points to itself
        {[&](uint8_t* b) { StoreLE16(b + leaf + 2, 0xFFFF); }, inLeaf},  // more than fit
        // Entry 1 with all of its duplicate and trailing bits set.
        {[&](uint8_t* b) {
             const unsigned recnoBits = b[leaf + 20], entryBytes = b[leaf + 23];
             uint8_t* e = b + leaf + 24 + entryBytes;
             for (unsigned bit = recnoBits; bit < entryBytes * 8; ++bit)
                 e[bit / 8] |= uint8_t(1u << (bit % 8));
         },
         "invalid counts"},
    };
    // The second leaf's right link back to the first, or to itself.
    for (uint32_t target : {leaf, second})
        cases.push_back(
            {[&, target](uint8_t* b) { StoreLE32(b + second + 8, target); }, "sibling"});
    for (uint32_t bad : {0u, 1000u, 0x7FFFFE00u, uint32_t(original_.size())})
        cases.push_back({[&, bad](uint8_t* b) { StoreLE32(b + tagHeader_, bad); }, "root pointer"});
    for (uint16_t bad : {uint16_t(0), uint16_t(241), uint16_t(0xFFFF)})
        cases.push_back(
            {[&, bad](uint8_t* b) { StoreLE16(b + tagHeader_ + 12, bad); }, "key length"});
    // Garbage in the bit counts of the first leaf.
    for (auto [at, value] :
         {std::pair{20, 40}, {20, 0}, {23, 0}, {23, 9}, {21, 12}, {18, 0x3F}, {14, 0x00}})
        cases.push_back({[&, at, value](uint8_t* b) { b[leaf + at] = uint8_t(value); }, inLeaf});
    for (const auto& [patch, mention] : cases)
        ExpectPatchNamed(patch, mention);
}

TEST_F(CdxCorruptionTest, ForeignAndBrokenFreeListsNeverFailAChange) {
    // Two pages of zeros with links appended at the end of the file (A, B), the head, and how
    // many of them are taken before the file grows.
    const uint32_t n = uint32_t(original_.size()), a = n, b = n + 512, leaf = FirstLeaf();
    const auto current = [](uint32_t next) {
        std::vector<uint8_t> p(512);
        StoreLE32(p.data(), next);
        return p;
    };
    const auto earlier = [](uint32_t next) {
        std::vector<uint8_t> p(512);
        StoreLE16(p.data(), 0xFFFF);
        StoreLE32(p.data() + 4, next);
        return p;
    };
    struct Case {
        const char* what;
        uint32_t head;
        std::vector<uint8_t> pageA, pageB;
        uint32_t taken;
    } cases[] = {
        {"another engine's list", a, current(b), current(0xFFFFFFFF), 2},
        {"our earlier layout", a, earlier(b), earlier(0), 2},
        {"a loop", a, current(b), current(a), 2},
        {"a self loop", a, current(a), current(0), 1},
        {"into the tree", leaf, current(b), current(0), 0},
        {"a link into the tree", a, current(leaf), current(0), 1},
        {"beyond the file", n + 8192, current(0), current(0), 0},
        {"unaligned", a + 100, current(0), current(0), 0},
    };
    // A reader following bytes 0..3 from the head meets only pages of zeros.
    const auto ExpectFollowable = [](const std::vector<uint8_t>& bytes) {
        uint32_t at = LoadLE32(bytes.data() + 4);
        for (int steps = 0; at != 0 && at != 0xFFFFFFFF && steps < 8; ++steps) {
            ASSERT_TRUE(at % 512 == 0 && at + 512 <= bytes.size()) << at;
            EXPECT_TRUE(std::all_of(bytes.begin() + at + 4, bytes.begin() + at + 512,
                                    [](uint8_t x) { return x == 0; }));
            at = LoadLE32(bytes.data() + at);
        }
    };
    uint64_t plainSize = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto bytes = original_;
        bytes.insert(bytes.end(), c.pageA.begin(), c.pageA.end());
        bytes.insert(bytes.end(), c.pageB.begin(), c.pageB.end());
        StoreLE32(bytes.data() + 4, c.head);
        WriteAll(bytes);
        {
            std::unique_ptr<CdxFile> f;
            ASSERT_TRUE(CdxFile::Open(path_, true, &f).ok());
            ASSERT_TRUE(f->SetDirty(true).ok());  // the first change converts our earlier pages
            if (c.taken == 2)
                ExpectFollowable(ReadAll());
            CdxTag* tag = f->FindTag("T");
            for (int i = 0; i < 300; ++i) {
                std::string key = "key100" + std::to_string(1000 + i) + "a";
                Status s = tag->Insert(reinterpret_cast<const uint8_t*>(key.data()), 9000u + i);
                ASSERT_TRUE(s.ok()) << s.ToString();
            }
            ASSERT_TRUE(f->SetDirty(false).ok());
        }
        ASSERT_TRUE(Exercise().ok()) << Exercise().ToString();
        std::unique_ptr<CdxFile> f;
        ASSERT_TRUE(CdxFile::Open(path_, false, &f).ok());
        auto it = f->FindTag("T")->NewIterator();
        size_t count = 0;
        for (Status s = it->SeekFirst(); s.ok() && it->Valid(); s = it->Next())
            ++count;
        EXPECT_EQ(count, 3300u);
        bytes = ReadAll();
        if (plainSize == 0)
            plainSize = bytes.size();  // the first case took both pages before growing
        EXPECT_EQ(bytes.size(), plainSize + 512 * (2 - c.taken));
        ExpectFollowable(bytes);
    }
}

TEST_F(CdxCorruptionTest, RandomDamageNeverCrashes) {
    std::mt19937 rng(1234);
    int errors = 0;
    for (int round = 0; round < 300; ++round) {
        auto bytes = original_;
        int flips = 1 + int(rng() % 8);
        for (int i = 0; i < flips; ++i)
            bytes[rng() % bytes.size()] = uint8_t(rng());
        WriteAll(bytes);
        if (!Exercise().ok())
            ++errors;
    }
    EXPECT_GT(errors, 0);
}

}  // namespace
}  // namespace xbase
