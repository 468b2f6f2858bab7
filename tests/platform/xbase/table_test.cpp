// Tables with their indexes: writes keep every tag in step, cursors walk, seek and hide what they
// should, and a table with its tags survives reopening.
#include "platform/xbase/table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/file.h"
#include "test_util.h"

namespace xbase {
namespace {

const std::vector<FieldSpec> kTrackFields = {
    {"TITEL", 'C', 20, 0},    {"ARTIEST", 'C', 20, 0}, {"TRACK", 'N', 4, 0},
    {"DRAGER", 'C', 10, 0},   {"CDNUMMER", 'N', 9, 0}, {"AKANT", 'C', 1, 0},
    {"WIJZIGDAT", 'D', 8, 0}, {"MEMO", 'M', 10, 0},
};

class TableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Table::Create(dir_.File("artdat.dat"), kTrackFields, &table_).ok());
    }

    std::vector<uint8_t> Record(const std::string& titel, const std::string& artiest, int track = 1,
                                const std::string& drager = "CD", int number = 1) {
        std::vector<uint8_t> rec(table_->recordLength(), ' ');
        const Schema& s = table_->schema();
        EXPECT_TRUE(SetText(rec.data(), s[size_t(s.Find("TITEL"))], titel).ok());
        EXPECT_TRUE(SetText(rec.data(), s[size_t(s.Find("ARTIEST"))], artiest).ok());
        EXPECT_TRUE(SetNumber(rec.data(), s[size_t(s.Find("TRACK"))], track).ok());
        EXPECT_TRUE(SetText(rec.data(), s[size_t(s.Find("DRAGER"))], drager).ok());
        EXPECT_TRUE(SetNumber(rec.data(), s[size_t(s.Find("CDNUMMER"))], number).ok());
        SetBlank(rec.data(), s[size_t(s.Find("WIJZIGDAT"))]);
        SetMemoBlock(rec.data(), s[size_t(s.Find("MEMO"))], 0);
        return rec;
    }

    uint32_t Add(const std::string& titel, const std::string& artiest, int track = 1,
                 const std::string& memo = "", int number = 1) {
        auto rec = Record(titel, artiest, track, "CD", number);
        MemoTexts memos;
        if (!memo.empty())
            memos[table_->schema().Find("MEMO")] = memo;
        uint32_t recno = 0;
        Status s = table_->Append(rec.data(), memos, &recno);
        EXPECT_TRUE(s.ok()) << s.ToString();
        return recno;
    }

    std::string Field(const Cursor& c, const char* name) {
        std::string v = GetText(c.record(), table_->schema()[size_t(table_->schema().Find(name))]);
        return v.substr(0, v.find_last_not_of(' ') + 1);
    }

    std::vector<uint32_t> Walk(Cursor& c) {
        std::vector<uint32_t> out;
        EXPECT_TRUE(c.GoTop().ok());
        while (!c.Eof()) {
            out.push_back(c.RecNo());
            EXPECT_TRUE(c.Skip(1).ok());
        }
        return out;
    }

    testutil::TempDir dir_;
    std::unique_ptr<Table> table_;
};

TEST_F(TableTest, RecordsAndMemosSurviveReopening) {
    Add("Angie", "Rolling Stones", 1, "liner notes\nsecond line");
    Add("Yesterday", "Beatles", 2, std::string(5000, 'x'));
    table_.reset();
    ASSERT_TRUE(Table::Open(dir_.File("ARTDAT.DAT"), {}, &table_).ok());
    ASSERT_EQ(table_->recordCount(), 2u);
    std::vector<uint8_t> rec(table_->recordLength());
    ASSERT_TRUE(table_->ReadRecord(2, rec.data()).ok());
    std::string memo;
    ASSERT_TRUE(table_->ReadMemo(rec.data(), table_->schema().Find("MEMO"), &memo).ok());
    EXPECT_EQ(memo, std::string(5000, 'x'));
    ASSERT_TRUE(table_->ReadRecord(1, rec.data()).ok());
    ASSERT_TRUE(table_->ReadMemo(rec.data(), table_->schema().Find("MEMO"), &memo).ok());
    EXPECT_EQ(memo, "liner notes\nsecond line");
}

