// The tag directory of a compound index: name order, adding tags to an existing file, replacing
// a tag, name checks, and the dirty mark / generation counter that other processes watch, kept
// clear of the header bytes other writers use.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/xbase/cdx_file.h"
#include "test_util.h"

namespace xbase {
namespace {

class CdxDirectoryTest : public ::testing::Test {
protected:
    uint64_t FileSize() const { return std::filesystem::file_size(path_); }
    // Keys "<prefix><i>" padded to `len`, record numbers 1..n.
    static EntrySource Numbered(const std::string& prefix, int n, size_t len) {
        auto i = std::make_shared<int>(0);
        auto key = std::make_shared<std::string>();
        return [=](const uint8_t** k, uint32_t* recno) {
            if (*i >= n)
                return false;
            char buf[16];
            snprintf(buf, sizeof buf, "%06d", *i);
            *key = prefix + buf;
            key->resize(len, ' ');
            *k = reinterpret_cast<const uint8_t*>(key->data());
            *recno = uint32_t(++*i);
            return true;
        };
    }
    static std::vector<std::string> Names(CdxFile* f) {
        std::vector<std::string> out;
        for (CdxTag* t : f->tags())
            out.push_back(t->info().name);
        return out;
    }
    // The file, created new or opened (for writing when `writable`).
    std::unique_ptr<CdxFile> Create() {
        std::unique_ptr<CdxFile> f;
        EXPECT_TRUE(CdxFile::Create(path_, &f).ok());
        return f;
    }
    std::unique_ptr<CdxFile> Open(bool writable) {
        std::unique_ptr<CdxFile> f;
        EXPECT_TRUE(CdxFile::Open(path_, writable, &f).ok());
        return f;
    }
    // A new file with tag T of five keys, still open.
    std::unique_ptr<CdxFile> CreateSmall() {
        auto f = Create();
        EXPECT_TRUE(f->AddTag("T", "T", 8, ' ', Numbered("t", 5, 8), nullptr).ok());
        return f;
    }
    static size_t Count(CdxTag* tag) {
        auto it = tag->NewIterator();
        size_t n = 0;
        EXPECT_TRUE(it->SeekFirst().ok());
        while (it->Valid()) {
            ++n;
            if (!it->Next().ok())
                return SIZE_MAX;
        }
        return n;
    }

    testutil::TempDir dir_;
    std::string path_ = dir_.File("d.cdx");
};

// Half the tags are added to the file as it exists on disk, each tag with a tree of its own size.
TEST_F(CdxDirectoryTest, TagsAddedNowOrLaterAreListedInNameOrder) {
    const std::vector<std::string> want{"1", "10", "11", "12", "2", "ALBUM", "ARTIST", "Z_9"};
    const std::vector<std::string> added{"2", "artist", "1", "12", "z_9", "10", "Album", "11"};
    auto f = Create();
    for (size_t i = 0; i < added.size(); ++i) {
        if (i == 4) {
            f.reset();
            f = Open(true);
        }
        ASSERT_TRUE(f->AddTag(added[i], "EXPR_" + added[i], 12, ' ',
                              Numbered(added[i], 400 * int(i + 1), 12), nullptr)
                        .ok());
    }
    EXPECT_EQ(Names(f.get()), want);
    f.reset();
    f = Open(false);
    EXPECT_EQ(Names(f.get()), want);
    for (size_t i = 0; i < added.size(); ++i) {
        CdxTag* tag = f->FindTag(added[i]);
        ASSERT_NE(tag, nullptr);
        EXPECT_EQ(Count(tag), 400 * (i + 1)) << added[i];
        EXPECT_TRUE(tag->Verify().ok()) << added[i];
    }
    CdxTag* artist = f->FindTag("Artist");
    EXPECT_EQ(artist->info().expression, "EXPR_artist");
    EXPECT_EQ(artist->info().keyLength, 12);
    EXPECT_TRUE(artist->info().forExpression.empty());
    EXPECT_EQ(f->FindTag("nope"), nullptr);
    // Opened for reading only, it refuses changes.
    EXPECT_FALSE(artist->Insert(reinterpret_cast<const uint8_t*>("kkkkkkkkkkkk"), 99).ok());
    EXPECT_FALSE(f->SetDirty(true).ok());
    EXPECT_EQ(Count(artist), 800u);
}

TEST_F(CdxDirectoryTest, ReplacingATagKeepsOneTagAndReusesItsNodes) {
    auto f = Create();
    ASSERT_TRUE(f->AddTag("A", "OLD", 10, ' ', Numbered("x", 4000, 10), nullptr).ok());
    ASSERT_TRUE(f->AddTag("B", "B", 10, ' ', Numbered("b", 10, 10), nullptr).ok());
    uint64_t size = 0;
    for (int round = 0; round < 4; ++round) {
        CdxTag* tag = nullptr;
        ASSERT_TRUE(f->AddTag("a", "NEW", 40, ' ', Numbered("y", 1000, 40), &tag).ok());
        if (round == 0)
            size = FileSize();
        EXPECT_EQ(FileSize(), size) << "round " << round;
    }
    f.reset();
    f = Open(false);
    EXPECT_EQ(Names(f.get()), (std::vector<std::string>{"A", "B"}));
    CdxTag* a = f->FindTag("A");
    EXPECT_EQ(a->info().expression, "NEW");
    EXPECT_EQ(a->info().keyLength, 40);
    EXPECT_EQ(Count(a), 1000u);
    auto it = a->NewIterator();
    ASSERT_TRUE(it->SeekFirst().ok());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(it->key()), 7), "y000000");
    EXPECT_EQ(Count(f->FindTag("B")), 10u);
}

