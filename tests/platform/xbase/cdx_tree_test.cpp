// Tag trees against a plain std::set model: random inserts and removes (many duplicate keys,
// trailing blanks, record numbers of every width), walks in both directions, prefix seeks,
// bulk rebuilds, numeric keys, reuse of freed nodes, and descending tags read in their own order.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/xbase/cdx_file.h"
#include "platform/xbase/numeric_key.h"
#include "test_util.h"

namespace xbase {
namespace {

using Entry = std::pair<std::string, uint32_t>;
using Model = std::set<Entry>;

const uint8_t* BytesOf(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}
Status Insert(CdxTag* tag, const Entry& e) {
    return tag->Insert(BytesOf(e.first), e.second);
}
Status Remove(CdxTag* tag, const Entry& e) {
    return tag->Remove(BytesOf(e.first), e.second);
}
void ExpectVerified(CdxTag* tag) {
    Status s = tag->Verify();
    ASSERT_TRUE(s.ok()) << s.ToString();
}

class CdxTreeTest : public ::testing::Test {
protected:
    uint64_t FileSize() const { return std::filesystem::file_size(path_); }
    // A new file with one tag "T" of `keyLength` bytes, built from `source` when it has one.
    CdxTag* NewTag(size_t keyLength, EntrySource source = nullptr, uint8_t trail = ' ') {
        CdxTag* tag = nullptr;
        Status s = CdxFile::Create(path_, &file_);
        if (s.ok())
            s = file_->AddTag("T", "T", keyLength, trail, source, &tag);
        EXPECT_TRUE(s.ok()) << s.ToString();
        return tag;
    }
    // The tag "T" of the file as it is on disk now.
    CdxTag* Reopened() {
        file_.reset();
        EXPECT_TRUE(CdxFile::Open(path_, false, &file_).ok());
        return file_ ? file_->FindTag("t") : nullptr;
    }
    // A source over the entries of `m` in its order.
    template <typename Entries>
    static EntrySource SourceOf(const Entries& m) {
        auto it = std::make_shared<typename Entries::const_iterator>(m.begin());
        return [&m, it](const uint8_t** key, uint32_t* recno) {
            if (*it == m.end())
                return false;
            *key = reinterpret_cast<const uint8_t*>((*it)->first.data());
            *recno = (*it)->second;
            ++*it;
            return true;
        };
    }
    // `model` in the tag's own order.
    template <typename Entries>
    static void ExpectWalks(CdxTag* tag, const Entries& model) {
        const std::vector<Entry> forward(model.begin(), model.end());
        auto it = tag->NewIterator();
        for (bool backward : {false, true}) {
            ASSERT_TRUE((backward ? it->SeekLast() : it->SeekFirst()).ok());
            for (size_t n = 0; n < forward.size(); ++n) {
                const Entry& e = forward[backward ? forward.size() - 1 - n : n];
                ASSERT_TRUE(it->Valid()) << "entry " << n << (backward ? " from the end" : "");
                ASSERT_EQ(std::string(reinterpret_cast<const char*>(it->key()), e.first.size()),
                          e.first);
                ASSERT_EQ(it->recno(), e.second);
                ASSERT_TRUE((backward ? it->Prev() : it->Next()).ok());
            }
            EXPECT_FALSE(it->Valid());
        }
    }
    // A seek lands on the first entry, in the tag's order, that begins with the prefix or comes
    // after it: a larger key when ascending, a smaller one when descending.
    template <typename Entries>
    static void ExpectSeeks(CdxTag* tag, const Entries& model, std::mt19937& rng,
                            size_t keyLength) {
        const bool descending = tag->info().descending;
        auto it = tag->NewIterator();
        for (int i = 0; i < 300; ++i) {
            std::string prefix;
            if (!model.empty() && rng() % 2 == 0) {
                auto pick = model.begin();
                std::advance(pick, rng() % model.size());
                prefix = pick->first.substr(0, 1 + rng() % keyLength);
            } else {
                prefix = i % 50 == 0 ? "k\xff" : "k" + std::to_string(rng() % 300);
            }
            auto want = std::find_if(model.begin(), model.end(), [&](const Entry& e) {
                const int c = e.first.compare(0, prefix.size(), prefix);
                return descending ? c <= 0 : c >= 0;
            });
            ASSERT_TRUE(it->Seek(BytesOf(prefix), prefix.size()).ok());
            if (want == model.end()) {
                EXPECT_FALSE(it->Valid()) << prefix;
                continue;
            }
            ASSERT_TRUE(it->Valid()) << prefix;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(it->key()), keyLength),
                      want->first);
            EXPECT_EQ(it->recno(), want->second);
            // SeekEntry lands on the entry itself.
            ASSERT_TRUE(it->SeekEntry(BytesOf(want->first), want->second).ok());
            ASSERT_TRUE(it->Valid());
            EXPECT_EQ(it->recno(), want->second);
        }
    }