TEST_F(TableTest, PartialKeySeekFindsFirstRecordThatBeginsWithIt) {
    ASSERT_TRUE(
        table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(ARTIEST)+UPPER(TITEL)").ok());
    Add("Yesterday", "Beatles");
    Add("Angie", "Rolling Stones");
    Add("Help", "Beatles");
    Add("Bodhisattva", "Steely Dan");
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetOrder("1").ok());
    bool found = false;
    ASSERT_TRUE(c.Seek(reinterpret_cast<const uint8_t*>("BEA"), 3, &found).ok());
    ASSERT_TRUE(found);
    EXPECT_EQ(Field(c, "TITEL"), "Help");
    ASSERT_TRUE(c.Skip(1).ok());
    EXPECT_EQ(Field(c, "TITEL"), "Yesterday");
    ASSERT_TRUE(c.Seek(reinterpret_cast<const uint8_t*>("BOB"), 3, &found).ok());
    EXPECT_FALSE(found);
    EXPECT_TRUE(c.Eof());
    EXPECT_EQ(c.RecNo(), table_->recordCount() + 1);
}

TEST_F(TableTest, EqualKeysWalkInRecordNumberOrderBothWays) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "4", "CDNUMMER").ok());
    for (int i = 0; i < 30; ++i)
        Add("t", "a", 1, "", i % 3);
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetOrder("4").ok());
    std::vector<uint32_t> forward = Walk(c);
    std::vector<uint32_t> expected;
    for (int k = 0; k < 3; ++k) {
        for (int i = 0; i < 30; ++i) {
            if (i % 3 == k)
                expected.push_back(uint32_t(i + 1));
        }
    }
    EXPECT_EQ(forward, expected);
    std::vector<uint32_t> backward;
    ASSERT_TRUE(c.GoBottom().ok());
    while (!c.Bof()) {
        backward.push_back(c.RecNo());
        ASSERT_TRUE(c.Skip(-1).ok());
    }
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, expected);
}

TEST_F(TableTest, DeletedRecordsAreInvisibleButKeepTheirKeys) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)").ok());
    Add("A", "x");
    Add("B", "x");
    Add("C", "x");
    ASSERT_TRUE(table_->SetDeleted(2, true).ok());
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetOrder("1").ok());
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{1, 3}));
    bool found = true;
    ASSERT_TRUE(c.Seek(reinterpret_cast<const uint8_t*>("B"), 1, &found).ok());
    EXPECT_FALSE(found);
    uint64_t count = 0;
    ASSERT_TRUE(c.Count(&count).ok());
    EXPECT_EQ(count, 2u);
    c.SetShowDeleted(true);
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{1, 2, 3}));
    std::vector<std::string> report;
    EXPECT_TRUE(table_->Check(nullptr, &report).ok()) << report[0];
}

TEST_F(TableTest, FilterHidesRecordsFromWalksAndCounts) {
    Add("A", "Beatles");
    Add("B", "Stones");
    Add("C", "beatles");
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetFilter("UPPER(ARTIEST)=\"BEA\"").ok());
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{1, 3}));
    uint64_t count = 0;
    ASSERT_TRUE(c.Count(&count).ok());
    EXPECT_EQ(count, 2u);
    EXPECT_FALSE(c.SetFilter("UPPER(ARTIEST)").ok());
    ASSERT_TRUE(c.SetFilter("").ok());
    EXPECT_EQ(Walk(c).size(), 3u);
}

