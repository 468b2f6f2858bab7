// Memo files: our own FPT writes, FPT files laid out the way other engines lay them out, dBase
// .dbt files, and pointers or lengths that lead outside the file.
#include "platform/xbase/memo_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <utility>

#include "platform/xbase/file_bytes.h"
#include "test_util.h"

namespace xbase {
namespace {

class MemoFileTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir_.File(name); }
    static std::string Slurp(const std::string& path) {
        return xbasetest::ReadBytes<std::string>(path);
    }
    static std::string BE32(uint32_t v) {
        return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
    }
    // An FPT header with the given next-free block and block size.
    static std::string FptHeader(uint32_t nextFree, uint16_t blockSize) {
        std::string h(512, '\0');
        h.replace(0, 4, BE32(nextFree));
        h[6] = char(blockSize >> 8);
        h[7] = char(blockSize);
        return h;
    }
    static std::string FptMemo(const std::string& text, uint32_t type = 1) {
        return BE32(type) + BE32(uint32_t(text.size())) + text;
    }
    // Writes `bytes` as the file `name` and opens it as the memo file under test.
    Status OpenBytes(const char* name, const std::string& bytes, bool writable = true) {
        xbasetest::WriteBytes(Path(name), bytes);
        return MemoFile::Open(Path(name), writable, &m);
    }
    // The text of a memo, or the error that stopped its read.
    std::string Text(uint32_t block) {
        std::string text;
        Status st = m->Read(block, &text);
        return st.ok() ? text : "<" + st.ToString() + ">";
    }
    // The block `text` was written to in place of the memo at `old`.
    uint32_t Put(uint32_t old, const std::string& text) {
        uint32_t block = 0xDEAD;
        Status st = m->Write(old, text, &block);
        EXPECT_TRUE(st.ok()) << st.ToString();
        return block;
    }

    testutil::TempDir dir_;
    std::unique_ptr<MemoFile> m;  // the memo file under test
};

TEST_F(MemoFileTest, NewFileLayoutThenInPlaceWhenItFitsElseAppended) {
    ASSERT_TRUE(MemoFile::Create(Path("a.fpt"), 64, &m).ok());
    EXPECT_EQ(m->nextFreeBlock(), 8u);
    EXPECT_EQ(Put(0, "Recorded at Abbey Road"), 8u);
    EXPECT_EQ(Put(0, std::string(100, 'x')), 9u);  // 8 + 22 bytes fit one 64-byte block
    EXPECT_EQ(m->nextFreeBlock(), 11u);
    m.reset();

    const std::string b = Slurp(Path("a.fpt"));
    ASSERT_EQ(b.size(), 11u * 64);
    EXPECT_EQ(b.substr(0, 8), BE32(11) + std::string("\0\0\0\x40", 4));
    EXPECT_EQ(b.substr(512, 30), BE32(1) + BE32(22) + "Recorded at Abbey Road");

    ASSERT_TRUE(MemoFile::Open(Path("a.fpt"), true, &m).ok());
    EXPECT_EQ(Text(9), std::string(100, 'x'));
    EXPECT_EQ(Text(0), "");
    EXPECT_EQ(Put(0, "next"), 11u);                // right behind the two blocks rewritten below
    EXPECT_EQ(Put(9, std::string(120, 'b')), 9u);  // 128 bytes: still two blocks
    EXPECT_EQ(Put(9, "short"), 9u);
    EXPECT_EQ(m->nextFreeBlock(), 12u);
    const uint32_t moved = Put(9, std::string(121, 'c'));  // needs a third block
    EXPECT_EQ(moved, 12u);
    EXPECT_EQ(m->nextFreeBlock(), 15u);
    EXPECT_EQ(Text(9), "short");
    EXPECT_EQ(Text(11), "next");
    EXPECT_EQ(Text(8), "Recorded at Abbey Road");
    EXPECT_EQ(Text(moved), std::string(121, 'c'));
    EXPECT_EQ(Put(moved, ""), 0u);
}

// Model-based: random memo edits against a map from slot to text, re-opened now and then; every
// memo must read back and none may overwrite another.
TEST_F(MemoFileTest, EditsMatchAPlainMap) {
    for (uint16_t blockSize : {1, 33, 64, 512, 1024}) {
        std::filesystem::remove(Path("c.fpt"));
        ASSERT_TRUE(MemoFile::Create(Path("c.fpt"), blockSize, &m).ok());
        std::map<int, std::pair<uint32_t, std::string>> model;
        std::mt19937 rng(blockSize);
        for (int step = 0; step < 300; ++step) {
            const int slot = int(rng() % 20);
            std::string text(rng() % 3 == 0 ? rng() % 2000 : rng() % 90, char('a' + rng() % 26));
            if (!text.empty())
                text[0] = char('A' + slot);
            uint32_t old = model.count(slot) ? model[slot].first : 0;
            uint32_t block = 0;
            ASSERT_TRUE(m->Write(old, text, &block).ok());
            model[slot] = {block, text};
            if (rng() % 25 == 0) {
                m.reset();
                ASSERT_TRUE(MemoFile::Open(Path("c.fpt"), true, &m).ok());
            }
        }
        for (const auto& [slot, entry] : model) {
            EXPECT_EQ(Text(entry.first), entry.second)
                << "block size " << blockSize << " slot " << slot;
        }
    }
}

