// Pack, reindex and append-from: what they keep, what they drop, and how an interrupted pack is
// finished or undone by the next open.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/table.h"
#include "platform/xbase/table_pack_journal.h"
#include "test_util.h"

namespace xbase {
namespace {

namespace fs = std::filesystem;

using Contents = std::vector<std::pair<std::string, std::string>>;

// A table of titles, prices and memos, hfdat.dat, and its index file.
class PackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            Table::Create(
                dbf_, {{"TITEL", 'C', 30, 0}, {"PRIJS", 'N', 10, 2}, {"NOTES", 'M', 10, 0}}, &t_)
                .ok());
    }
    void Tag(const char* name, const char* expression) {
        ASSERT_TRUE(t_->CreateTag(index_, name, expression).ok());
    }
    void Add(const std::string& titel, const std::string& memo, double price = 0) {
        std::vector<uint8_t> rec(t_->recordLength(), ' ');
        for (const FieldDef& f : t_->schema().fields())
            SetBlank(rec.data(), f);
        ASSERT_TRUE(SetText(rec.data(), t_->schema()[0], titel).ok());
        ASSERT_TRUE(SetNumber(rec.data(), t_->schema()[1], price).ok());
        MemoTexts memos;
        if (!memo.empty())
            memos[2] = memo;
        uint32_t recno;
        ASSERT_TRUE(t_->Append(rec.data(), memos, &recno).ok());
    }
    // Title and memo of every record.
    Contents Read() {
        Contents out;
        std::vector<uint8_t> rec(t_->recordLength());
        for (uint32_t r = 1; r <= t_->recordCount(); ++r) {
            EXPECT_TRUE(t_->ReadRecord(r, rec.data()).ok());
            std::string t = GetText(rec.data(), t_->schema()[0]), memo;
            EXPECT_TRUE(t_->ReadMemo(rec.data(), 2, &memo).ok());
            out.emplace_back(t.substr(0, t.find_last_not_of(' ') + 1), memo);
        }
        return out;
    }
    void ExpectConsistent() {
        std::vector<std::string> report;
        EXPECT_TRUE(t_->Check(nullptr, &report).ok()) << (report.empty() ? "" : report[0]);
    }

    testutil::TempDir dir_;
    const std::string dbf_ = dir_.File("hfdat.dat"), index_ = dir_.File("index2.cdx");
    std::unique_ptr<Table> t_;
};

TEST_F(PackTest, PackDropsDeletedRecordsCompactsMemosAndRebuildsTags) {
    Tag("1", "UPPER(TITEL)");
    for (int i = 0; i < 50; ++i)
        Add("T" + std::to_string(i), std::string(300, char('a' + i % 26)));
    for (uint32_t r = 1; r <= 50; r += 2)
        ASSERT_TRUE(t_->SetDeleted(r, true).ok());
    const auto memoSize = [&] { return fs::file_size(dir_.File("hfdat.fpt")); };
    const uintmax_t before = memoSize();
    int progressCalls = 0;
    ASSERT_TRUE(t_->Pack([&](uint64_t done, uint64_t total) {
                      ++progressCalls;
                      EXPECT_LE(done, total);
                  }).ok());
    EXPECT_GT(progressCalls, 0);
    ASSERT_EQ(t_->recordCount(), 25u);
    EXPECT_LT(memoSize(), before * 2 / 3);
    const Contents contents = Read();
    EXPECT_EQ(contents[0], Contents::value_type("T1", std::string(300, 'b')));
    EXPECT_EQ(contents[24], Contents::value_type("T49", std::string(300, 'x')));
    ExpectConsistent();
    EXPECT_FALSE(fs::exists(dir_.File("hfdat.dat.pack-done")));
}

TEST_F(PackTest, CursorKeepsItsOrderAcrossAPack) {
    Tag("1", "UPPER(TITEL)");
    for (const char* title : {"d", "b", "c", "a"})
        Add(title, "");
    Cursor c(t_.get());
    ASSERT_TRUE(c.SetOrder("1").ok());
    ASSERT_TRUE(t_->SetDeleted(2, true).ok());
    ASSERT_TRUE(t_->Pack(nullptr).ok());
    std::vector<uint32_t> walked;
    ASSERT_TRUE(c.GoTop().ok());
    while (!c.Eof()) {
        walked.push_back(c.RecNo());
        ASSERT_TRUE(c.Skip(1).ok());
    }
    EXPECT_EQ(walked, (std::vector<uint32_t>{3, 2, 1}));  // a, c, d after packing
}

TEST_F(PackTest, TagsKeepTheirHeaderOrderThroughPackAndReindex) {
    const std::vector<std::string> order{"2", "10", "1", "PRIJS"};
    std::vector<std::pair<std::string, std::string>> defs;
    for (const std::string& name : order)
        defs.emplace_back(name, name == "PRIJS" ? "PRIJS" : "UPPER(TITEL)");
    ASSERT_TRUE(t_->CreateTags(index_, defs).ok());
    Add("A", "");
    ASSERT_TRUE(t_->SetDeleted(1, true).ok());
    for (int step = 0; step < 2; ++step) {
        ASSERT_TRUE((step == 0 ? t_->Pack(nullptr) : t_->Reindex(nullptr)).ok());
        std::vector<CdxTag*> tags = t_->indexFiles()[0]->tags();
        std::sort(tags.begin(), tags.end(), [](CdxTag* a, CdxTag* b) {
            return a->info().headerOffset < b->info().headerOffset;
        });
        std::vector<std::string> names;
        for (CdxTag* tag : tags)
            names.push_back(tag->info().name);
        EXPECT_EQ(names, order) << step;
    }
}