TEST_F(TableTest, UpdateMovesTheRecordInEveryChangedTag) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)").ok());
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "2", "UPPER(ARTIEST)").ok());
    Add("A", "Zappa");
    Add("B", "Abba");
    auto rec = Record("Z", "Abba");
    ASSERT_TRUE(table_->Update(1, rec.data(), {}).ok());
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetOrder("1").ok());
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{2, 1}));
    ASSERT_TRUE(c.SetOrder("2").ok());
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{1, 2}));
    std::vector<std::string> report;
    EXPECT_TRUE(table_->Check(nullptr, &report).ok());
}

TEST_F(TableTest, CursorKeepsItsPlaceWhileOthersWrite) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)").ok());
    for (char ch = 'A'; ch <= 'J'; ++ch)
        Add(std::string(1, ch), "x");
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetOrder("1").ok());
    bool found = false;
    ASSERT_TRUE(c.Seek(reinterpret_cast<const uint8_t*>("E"), 1, &found).ok());
    ASSERT_TRUE(found);
    for (int i = 0; i < 200; ++i)
        Add("D" + std::to_string(i), "x");  // enough to split leaves
    ASSERT_TRUE(c.Skip(1).ok());
    EXPECT_EQ(Field(c, "TITEL"), "F");
    ASSERT_TRUE(c.Skip(-2).ok());
    EXPECT_EQ(Field(c, "TITEL"), "D99");
}

TEST_F(TableTest, CursorFollowsATagReplacedUnderIt) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)").ok());
    Add("B", "z");
    Add("A", "y");
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetOrder("1").ok());
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{2, 1}));
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(ARTIEST)+STR(TRACK)").ok());
    Add("C", "x");
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{3, 2, 1}));
    EXPECT_EQ(table_->tags().size(), 1u);
}

TEST_F(TableTest, ExclusiveOpenIsRefusedWhileSharedOpenExists) {
    table_.reset();
    std::unique_ptr<Table> shared, other;
    ASSERT_TRUE(Table::Open(dir_.File("artdat.dat"), {}, &shared).ok());
    ASSERT_TRUE(Table::Open(dir_.File("artdat.dat"), {}, &other).ok());
    Table::Options exclusive;
    exclusive.exclusive = true;
    Status s = Table::Open(dir_.File("artdat.dat"), exclusive, &table_);
    EXPECT_TRUE(s.IsLocked()) << s.ToString();
    shared.reset();
    other.reset();
    EXPECT_TRUE(Table::Open(dir_.File("artdat.dat"), exclusive, &table_).ok());
    EXPECT_TRUE(Table::Open(dir_.File("artdat.dat"), {}, &shared).IsLocked());
}

TEST_F(TableTest, TwoSharedWritersKeepTheIndexConsistent) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)").ok());
    table_.reset();
    std::unique_ptr<Table> a, b;
    ASSERT_TRUE(Table::Open(dir_.File("artdat.dat"), {}, &a).ok());
    ASSERT_TRUE(Table::Open(dir_.File("artdat.dat"), {}, &b).ok());
    ASSERT_TRUE(a->OpenIndex(dir_.File("index1.cdx")).ok());
    ASSERT_TRUE(b->OpenIndex(dir_.File("index1.cdx")).ok());
    table_ = std::move(a);
    for (int i = 0; i < 100; ++i) {
        std::swap(table_, b);
        Add("T" + std::to_string(i), "x", 1, i % 2 ? "memo " + std::to_string(i) : "");
    }
    std::vector<std::string> report;
    EXPECT_TRUE(table_->Check(nullptr, &report).ok()) << (report.empty() ? "" : report[0]);
    EXPECT_EQ(table_->recordCount(), 100u);
    std::vector<uint8_t> rec(table_->recordLength());
    std::string memo;
    ASSERT_TRUE(table_->ReadRecord(100, rec.data()).ok());
    ASSERT_TRUE(table_->ReadMemo(rec.data(), table_->schema().Find("MEMO"), &memo).ok());
    EXPECT_EQ(memo, "memo 99");
}