    testutil::TempDir dir_;
    std::string path_ = dir_.File("t.cdx");
    std::unique_ptr<CdxFile> file_;
};

std::string RandomKey(std::mt19937& rng, size_t keyLength) {
    std::string k;
    switch (rng() % 4) {
        case 0:
            break;  // all blanks
        case 1:
            k = "k" + std::to_string(rng() % 40);
            break;  // many duplicates
        case 2:
            k = "k" + std::to_string(rng() % 300) + " x";
            break;  // inner blank
        default:
            k = "k" + std::to_string(rng() % 300) + std::string(rng() % 10, 'z');
    }
    k.resize(keyLength, ' ');
    return k;
}

uint32_t RandomRecno(std::mt19937& rng) {
    switch (rng() % 3) {
        case 0:
            return 1 + rng() % 200;
        case 1:
            return 1 + rng() % 100000;
        default:
            return uint32_t(rng());  // full 32-bit record numbers
    }
}

TEST_F(CdxTreeTest, RandomInsertRemoveMatchesModelAndReusesFreedNodes) {
    const size_t kKeyLength = 24;
    std::mt19937 rng(42);
    Model model;
    CdxTag* tag = NewTag(kKeyLength);
    ASSERT_NE(tag, nullptr);
    for (int op = 0; op < 16000; ++op) {
        if (model.empty() || rng() % 10 < 7) {
            Entry e{RandomKey(rng, kKeyLength), RandomRecno(rng)};
            Status s = Insert(tag, e);
            ASSERT_EQ(s.ok(), !model.count(e)) << s.ToString();
            model.insert(e);
        } else {
            auto pick = model.begin();
            std::advance(pick, rng() % model.size());
            ASSERT_TRUE(Remove(tag, *pick).ok());
            model.erase(pick);
        }
        if (op % 2000 == 0)
            ExpectVerified(tag);
    }
    ExpectVerified(tag);
    EXPECT_TRUE(Remove(tag, {std::string(kKeyLength, 'q'), 1}).IsNotFound());
    ASSERT_GT(model.size(), 4000u);
    // Everything removed and added back, twice, in shuffled orders: the freed nodes are reused.
    std::vector<Entry> order(model.begin(), model.end());
    const uint64_t full = FileSize();
    for (int cycle = 0; cycle < 2; ++cycle) {
        std::shuffle(order.begin(), order.end(), rng);
        for (const Entry& e : order)
            ASSERT_TRUE(Remove(tag, e).ok());
        ExpectVerified(tag);
        auto it = tag->NewIterator();
        ASSERT_TRUE(it->SeekFirst().ok());
        EXPECT_FALSE(it->Valid());
        std::shuffle(order.begin(), order.end(), rng);
        for (const Entry& e : order)
            ASSERT_TRUE(Insert(tag, e).ok());
        ExpectVerified(tag);
        EXPECT_LE(FileSize(), full + full / 10) << "cycle " << cycle;
    }
    tag = Reopened();
    ASSERT_NE(tag, nullptr);
    ExpectVerified(tag);
    ExpectWalks(tag, model);
    ExpectSeeks(tag, model, rng, kKeyLength);
}

TEST_F(CdxTreeTest, RebuildMatchesModelAndFreesTheOldTree) {
    const size_t kKeyLength = 16;
    std::mt19937 rng(3);
    CdxTag* tag = NewTag(kKeyLength);
    ASSERT_NE(tag, nullptr);
    uint64_t sizeAfterFirst = 0;
    for (int round = 0; round < 5; ++round) {
        Model model;
        while (model.size() < 20000)
            model.insert({RandomKey(rng, kKeyLength), RandomRecno(rng)});
        ASSERT_TRUE(tag->Rebuild(SourceOf(model)).ok());
        ExpectVerified(tag);
        ExpectWalks(tag, model);
        // Bulk-built leaves keep room for more entries: an insert beside a key splits nothing.
        const uint64_t built = FileSize();
        auto mid = std::next(model.begin(), long(model.size() / 2));
        Entry beside{mid->first, std::max(mid->second ^ 1u, 2u)};
        if (model.insert(beside).second) {
            ASSERT_TRUE(Insert(tag, beside).ok());
            EXPECT_EQ(FileSize(), built);
        }
        EXPECT_TRUE(round == 0 || FileSize() <= sizeAfterFirst + sizeAfterFirst / 10);
        // Incremental changes on a bulk-built tree.
        for (int i = 0; i < 500; ++i) {
            Entry e{RandomKey(rng, kKeyLength), RandomRecno(rng)};
            ASSERT_TRUE(!model.insert(e).second || Insert(tag, e).ok());
        }
        ExpectVerified(tag);
        ExpectSeeks(tag, model, rng, kKeyLength);
        if (round == 0)
            sizeAfterFirst = FileSize();
    }
}