TEST_F(PackTest, PackNeedsExclusiveUse) {
    t_.reset();
    ASSERT_TRUE(Table::Open(dbf_, {}, &t_).ok());
    EXPECT_TRUE(t_->Pack(nullptr).IsLocked());
}

TEST_F(PackTest, InterruptedPackIsFinishedOnceCommittedAndUndoneBefore) {
    Add("keep", "kept memo");
    Add("drop", "dropped memo");
    ASSERT_TRUE(t_->SetDeleted(2, true).ok());
    t_.reset();
    // A packed copy, made in another folder, stands in for the copies a crashed pack left.
    testutil::TempDir other;
    fs::copy(dir_.File("hfdat.dat"), other.File("hfdat.dat"));
    fs::copy(dir_.File("hfdat.fpt"), other.File("hfdat.fpt"));
    {
        std::unique_ptr<Table> copy;
        ASSERT_TRUE(Table::Open(other.File("hfdat.dat"), {.exclusive = true}, &copy).ok());
        ASSERT_TRUE(copy->Pack(nullptr).ok());
    }
    const PackPaths paths = PackPathsFor(dbf_, dir_.File("hfdat.fpt"));
    fs::copy(other.File("hfdat.dat"), paths.dbfNew);
    fs::copy(other.File("hfdat.fpt"), paths.memoNew);

    // Without the marker the copies are thrown away.
    ASSERT_TRUE(Table::Open(dbf_, {}, &t_).ok());
    EXPECT_EQ(t_->recordCount(), 2u);
    EXPECT_FALSE(fs::exists(paths.dbfNew));
    t_.reset();

    // With it, the swap is completed.
    fs::copy(other.File("hfdat.dat"), paths.dbfNew);
    fs::copy(other.File("hfdat.fpt"), paths.memoNew);
    ASSERT_TRUE(CommitPack(paths).ok());
    ASSERT_TRUE(Table::Open(dbf_, {}, &t_).ok());
    EXPECT_EQ(Read(), (Contents{{"keep", "kept memo"}}));
    EXPECT_FALSE(fs::exists(paths.marker));
}

TEST_F(PackTest, AppendFromTakesFieldsByNameWithMemosAndSkipsDeleted) {
    std::unique_ptr<Table> source;
    ASSERT_TRUE(Table::Create(dir_.File("DATA2.DAT"),
                              {{"NOTES", 'M', 10, 0},
                               {"TITEL", 'C', 40, 0},
                               {"EXTRA", 'C', 5, 0},
                               {"PRIJS", 'N', 8, 1}},
                              &source)
                    .ok());
    std::vector<uint8_t> rec(source->recordLength(), ' ');
    for (const FieldDef& f : source->schema().fields())
        SetBlank(rec.data(), f);
    ASSERT_TRUE(SetText(rec.data(), source->schema()[1], "Caf\xE9 del Mar").ok());
    ASSERT_TRUE(SetNumber(rec.data(), source->schema()[3], 12.5).ok());
    uint32_t recno;
    ASSERT_TRUE(source->Append(rec.data(), {{0, "old memo"}}, &recno).ok());
    ASSERT_TRUE(source->Append(rec.data(), {{0, "deleted"}}, &recno).ok());
    ASSERT_TRUE(source->SetDeleted(2, true).ok());
    source.reset();

    Tag("1", "UPPER(TITEL)");
    ASSERT_TRUE(t_->AppendFrom(dir_.File("data2.dat"), nullptr).ok());
    EXPECT_EQ(Read(), (Contents{{"Caf\xE9 del Mar", "old memo"}}));
    ASSERT_TRUE(t_->ReadRecord(1, rec.data()).ok());
    EXPECT_DOUBLE_EQ(GetNumber(rec.data(), t_->schema()[1]), 12.5);
    ExpectConsistent();
}

TEST_F(PackTest, ReindexRepairsATagAndReportsProgress) {
    Tag("1", "UPPER(TITEL)");
    Tag("2", "PRIJS");
    for (int i = 0; i < 100; ++i)
        Add("T" + std::to_string(99 - i), "", i * 1.5);
    {
        CdxTag* tag = t_->indexFiles()[0]->FindTag("2");
        auto it = tag->NewIterator();
        ASSERT_TRUE(it->SeekFirst().ok());
        std::vector<uint8_t> key(it->key(), it->key() + tag->info().keyLength);
        ASSERT_TRUE(tag->Remove(key.data(), it->recno()).ok());
    }
    std::vector<std::string> broken;
    EXPECT_TRUE(t_->Check(nullptr, &broken).IsCorruption());
    uint64_t last = 0;
    ASSERT_TRUE(t_->Reindex([&](uint64_t done, uint64_t) { last = done; }).ok());
    EXPECT_GT(last, 0u);
    ExpectConsistent();
    Cursor c(t_.get());
    ASSERT_TRUE(c.SetOrder("2").ok());
    ASSERT_TRUE(c.GoBottom().ok());
    EXPECT_EQ(c.RecNo(), 100u);
}

}  // namespace
}  // namespace xbase