TEST_F(TableTest, RandomChangesMatchAModel) {
    // The model: per record its tag key and deleted flag; each walk must equal the model sorted.
    ASSERT_TRUE(
        table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)+UPPER(ARTIEST)").ok());
    ASSERT_TRUE(
        table_->CreateTag(dir_.File("index1.cdx"), "2", "STR(CDNUMMER)+AKANT+STR(TRACK)").ok());
    const auto pad = [](std::string s) { return s + std::string(20 - s.size(), ' '); };
    std::mt19937 rng(7);
    std::map<uint32_t, std::pair<std::string, bool>> model;
    for (int step = 0; step < 1500; ++step) {
        int op = int(rng() % 10);
        std::string title = "T" + std::to_string(rng() % 300);
        std::string artist = "A" + std::to_string(rng() % 5);
        if (op < 6 || model.empty()) {
            model[Add(title, artist)] = {pad(title) + pad(artist), false};
        } else if (op < 8) {
            uint32_t recno = 1 + rng() % uint32_t(model.size());
            auto rec = Record(title, artist);
            rec[0] = model[recno].second ? '*' : ' ';
            ASSERT_TRUE(table_->Update(recno, rec.data(), {}).ok());
            model[recno].first = pad(title) + pad(artist);
        } else {
            uint32_t recno = 1 + rng() % uint32_t(model.size());
            bool del = !model[recno].second;
            ASSERT_TRUE(table_->SetDeleted(recno, del).ok());
            model[recno].second = del;
        }
    }
    table_->CloseIndexes();
    ASSERT_TRUE(table_->OpenIndex(dir_.File("INDEX1.CDX")).ok());
    std::set<std::pair<std::string, uint32_t>> expected;
    for (auto& [recno, v] : model) {
        if (!v.second)
            expected.insert({v.first, recno});
    }
    std::vector<uint32_t> want;
    for (auto& [key, recno] : expected)
        want.push_back(recno);
    Cursor c(table_.get());
    ASSERT_TRUE(c.SetOrder("1").ok());
    EXPECT_EQ(Walk(c), want);
    std::vector<std::string> report;
    EXPECT_TRUE(table_->Check(nullptr, &report).ok());
}