TEST_F(MemoFileTest, FollowsOtherEnginesLayouts) {
    // First memo at block 16 after a gap, the last memo not padded to a whole block.
    std::string f = FptHeader(18, 32);
    f.resize(16 * 32, '\0');
    f += FptMemo("gap before me");
    f.resize(17 * 32, '\0');
    ASSERT_TRUE(OpenBytes("other.FPT", f + FptMemo("unpadded tail")).ok());
    EXPECT_EQ(m->kind(), MemoFile::Kind::kFpt);
    EXPECT_EQ(m->blockSize(), 32u);
    EXPECT_EQ(Text(16), "gap before me");
    EXPECT_EQ(Text(17), "unpadded tail");
    EXPECT_EQ(Put(0, "mine"), 18u);
    EXPECT_EQ(Text(17), "unpadded tail");

    // 512-byte blocks: the first memo at block 1; a next-free pointer left behind the data.
    f = FptHeader(1, 512) + FptMemo("one") + std::string(501, '\0') + FptMemo("two");
    ASSERT_TRUE(OpenBytes("big.fpt", f).ok());
    EXPECT_EQ(Text(1), "one");
    EXPECT_EQ(Put(0, "three"), 3u);
    EXPECT_EQ(Text(2), "two");
    EXPECT_EQ(Slurp(Path("big.fpt")).substr(0, 4), BE32(4));
}

TEST_F(MemoFileTest, ReadsDBaseMemoFiles) {
    std::string d3(512, '\0');
    d3[0] = 3;
    d3[16] = 3;
    d3 += "first memo\x1A\x1A";
    d3.resize(1024, '\0');
    ASSERT_TRUE(OpenBytes("old.dbt", d3 + std::string(600, 'L') + "\x1A\x1A", false).ok());
    EXPECT_EQ(m->kind(), MemoFile::Kind::kDbt);
    EXPECT_EQ(Text(1), "first memo");
    EXPECT_EQ(Text(2), std::string(600, 'L'));
    uint32_t block = 0;
    EXPECT_EQ(m->Write(0, "x", &block).code(), Status::Code::kNotSupported);

    // dBase IV: blocks of the size at byte 20, memos with FF FF 08 00 and a length.
    std::string d4(512, '\0');
    d4[21] = 0x02;
    d4 += std::string("\xFF\xFF\x08\x00\x0D\x00\x00\x00", 8) + "hello";
    ASSERT_TRUE(OpenBytes("four.DBT", d4, false).ok());
    EXPECT_EQ(Text(1), "hello");
}

TEST_F(MemoFileTest, DamagedFilesAndPointersAreRefused) {
    for (const auto& [name, bytes, problem] :
         {std::tuple{"short.fpt", std::string(100, '\0'), "truncated"},
          std::tuple{"zero.fpt", FptHeader(8, 0), "block size is 0"}}) {
        Status st = OpenBytes(name, bytes, false);
        EXPECT_TRUE(st.IsCorruption()) << name;
        EXPECT_NE(st.message().find(problem), std::string::npos) << st.ToString();
    }

    // A memo claiming 4 GB in a file of a few hundred bytes must not allocate anything like it.
    const std::string f = FptHeader(10, 64) + FptMemo("fine") + std::string(52, '\0');
    ASSERT_TRUE(OpenBytes("bad.fpt", f + BE32(1) + BE32(0xFFFFFFF0u) + "short").ok());
    EXPECT_EQ(Text(8), "fine");
    for (const auto& [block, problem] : {std::pair{9u, "memo block 9 says 4294967280 bytes"},
                                         {10u, "past the end"},
                                         {0xFFFFFFFFu, "past the end"},
                                         {3u, "into the header"}}) {
        std::string text;
        Status st = m->Read(block, &text);
        EXPECT_TRUE(st.IsCorruption()) << block;
        EXPECT_NE(st.message().find(problem), std::string::npos) << st.ToString();
    }
    // A damaged old memo is left alone and the new text appended.
    EXPECT_EQ(Put(9, "replacement"), 10u);
    EXPECT_EQ(Text(10), "replacement");
    EXPECT_EQ(Slurp(Path("bad.fpt")).size(), 11u * 64);

    // A next-free pointer far past the end is not followed.
    ASSERT_TRUE(OpenBytes("far.fpt", FptHeader(0xFFFFFF00u, 64)).ok());
    EXPECT_EQ(Put(0, "near"), 8u);
}

}  // namespace
}  // namespace xbase
