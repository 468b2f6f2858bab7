// Memo files: our own FPT writes, FPT files laid out the way other engines lay them out, dBase
// .dbt files, and pointers or lengths that lead outside the file.
#include "platform/xbase/memo_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

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
    // The text of a memo, or the error that stopped its read.
    static std::string Text(MemoFile& m, uint32_t block) {
        std::string text;
        Status st = m.Read(block, &text);
        return st.ok() ? text : "<" + st.ToString() + ">";
    }
    static std::string FptMemo(const std::string& text, uint32_t type = 1) {
        return BE32(type) + BE32(uint32_t(text.size())) + text;
    }

    testutil::TempDir dir_;
    std::unique_ptr<MemoFile> m;  // the memo file under test
};

TEST_F(MemoFileTest, NewFileLayout) {
    ASSERT_TRUE(MemoFile::Create(Path("a.fpt"), 64, &m).ok());
    EXPECT_EQ(m->nextFreeBlock(), 8u);
    uint32_t block = 0;
    ASSERT_TRUE(m->Write(0, "Recorded at Abbey Road", &block).ok());
    EXPECT_EQ(block, 8u);
    ASSERT_TRUE(m->Write(0, std::string(100, 'x'), &block).ok());
    EXPECT_EQ(block, 9u);  // 8 + 22 bytes fit one 64-byte block
    EXPECT_EQ(m->nextFreeBlock(), 11u);
    m.reset();

    const std::string b = Slurp(Path("a.fpt"));
    ASSERT_EQ(b.size(), 11u * 64);
    EXPECT_EQ(b.substr(0, 4), BE32(11));
    EXPECT_EQ(b[6], 0);
    EXPECT_EQ(b[7], 64);
    EXPECT_EQ(b.substr(512, 8), BE32(1) + BE32(22));
    EXPECT_EQ(b.substr(520, 22), "Recorded at Abbey Road");

    ASSERT_TRUE(MemoFile::Open(Path("a.fpt"), false, &m).ok());
    EXPECT_EQ(Text(*m, 9), std::string(100, 'x'));
    EXPECT_EQ(Text(*m, 0), "");
}

TEST_F(MemoFileTest, InPlaceWhenItFitsElseAppended) {
    ASSERT_TRUE(MemoFile::Create(Path("b.fpt"), 64, &m).ok());
    uint32_t first = 0, second = 0, block = 0;
    ASSERT_TRUE(m->Write(0, std::string(100, 'a'), &first).ok());  // two blocks
    ASSERT_TRUE(m->Write(0, "next", &second).ok());
    const uint32_t next = m->nextFreeBlock();

    ASSERT_TRUE(
        m->Write(first, std::string(120, 'b'), &block).ok());  // 128 bytes: still two blocks
    EXPECT_EQ(block, first);
    ASSERT_TRUE(m->Write(first, "short", &block).ok());
    EXPECT_EQ(block, first);
    EXPECT_EQ(m->nextFreeBlock(), next);
    ASSERT_TRUE(m->Write(first, std::string(121, 'c'), &block).ok());  // needs a third block
    EXPECT_EQ(block, next);
    EXPECT_EQ(m->nextFreeBlock(), next + 3);

    EXPECT_EQ(Text(*m, first), "short");
    EXPECT_EQ(Text(*m, second), "next");
    EXPECT_EQ(Text(*m, block), std::string(121, 'c'));

    ASSERT_TRUE(m->Write(block, "", &block).ok());
    EXPECT_EQ(block, 0u);
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
            EXPECT_EQ(Text(*m, entry.first), entry.second)
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
    f += FptMemo("unpadded tail");
    xbasetest::WriteBytes(Path("other.FPT"), f);
    ASSERT_TRUE(MemoFile::Open(Path("other.FPT"), true, &m).ok());
    EXPECT_EQ(m->kind(), MemoFile::Kind::kFpt);
    EXPECT_EQ(m->blockSize(), 32u);
    EXPECT_EQ(Text(*m, 16), "gap before me");
    EXPECT_EQ(Text(*m, 17), "unpadded tail");
    uint32_t block = 0;
    ASSERT_TRUE(m->Write(0, "mine", &block).ok());
    EXPECT_EQ(block, 18u);
    EXPECT_EQ(Text(*m, 17), "unpadded tail");

    // 512-byte blocks: the first memo at block 1; a next-free pointer left behind the data.
    f = FptHeader(1, 512) + FptMemo("one") + std::string(501, '\0') + FptMemo("two");
    xbasetest::WriteBytes(Path("big.fpt"), f);
    ASSERT_TRUE(MemoFile::Open(Path("big.fpt"), true, &m).ok());
    EXPECT_EQ(Text(*m, 1), "one");
    ASSERT_TRUE(m->Write(0, "three", &block).ok());
    EXPECT_EQ(block, 3u);
    EXPECT_EQ(Text(*m, 2), "two");
    EXPECT_EQ(Slurp(Path("big.fpt")).substr(0, 4), BE32(4));
}