// Index files that do not match the table, each made as the named mishap leaves it; the open
// repairs what it can notice cheaply, and damage it does not read is named when a walk reaches it
// and put right by the full check.
TEST_F(TableTest, IndexThatDoesNotMatchTheTableIsRepaired) {
    const std::string index = dir_.File("index1.cdx"), dbf = dir_.File("artdat.dat");
    ASSERT_TRUE(table_->CreateTag(index, "1", "UPPER(TITEL)").ok());
    for (int i = 0; i < 400; ++i)
        Add("title " + std::to_string(i), "x");
    auto patch = [](const std::string& path, uint64_t at, const std::string& bytes) {
        std::unique_ptr<File> f;
        ASSERT_TRUE(File::Open(path, File::Mode::kReadWrite, &f).ok());
        ASSERT_TRUE(f->WriteAt(at, bytes.data(), bytes.size()).ok());
    };
    auto dropKey = [&](bool mark) {
        std::unique_ptr<CdxFile> cdx;
        ASSERT_TRUE(CdxFile::Open(index, true, &cdx).ok());
        if (mark) {
            ASSERT_TRUE(cdx->SetDirty(true).ok());
        }
        std::string key = "TITLE 7";
        key.resize(20, ' ');
        ASSERT_TRUE(
            cdx->FindTag("1")->Remove(reinterpret_cast<const uint8_t*>(key.data()), 8).ok());
    };
    auto damageALeaf = [&] {
        uint8_t page[512];
        std::unique_ptr<File> f;
        ASSERT_TRUE(File::Open(index, File::Mode::kReadWrite, &f).ok());
        for (uint64_t at = 2048, leaves = 0;; at += 512) {
            ASSERT_TRUE(f->ReadAt(at, page, sizeof page).ok());
            if (page[0] == 2 && page[1] == 0 && ++leaves == 3)
                return patch(index, at + 2, std::string(20, '\xFF'));
        }
    };
    struct Case {
        const char* what;
        std::function<void()> damage;
        bool othersOpen = false, foundWhenRead = false;
    } cases[] = {
        {"left mid-change", [&] { dropKey(true); }},
        {"left mid-change while others use the table", [&] { dropKey(true); }, true},
        {"records appended without it",
         [&] {
             ASSERT_TRUE(Table::Open(dbf, {}, &table_).ok());
             Add("appended", "by another tool");
             table_.reset();
         }},
        {"from an earlier version", [&] { dropKey(false), patch(index, 24, std::string(16, 0)); }},
        {"synced last by a session that ended abruptly",
         [&] { dropKey(false), patch(dbf, 24, "TNL\x01"); }},
        {"a damaged page the open does not read", damageALeaf, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        table_.reset();
        c.damage();
        std::unique_ptr<Table> other;
        if (c.othersOpen) {
            ASSERT_TRUE(Table::Open(dbf, {}, &other).ok());
        }
        ASSERT_TRUE(Table::Open(dbf, {}, &table_).ok());
        ASSERT_TRUE(table_->OpenIndex(index).ok());
        std::vector<std::string> report;
        if (c.foundWhenRead) {
            Cursor cursor(table_.get());
            ASSERT_TRUE(cursor.SetOrder("1").ok());
            Status s = cursor.GoTop();
            while (s.ok() && !cursor.Eof())
                s = cursor.Skip(1);
            EXPECT_TRUE(s.IsCorruption() && s.file() == index) << s.ToString();
            ASSERT_TRUE(table_->CheckAndRepair(nullptr, &report).ok());
        }
        EXPECT_TRUE(table_->Check(nullptr, &report).ok()) << report[0];
        EXPECT_FALSE(table_->indexFiles()[0]->dirty());
    }
}

// A count lower than the records the file holds: one uncounted record is what a crash leaves and
// is written over; more mean damage, and writes are refused until the count is repaired.
TEST_F(TableTest, RecordsPastTheCountRefuseWritesUntilRepaired) {
    for (int i = 0; i < 5; ++i)
        Add("t" + std::to_string(i), "x");
    const std::string dbf = dir_.File("artdat.dat");
    for (uint32_t count : {4u, 2u}) {
        table_.reset();
        {
            std::unique_ptr<File> f;
            ASSERT_TRUE(File::Open(dbf, File::Mode::kReadWrite, &f).ok());
            uint8_t le[4] = {uint8_t(count), 0, 0, 0};
            ASSERT_TRUE(f->WriteAt(4, le, 4).ok());
        }
        ASSERT_TRUE(Table::Open(dbf, {}, &table_).ok());
        auto rec = Record("new", "y");
        uint32_t recno = 0;
        Status s = table_->Append(rec.data(), {}, &recno);
        if (count == 4) {
            EXPECT_TRUE(s.ok() && recno == 5) << s.ToString();
            continue;
        }
        EXPECT_TRUE(s.IsCorruption() &&
                    s.message().find("counts 2 records but the file holds 5") != std::string::npos)
            << s.ToString();
        table_.reset();
        Table::Options exclusive;
        exclusive.exclusive = true;
        ASSERT_TRUE(Table::Open(dbf, exclusive, &table_).ok());
        ASSERT_TRUE(table_->RepairRecordCount().ok());
        EXPECT_EQ(table_->recordCount(), 5u);
        EXPECT_TRUE(table_->Append(rec.data(), {}, &recno).ok());
    }
}

TEST_F(TableTest, UniqueAndDescendingTagsAreRefusedForWriting) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)").ok());
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "2", "UPPER(ARTIEST)").ok());
    Add("B", "x");
    Add("A", "x");
    table_.reset();
    // The option byte (14) or the order (502) of tag 2, in a clean file and in one left dirty
    // (which must not be rebuilt into a plain tag either).
    for (size_t at : {size_t(14), size_t(502)}) {
        for (bool dirty : {false, true}) {
            const std::string path = dir_.File("index1.cdx");
            {
                std::unique_ptr<CdxFile> cdx;
                ASSERT_TRUE(CdxFile::Open(path, true, &cdx).ok());
                uint8_t b = at == 14 ? 0x61 : 1;
                ASSERT_TRUE(
                    cdx->file().WriteAt(cdx->FindTag("2")->info().headerOffset + at, &b, 1).ok());
                ASSERT_TRUE(cdx->SetDirty(dirty).ok());
            }
            const auto before = std::filesystem::file_size(path);
            ASSERT_TRUE(Table::Open(dir_.File("artdat.dat"), {}, &table_).ok());
            Status s = table_->OpenIndex(path);
            EXPECT_EQ(s.code(), Status::Code::kNotSupported) << s.ToString();
            EXPECT_EQ(s.file(), path);
            EXPECT_NE(s.message().find("tag 2 has the "), std::string::npos) << s.ToString();
            EXPECT_EQ(std::filesystem::file_size(path), before);
            ASSERT_TRUE(Table::Open(dir_.File("artdat.dat"), {.readOnly = true}, &table_).ok());
            EXPECT_TRUE(table_->OpenIndex(path).ok());
            table_.reset();
            uint8_t plain[2] = {uint8_t(at == 14 ? 0x60 : 0), 0};
            std::unique_ptr<CdxFile> cdx;
            ASSERT_TRUE(CdxFile::Open(path, true, &cdx).ok());
            ASSERT_TRUE(
                cdx->file().WriteAt(cdx->FindTag("2")->info().headerOffset + at, plain, 1).ok());
        }
    }
}