TEST_F(CdxTreeTest, RebuildRejectsUnsortedSourceAndKeepsTheTagUsable) {
    ASSERT_TRUE(CdxFile::Create(path_, &file_).ok());
    const Model model{{"b   ", 1}, {"a   ", 2}};
    const std::vector<Entry> unsorted(model.rbegin(), model.rend());
    EXPECT_EQ(file_->AddTag("T", "T", 4, ' ', SourceOf(unsorted), nullptr).code(),
              Status::Code::kInvalidArgument);
    ASSERT_NE(file_->FindTag("t"), nullptr);
    EXPECT_TRUE(file_->FindTag("t")->Verify().ok());
}

// Numeric keys: small integers end in zero bytes, which the trail byte 0 compresses.
// A tag marked descending keeps its tree ascending and is read from its greatest key down; equal
// keys come last record first.
TEST_F(CdxTreeTest, DescendingTagIsReadInItsOwnOrder) {
    const size_t kKeyLength = 12;
    std::mt19937 rng(5);
    Model model;
    while (model.size() < 6000)
        model.insert({RandomKey(rng, kKeyLength), RandomRecno(rng)});
    model.insert({std::string("k\xff\xff") + std::string(kKeyLength - 3, ' '), 7});
    ASSERT_NE(NewTag(kKeyLength, SourceOf(model)), nullptr);
    const uint8_t descending = 1;
    ASSERT_TRUE(
        file_->file().WriteAt(file_->FindTag("T")->info().headerOffset + 502, &descending, 1).ok());
    CdxTag* tag = Reopened();
    ASSERT_NE(tag, nullptr);
    ASSERT_TRUE(tag->info().descending);
    const std::set<Entry, std::greater<Entry>> own(model.begin(), model.end());
    ExpectWalks(tag, own);
    ExpectSeeks(tag, own, rng, kKeyLength);
    // SeekEntry on an entry the tag lacks lands on the next one in the tag's order.
    auto it = tag->NewIterator();
    for (int i = 0; i < 200; ++i) {
        auto pick = std::next(own.begin(), long(rng() % own.size()));
        const Entry absent{pick->first, pick->second + 1};
        if (own.count(absent) != 0)
            continue;
        auto want = own.upper_bound(absent);
        ASSERT_TRUE(it->SeekEntry(BytesOf(absent.first), absent.second).ok());
        ASSERT_EQ(it->Valid(), want != own.end());
        if (want != own.end()) {
            EXPECT_EQ(it->recno(), want->second);
        }
    }
}

std::string NumericKey(double v) {
    std::string k(kNumericKeyLength, '\0');
    EncodeNumericKey(v, reinterpret_cast<uint8_t*>(k.data()));
    return k;
}

TEST_F(CdxTreeTest, NumericKeysWithZeroTrailByte) {
    std::mt19937 rng(9);
    Model model;
    for (int i = 0; i < 5000; ++i) {
        double v = double(int(rng() % 20000) - 10000);
        if (i % 7 == 0)
            v /= 8;
        model.insert({NumericKey(v), uint32_t(i + 1)});
    }
    CdxTag* tag = NewTag(8, SourceOf(model), 0);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->trailByte(), 0);
    for (int i = 0; i < 2000; ++i) {
        Entry e{NumericKey(double(rng() % 3000)), uint32_t(10000 + i)};
        ASSERT_TRUE(Insert(tag, e).ok());
        model.insert(e);
    }
    ExpectVerified(tag);
    tag = Reopened();
    // Zero-trail compression keeps 7000 keys of 8 bytes well under a byte-per-byte layout.
    EXPECT_LT(FileSize(), 7000u * 8);
    ASSERT_NE(tag, nullptr);
    tag->SetTrailByte(0);
    ExpectWalks(tag, model);
}

}  // namespace
}  // namespace xbase