TEST_F(MemoFileTest, ReadsDBaseMemoFiles) {
    std::string d3(512, '\0');
    d3[0] = 3;
    d3[16] = 3;
    d3 += "first memo\x1A\x1A";
    d3.resize(1024, '\0');
    d3 += std::string(600, 'L') + "\x1A\x1A";
    xbasetest::WriteBytes(Path("old.dbt"), d3);
    ASSERT_TRUE(MemoFile::Open(Path("old.dbt"), false, &m).ok());
    EXPECT_EQ(m->kind(), MemoFile::Kind::kDbt);
    EXPECT_EQ(Text(*m, 1), "first memo");
    EXPECT_EQ(Text(*m, 2), std::string(600, 'L'));
    uint32_t block = 0;
    EXPECT_EQ(m->Write(0, "x", &block).code(), Status::Code::kNotSupported);

    // dBase IV: blocks of the size at byte 20, memos with FF FF 08 00 and a length.
    std::string d4(512, '\0');
    d4[20] = 0x00;
    d4[21] = 0x02;
    d4 += std::string("\xFF\xFF\x08\x00", 4) + std::string("\x0D\x00\x00\x00", 4) + "hello";
    xbasetest::WriteBytes(Path("four.DBT"), d4);
    ASSERT_TRUE(MemoFile::Open(Path("four.DBT"), false, &m).ok());
    EXPECT_EQ(Text(*m, 1), "hello");
}

TEST_F(MemoFileTest, DamagedFilesAndPointersAreRefused) {
    xbasetest::WriteBytes(Path("short.fpt"), std::string(100, '\0'));
    EXPECT_TRUE(MemoFile::Open(Path("short.fpt"), false, &m).IsCorruption());
    xbasetest::WriteBytes(Path("zero.fpt"), FptHeader(8, 0));
    Status st = MemoFile::Open(Path("zero.fpt"), false, &m);
    EXPECT_TRUE(st.IsCorruption());
    EXPECT_NE(st.message().find("block size is 0"), std::string::npos);

    // A memo claiming 4 GB in a file of a few hundred bytes must not allocate anything like it.
    std::string f = FptHeader(10, 64) + FptMemo("fine") + std::string(52, '\0');
    f += BE32(1) + BE32(0xFFFFFFF0u) + "short";
    xbasetest::WriteBytes(Path("bad.fpt"), f);
    ASSERT_TRUE(MemoFile::Open(Path("bad.fpt"), true, &m).ok());
    EXPECT_EQ(Text(*m, 8), "fine");
    std::string text;
    st = m->Read(9, &text);
    EXPECT_TRUE(st.IsCorruption());
    EXPECT_NE(st.message().find("memo block 9 says 4294967280 bytes"), std::string::npos)
        << st.ToString();
    EXPECT_NE(Text(*m, 10).find("past the end"), std::string::npos);
    EXPECT_NE(Text(*m, 0xFFFFFFFFu).find("past the end"), std::string::npos);
    EXPECT_NE(Text(*m, 3).find("into the header"), std::string::npos);
    // A damaged old memo is left alone and the new text appended.
    uint32_t block = 0;
    ASSERT_TRUE(m->Write(9, "replacement", &block).ok());
    EXPECT_EQ(block, 10u);
    EXPECT_EQ(Text(*m, block), "replacement");
    EXPECT_EQ(Slurp(Path("bad.fpt")).size(), 11u * 64);

    // A next-free pointer far past the end is not followed.
    xbasetest::WriteBytes(Path("far.fpt"), FptHeader(0xFFFFFF00u, 64));
    ASSERT_TRUE(MemoFile::Open(Path("far.fpt"), true, &m).ok());
    ASSERT_TRUE(m->Write(0, "near", &block).ok());
    EXPECT_EQ(block, 8u);
}

}  // namespace
}  // namespace xbase