// The size limit stands in for a full disk: the append whose key needs a new index node fails
// after its record was written.
TEST_F(TableTest, FailedChangeSaysTheRecordIsStoredAndKeepsTheMarkUntilRebuilt) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "TITEL+ARTIEST").ok());
    uint64_t cdxSize = 0;
    ASSERT_TRUE(table_->indexFiles()[0]->file().Size(&cdxSize).ok());
    Status s;
    {
        testutil::FileSizeLimit limit(cdxSize);
        for (int i = 0; s.ok() && i < 100; ++i) {
            auto rec = Record("title " + std::to_string(i), "artist");
            uint32_t recno = 0;
            s = table_->Append(rec.data(), {}, &recno);
        }
    }
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.record_stored()) << s.ToString();
    Add("after", "the failure");
    EXPECT_TRUE(table_->indexFiles()[0]->dirty());
    ASSERT_TRUE(table_->Reindex(nullptr).ok());
    EXPECT_FALSE(table_->indexFiles()[0]->dirty());
    std::vector<std::string> report;
    EXPECT_TRUE(table_->Check(nullptr, &report).ok()) << report[0];
}

TEST_F(TableTest, CheckReportsATagOutOfStep) {
    ASSERT_TRUE(table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(TITEL)").ok());
    Add("B", "x");
    table_->CloseIndexes();
    {
        std::unique_ptr<CdxFile> cdx;
        ASSERT_TRUE(CdxFile::Open(dir_.File("index1.cdx"), true, &cdx).ok());
        ASSERT_TRUE(cdx->FindTag("1")
                        ->Insert(reinterpret_cast<const uint8_t*>("ZZZZZZZZZZZZZZZZZZZZ"), 1)
                        .ok());
    }
    ASSERT_TRUE(table_->OpenIndex(dir_.File("index1.cdx")).ok());
    std::vector<std::string> report;
    EXPECT_TRUE(table_->Check(nullptr, &report).IsCorruption());
    ASSERT_EQ(report.size(), 1u);
    EXPECT_NE(report[0].find("tag 1"), std::string::npos);
}

TEST_F(TableTest, IndexWithUnknownFieldIsRefusedWithItsName) {
    Status s = table_->CreateTag(dir_.File("index1.cdx"), "1", "UPPER(NAAM)");
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.ToString().find("NAAM"), std::string::npos) << s.ToString();
}

}  // namespace
}  // namespace xbase