TEST_F(CdxDirectoryTest, RejectsBadNamesAndLengths) {
    auto f = Create();
    for (const char* bad : {"", "ELEVENCHARS", "A B", "A-B"}) {
        EXPECT_EQ(f->AddTag(bad, "X", 10, ' ', nullptr, nullptr).code(),
                  Status::Code::kInvalidArgument)
            << bad;
    }
    EXPECT_FALSE(f->AddTag("K", "X", 0, ' ', nullptr, nullptr).ok());
    EXPECT_FALSE(f->AddTag("K", "X", 241, ' ', nullptr, nullptr).ok());
    EXPECT_FALSE(f->AddTag("K", std::string(600, 'x'), 10, ' ', nullptr, nullptr).ok());
    EXPECT_TRUE(f->tags().empty());
    std::unique_ptr<CdxFile> again;
    EXPECT_FALSE(CdxFile::Create(path_, &again).ok());
}

// Bytes 16..39 of the directory header as each kind of file has them; the mark and generation
// are read from wherever that kind keeps them, and bytes 16..23 end as the kind expects.
TEST_F(CdxDirectoryTest, BookkeepingOfEachKindOfFileIsReadAndWrittenSafely) {
    const std::string zeros(8, '\0'), foreign("\x00\x04\x00\x02RCHB", 8);
    struct Case {
        const char* what;
        std::string bytes16to39;
        bool dirty;
        uint32_t generation;
        std::string after16to23;
    } cases[] = {
        {"previous version, left mid-change",
         std::string("\x01\0\0\0\x07\0\0\0", 8) + std::string(16, '\0'), true, 7, zeros},
        {"another writer's", foreign + std::string(16, '\0'), false, 0, foreign},
        {"ours, left mid-change",
         zeros + std::string("TNL1\x01\0\0\0\x05\0\0\0", 12) + std::string(4, '\0'), true, 5,
         zeros},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(path_);
        ASSERT_TRUE(CreateSmall()->file().WriteAt(16, c.bytes16to39.data(), 24).ok());
        for (bool mark : {true, false}) {
            auto f = Open(true);
            EXPECT_EQ(f->dirty(), mark ? c.dirty : true);
            EXPECT_EQ(f->generation(), c.generation);
            ASSERT_TRUE(f->SetDirty(mark).ok());
        }
        auto f = Open(false);
        EXPECT_FALSE(f->dirty());
        EXPECT_EQ(f->generation(), c.generation + 1);
        EXPECT_EQ(Count(f->FindTag("T")), 5u);
        char after[8];
        ASSERT_TRUE(f->file().ReadAt(16, after, 8).ok());
        EXPECT_EQ(std::string(after, 8), c.after16to23);
    }
}

TEST_F(CdxDirectoryTest, RefreshSeesAnotherWritersChanges) {
    auto writer = Create();
    ASSERT_TRUE(writer->AddTag("T", "T", 10, ' ', Numbered("k", 2000, 10), nullptr).ok());
    ASSERT_TRUE(writer->SetDirty(false).ok());
    auto reader = Open(false);
    CdxTag* seen = reader->FindTag("T");
    ASSERT_EQ(Count(seen), 2000u);  // the reader's cache now holds the tree

    ASSERT_TRUE(writer->SetDirty(true).ok());
    CdxTag* tag = writer->FindTag("T");
    std::string key = "k000100   ";
    ASSERT_TRUE(tag->Remove(reinterpret_cast<const uint8_t*>(key.data()), 101).ok());
    for (int i = 0; i < 3000; ++i) {
        std::string k = "m" + std::to_string(i);
        k.resize(10, ' ');
        ASSERT_TRUE(
            tag->Insert(reinterpret_cast<const uint8_t*>(k.data()), uint32_t(5000 + i)).ok());
    }
    ASSERT_TRUE(writer->AddTag("U", "U", 10, ' ', Numbered("u", 7, 10), nullptr).ok());
    ASSERT_TRUE(writer->SetDirty(false).ok());

    ASSERT_TRUE(reader->Refresh().ok());
    EXPECT_EQ(reader->generation(), writer->generation());
    EXPECT_EQ(reader->FindTag("T"), seen);  // pointers held by callers stay valid
    EXPECT_EQ(Count(seen), 4999u);
    EXPECT_TRUE(seen->Verify().ok());
    ASSERT_NE(reader->FindTag("U"), nullptr);
    EXPECT_EQ(Count(reader->FindTag("U")), 7u);
}

}  // namespace
}  // namespace xbase
