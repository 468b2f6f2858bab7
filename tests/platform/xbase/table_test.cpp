// Tables with their indexes: writes keep every tag in step, cursors walk, seek and hide what they
// should, and a table with its tags survives reopening; pack, reindex and append-from keep what
// they should, and an interrupted pack is finished or undone by the next open.
#include "platform/xbase/table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <numeric>
#include <random>
#include <set>

#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/file.h"
#include "platform/xbase/table_pack_journal.h"
#include "test_util.h"

namespace xbase {
namespace {

const std::vector<FieldSpec> kTrackFields = {
    {"TITEL", 'C', 20, 0},    {"ARTIEST", 'C', 20, 0}, {"TRACK", 'N', 4, 0},
    {"DRAGER", 'C', 10, 0},   {"CDNUMMER", 'N', 9, 0}, {"AKANT", 'C', 1, 0},
    {"WIJZIGDAT", 'D', 8, 0}, {"MEMO", 'M', 10, 0},    {"PRIJS", 'N', 10, 2},
};

namespace fs = std::filesystem;
using Contents = std::vector<std::pair<std::string, std::string>>;

const uint8_t* Bytes(std::string_view s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Table::Create(dbf_, kTrackFields, &table_).ok()); }

    std::vector<uint8_t> Record(const std::string& titel, const std::string& artiest) {
        std::vector<uint8_t> rec(table_->recordLength(), ' ');
        const Schema& s = table_->schema();
        for (const FieldDef& f : s.fields())
            SetBlank(rec.data(), f);
        EXPECT_TRUE(SetText(rec.data(), s[0], titel).ok());
        EXPECT_TRUE(SetText(rec.data(), s[1], artiest).ok());
        return rec;
    }

    uint32_t Add(const std::string& titel, const std::string& artiest, const std::string& memo = "",
                 int number = 1, double price = 0) {
        auto rec = Record(titel, artiest);
        EXPECT_TRUE(SetNumber(rec.data(), table_->schema()[4], number).ok());
        EXPECT_TRUE(SetNumber(rec.data(), table_->schema()[8], price).ok());
        MemoTexts memos;
        if (!memo.empty())
            memos[7] = memo;
        uint32_t recno = 0;
        Status s = table_->Append(rec.data(), memos, &recno);
        EXPECT_TRUE(s.ok()) << s.ToString();
        return recno;
    }

    void Tag(const char* name, const char* expression) {
        ASSERT_TRUE(table_->CreateTag(index_, name, expression).ok());
    }

    // Seeks `key` in the cursor's order; whether a record begins with it.
    bool Seek(Cursor& c, std::string_view key) {
        bool found = false;
        EXPECT_TRUE(c.Seek(Bytes(key), key.size(), &found).ok());
        return found;
    }

    std::string Title(const uint8_t* record) {
        std::string v = GetText(record, table_->schema()[0]);
        return v.substr(0, v.find_last_not_of(' ') + 1);
    }
    std::string Title(const Cursor& c) { return Title(c.record()); }

    // Title and memo of every record.
    Contents Read() {
        Contents out;
        std::vector<uint8_t> rec(table_->recordLength());
        for (uint32_t r = 1; r <= table_->recordCount(); ++r) {
            std::string memo;
            EXPECT_TRUE(table_->ReadRecord(r, rec.data()).ok());
            EXPECT_TRUE(table_->ReadMemo(rec.data(), 7, &memo).ok());
            out.emplace_back(Title(rec.data()), memo);
        }
        return out;
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
    // A cursor in the order of tag `name`.
    Cursor Ordered(const char* name) {
        Cursor c(table_.get());
        EXPECT_TRUE(c.SetOrder(name).ok());
        return c;
    }
    // The visible records in the order of tag `name`.
    std::vector<uint32_t> Walk(const char* name) {
        Cursor c = Ordered(name);
        return Walk(c);
    }

    void ExpectConsistent() {
        std::vector<std::string> report;
        Status s = table_->Check(nullptr, &report);
        EXPECT_TRUE(s.ok()) << (report.empty() ? s.ToString() : report[0]);
    }

    static void Patch(const std::string& path, uint64_t at, const std::string& bytes) {
        std::unique_ptr<File> f;
        ASSERT_TRUE(File::Open(path, File::Mode::kReadWrite, &f).ok());
        ASSERT_TRUE(f->WriteAt(at, bytes.data(), bytes.size()).ok());
    }

    void Reopen(const Table::Options& options = {}) {
        table_.reset();
        ASSERT_TRUE(Table::Open(dbf_, options, &table_).ok());
    }

    testutil::TempDir dir_;
    const std::string dbf_ = dir_.File("artdat.dat"), index_ = dir_.File("index1.cdx");
    std::unique_ptr<Table> table_;
};

// One set of records in three orders: a partial key seeks the first record that begins with it,
// equal keys walk in record number order both ways, and deleted or filtered records are skipped
// but keep their keys.
TEST_F(TableTest, CursorsSeekWalkAndHide) {
    Tag("1", "UPPER(ARTIEST)+UPPER(TITEL)");
    Tag("2", "UPPER(TITEL)");
    Tag("4", "CDNUMMER");
    for (const auto& [title, artist, number] : {std::tuple{"Yesterday", "Beatles", 0},
                                                {"Angie", "Rolling Stones", 1},
                                                {"Help", "Beatles", 2},
                                                {"Bodhisattva", "Steely Dan", 0},
                                                {"Blackbird", "beatles", 1},
                                                {"Girl", "Beatles", 2},
                                                {"Let It Be", "Beatles", 0},
                                                {"Abbey", "Xtc", 1},
                                                {"Zoo", "Xtc", 2}})
        Add(title, artist, "", number);
    Cursor c = Ordered("1");
    ASSERT_TRUE(Seek(c, "BEA"));
    EXPECT_EQ(Title(c), "Blackbird");
    ASSERT_TRUE(c.Skip(1).ok());
    EXPECT_EQ(Title(c), "Girl");
    EXPECT_FALSE(Seek(c, "BOB"));
    EXPECT_TRUE(c.Eof());
    EXPECT_EQ(c.RecNo(), table_->recordCount() + 1);

    const std::vector<uint32_t> byNumber{1, 4, 7, 2, 5, 8, 3, 6, 9};
    Cursor n = Ordered("4");
    EXPECT_EQ(Walk(n), byNumber);
    std::vector<uint32_t> backward;
    ASSERT_TRUE(n.GoBottom().ok());
    while (!n.Bof()) {
        backward.insert(backward.begin(), n.RecNo());
        ASSERT_TRUE(n.Skip(-1).ok());
    }
    EXPECT_EQ(backward, byNumber);

    ASSERT_TRUE(table_->SetDeleted(3, true).ok());
    Cursor t = Ordered("2");
    EXPECT_EQ(Walk(t), (std::vector<uint32_t>{8, 2, 5, 4, 6, 7, 1, 9}));
    EXPECT_FALSE(Seek(t, "HELP"));
    ASSERT_TRUE(t.SetFilter("UPPER(ARTIEST)=\"BEA\"").ok());
    EXPECT_EQ(Walk(t), (std::vector<uint32_t>{5, 6, 7, 1}));
    uint64_t count = 0;
    ASSERT_TRUE(t.Count(&count).ok());
    EXPECT_EQ(count, 4u);
    ASSERT_TRUE(t.SetOrder("").ok());
    EXPECT_EQ(Walk(t), (std::vector<uint32_t>{1, 5, 6, 7}));
    t.SetShowDeleted(true);
    EXPECT_EQ(Walk(t), (std::vector<uint32_t>{1, 3, 5, 6, 7}));
    EXPECT_FALSE(t.SetFilter("UPPER(ARTIEST)").ok());
    ASSERT_TRUE(t.SetFilter("").ok());
    EXPECT_EQ(Walk(t).size(), 9u);
    ExpectConsistent();
}

TEST_F(TableTest, CursorKeepsItsPlaceWhileOthersWrite) {
    Tag("1", "UPPER(TITEL)");
    for (char ch = 'A'; ch <= 'J'; ++ch)
        Add(std::string(1, ch), "x");
    Cursor c = Ordered("1");
    ASSERT_TRUE(Seek(c, "E"));
    for (int i = 0; i < 200; ++i)
        Add("D" + std::to_string(i), "x");  // enough to split leaves
    ASSERT_TRUE(c.Skip(1).ok());
    EXPECT_EQ(Title(c), "F");
    ASSERT_TRUE(c.Skip(-2).ok());
    EXPECT_EQ(Title(c), "D99");
}

TEST_F(TableTest, CursorFollowsATagReplacedUnderItAndUnknownFieldsAreRefused) {
    Tag("1", "UPPER(TITEL)");
    Add("B", "z");
    Add("A", "y");
    Cursor c = Ordered("1");
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{2, 1}));
    Tag("1", "UPPER(ARTIEST)+STR(TRACK)");
    Add("C", "x");
    EXPECT_EQ(Walk(c), (std::vector<uint32_t>{3, 2, 1}));
    EXPECT_EQ(table_->tags().size(), 1u);
    Status s = table_->CreateTag(index_, "2", "UPPER(NAAM)");
    EXPECT_NE(s.ToString().find("NAAM"), std::string::npos) << s.ToString();
    EXPECT_EQ(table_->tags().size(), 1u);
}

TEST_F(TableTest, ExclusiveOpenIsRefusedWhileOthersHaveTheTableAndPackNeedsIt) {
    table_.reset();
    std::unique_ptr<Table> shared, other;
    ASSERT_TRUE(Table::Open(dbf_, {}, &shared).ok());
    ASSERT_TRUE(Table::Open(dbf_, {}, &other).ok());
    Status s = Table::Open(dbf_, {.exclusive = true}, &table_);
    EXPECT_TRUE(s.IsLocked()) << s.ToString();
    other.reset();
    EXPECT_TRUE(shared->Pack(nullptr).IsLocked());  // a pack needs the table opened exclusively
    shared.reset();
    EXPECT_TRUE(Table::Open(dbf_, {.exclusive = true}, &table_).ok());
    EXPECT_TRUE(Table::Open(dbf_, {}, &shared).IsLocked());
}

TEST_F(TableTest, TwoSharedWritersKeepTheIndexConsistent) {
    Tag("1", "UPPER(TITEL)");
    Reopen();
    std::unique_ptr<Table> b;
    ASSERT_TRUE(Table::Open(dbf_, {}, &b).ok());
    ASSERT_TRUE(table_->OpenIndex(index_).ok());
    ASSERT_TRUE(b->OpenIndex(index_).ok());
    Contents written;  // each record and memo once, whichever writer stored it
    for (int i = 0; i < 100; ++i) {
        std::swap(table_, b);
        written.emplace_back("T" + std::to_string(i), i % 2 ? "memo " + std::to_string(i) : "");
        Add(written.back().first, "x", written.back().second);
    }
    ExpectConsistent();
    EXPECT_EQ(Read(), written);
}

TEST_F(TableTest, RandomChangesMatchAModel) {
    // The model: per record its title, artist and deleted flag; a walk in the order of a tag must
    // equal the model's visible records sorted by that tag's key, and an update moves a record in
    // every tag whose key it changed.
    Tag("1", "UPPER(TITEL)+UPPER(ARTIEST)");
    Tag("2", "STR(CDNUMMER)+AKANT+STR(TRACK)");
    Tag("3", "UPPER(ARTIEST)");
    struct ModelEntry {
        std::string title, artist;
        bool deleted = false;
    };
    std::map<uint32_t, ModelEntry> model;
    std::mt19937 rng(7);
    for (int step = 0; step < 1500; ++step) {
        int op = int(rng() % 10);
        std::string title = "T" + std::to_string(rng() % 300);
        std::string artist = "A" + std::to_string(rng() % 5);
        if (op < 6 || model.empty()) {
            model[Add(title, artist)] = {title, artist};
        } else if (op < 8) {
            uint32_t recno = 1 + rng() % uint32_t(model.size());
            auto rec = Record(title, artist);
            rec[0] = model[recno].deleted ? '*' : ' ';
            ASSERT_TRUE(table_->Update(recno, rec.data(), {}).ok());
            model[recno] = {title, artist, model[recno].deleted};
        } else {
            uint32_t recno = 1 + rng() % uint32_t(model.size());
            ASSERT_TRUE(table_->SetDeleted(recno, !model[recno].deleted).ok());
            model[recno].deleted = !model[recno].deleted;
        }
    }
    table_->CloseIndexes();
    ASSERT_TRUE(table_->OpenIndex(dir_.File("INDEX1.CDX")).ok());
    const auto pad = [](std::string s) { return s + std::string(20 - s.size(), ' '); };
    const auto sorted = [&](const std::function<std::string(const ModelEntry&)>& key) {
        std::set<std::pair<std::string, uint32_t>> order;
        for (const auto& [recno, e] : model) {
            if (!e.deleted)
                order.insert({key(e), recno});
        }
        std::vector<uint32_t> recnos;
        for (const auto& [k, recno] : order)
            recnos.push_back(recno);
        return recnos;
    };
    const auto expectModel = [&] {
        EXPECT_EQ(Walk("1"),
                  sorted([&](const ModelEntry& e) { return pad(e.title) + pad(e.artist); }));
        EXPECT_EQ(Walk("3"), sorted([&](const ModelEntry& e) { return e.artist; }));
        ExpectConsistent();
    };
    expectModel();
    // Rebuilt, the tags hold the same; with tiny runs the keys go through scratch files and a
    // merge, in place (shared) or in a new file (exclusive), and no scratch file stays behind.
    const struct {
        size_t runBytes;
        bool exclusive;
    } rebuilds[] = {{64, false}, {64, true}, {4096, true}, {SortedKeys::kDefaultRunBytes, false}};
    for (const auto& r : rebuilds) {
        SCOPED_TRACE(std::to_string(r.runBytes) + (r.exclusive ? " exclusive" : " shared"));
        Reopen({r.exclusive, false});
        ASSERT_TRUE(table_->OpenIndex(index_).ok());
        table_->SetSortRunBytes(r.runBytes);
        ASSERT_TRUE(table_->Reindex(nullptr).ok());
        expectModel();
        for (const auto& entry : fs::directory_iterator(dir_.path()))
            EXPECT_EQ(entry.path().string().find(".sort"), std::string::npos) << entry.path();
    }
}

// Index files that do not match the table, each made as the named mishap leaves it; the open
// repairs what it can notice cheaply, and damage it does not read is named when a walk reaches it
// and put right by the full check.
TEST_F(TableTest, IndexThatDoesNotMatchTheTableIsRepaired) {
    Tag("1", "UPPER(TITEL)");
    for (int i = 0; i < 400; ++i)
        Add("title " + std::to_string(i), "x");
    auto dropKey = [&](bool mark) {
        std::unique_ptr<CdxFile> cdx;
        ASSERT_TRUE(CdxFile::Open(index_, true, &cdx).ok());
        if (mark) {
            ASSERT_TRUE(cdx->SetDirty(true).ok());
        }
        std::string key = "TITLE 7";
        key.resize(20, ' ');
        ASSERT_TRUE(cdx->FindTag("1")->Remove(Bytes(key), 8).ok());
    };
    auto damageALeaf = [&] {
        uint8_t page[512];
        std::unique_ptr<File> f;
        ASSERT_TRUE(File::Open(index_, File::Mode::kReadWrite, &f).ok());
        for (uint64_t at = 2048, leaves = 0;; at += 512) {
            ASSERT_TRUE(f->ReadAt(at, page, sizeof page).ok());
            if (page[0] == 2 && page[1] == 0 && ++leaves == 3)
                return Patch(index_, at + 2, std::string(20, '\xFF'));
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
             ASSERT_TRUE(Table::Open(dbf_, {}, &table_).ok());
             Add("appended", "by another tool");
             table_.reset();
         }},
        {"from an earlier version", [&] { dropKey(false), Patch(index_, 24, std::string(16, 0)); }},
        {"synced last by a session that ended abruptly",
         [&] { dropKey(false), Patch(dbf_, 24, "TNL\x01"); }},
        {"a damaged page the open does not read", damageALeaf, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        table_.reset();
        c.damage();
        std::unique_ptr<Table> other;
        if (c.othersOpen) {
            ASSERT_TRUE(Table::Open(dbf_, {}, &other).ok());
        }
        ASSERT_TRUE(Table::Open(dbf_, {}, &table_).ok());
        ASSERT_TRUE(table_->OpenIndex(index_).ok());
        if (c.foundWhenRead) {
            Cursor cursor(table_.get());
            ASSERT_TRUE(cursor.SetOrder("1").ok());
            Status s = cursor.GoTop();
            while (s.ok() && !cursor.Eof())
                s = cursor.Skip(1);
            EXPECT_TRUE(s.IsCorruption() && s.file() == index_) << s.ToString();
            std::vector<std::string> report;
            ASSERT_TRUE(table_->CheckAndRepair(nullptr, &report).ok());
        }
        ExpectConsistent();
        EXPECT_FALSE(table_->indexFiles()[0]->dirty());
    }
}

// A count lower than the records the file holds: one uncounted record is what a crash leaves and
// is written over, and so are the records of a batch our own crashed session left (the lag mark
// is set); more without the mark mean damage, and writes are refused until the count is repaired.
TEST_F(TableTest, RecordsPastTheCountRefuseWritesUntilRepaired) {
    for (int i = 0; i < 5; ++i)
        Add("t" + std::to_string(i), "x");
    for (const auto& [count, lagging] : {std::pair{4u, false}, {2u, false}, {2u, true}}) {
        table_.reset();
        Patch(dbf_, 4, std::string(1, char(count)) + std::string(3, '\0'));
        if (lagging)
            Patch(dbf_, 24, std::string("TNL\1", 4));
        Reopen();
        auto rec = Record("new", "y");
        uint32_t recno = 0;
        Status s = table_->Append(rec.data(), {}, &recno);
        if (count == 4 || lagging) {
            EXPECT_TRUE(s.ok() && recno == count + 1) << s.ToString();
            continue;
        }
        EXPECT_TRUE(s.IsCorruption() &&
                    s.message().find("counts 2 records but the file holds 5") != std::string::npos)
            << s.ToString();
        Reopen({.exclusive = true});
        ASSERT_TRUE(table_->RepairRecordCount().ok());
        EXPECT_EQ(table_->recordCount(), 5u);
        EXPECT_TRUE(table_->Append(rec.data(), {}, &recno).ok());
    }
}

// Tags as another program writes them (the options byte 14, the order at 502, a FOR condition in
// the expression pool after the key): read in their own order when the table is open read-only,
// refused for writing (also by the repair of a file left dirty, which would make plain tags of
// them), since we do not keep them up to date.
TEST_F(TableTest, TagsWithOptionsWeDoNotKeepAreReadInTheirOwnOrderButNotWritten) {
    Tag("1", "UPPER(ARTIEST)");
    Tag("2", "UPPER(TITEL)");
    for (const char* title : {"B", "A", "B", "C"})
        Add(title, std::string("artist ") + title);
    table_.reset();
    struct Case {
        const char* what;
        size_t at;  // header byte set to `value`
        uint8_t value;
        std::string pool;             // the expression pool when not empty
        uint32_t dropped;             // the record whose entry another program would not hold
        std::vector<uint32_t> order;  // tag 2's own order
        uint32_t seekB;               // the record a seek for "B" lands on
    };
    const std::string kFor = std::string("UPPER(TITEL)\0TITEL<>\"A\"\0", 24);
    const Case cases[] = {
        {"unique", 14, 0x61, "", 3, {2, 1, 4}, 1},
        {"descending", 502, 1, "", 0, {4, 3, 1, 2}, 3},
        {"for", 14, 0x68, kFor, 2, {}, 0},
    };
    for (const Case& c : cases) {
        std::filesystem::copy_file(index_, index_ + ".plain");
        const auto patch = [&](bool dirty) {
            std::unique_ptr<CdxFile> cdx;
            ASSERT_TRUE(CdxFile::Open(index_, true, &cdx).ok());
            CdxTag* tag = cdx->FindTag("2");
            const uint32_t at = tag->info().headerOffset;
            if (c.dropped != 0) {
                std::string key(20, ' ');
                key[0] = c.dropped == 2 ? 'A' : 'B';
                ASSERT_TRUE(tag->Remove(Bytes(key), c.dropped).ok());
            }
            ASSERT_TRUE(cdx->file().WriteAt(at + c.at, &c.value, 1).ok());
            if (!c.pool.empty()) {
                // Pool length, FOR length and key length, NULs included.
                const uint8_t lengths[8] = {uint8_t(c.pool.size()), 0, 11, 0, 0, 0, 13, 0};
                ASSERT_TRUE(cdx->file().WriteAt(at + 504, lengths, 8).ok());
                ASSERT_TRUE(cdx->file().WriteAt(at + 512, c.pool.data(), c.pool.size()).ok());
            }
            ASSERT_TRUE(cdx->SetDirty(dirty).ok());
        };
        for (bool dirty : {false, true}) {
            patch(dirty);
            const auto before = std::filesystem::file_size(index_);
            Reopen();
            const Status s = table_->OpenIndex(index_);
            EXPECT_EQ(s.code(), Status::Code::kNotSupported) << c.what << s.ToString();
            EXPECT_EQ(s.file(), index_);
            EXPECT_NE(s.message().find("tag 2 has "), std::string::npos) << s.ToString();
            EXPECT_NE(s.message().find("cannot be changed"), std::string::npos) << s.ToString();
            EXPECT_EQ(std::filesystem::file_size(index_), before);
            table_.reset();
            std::filesystem::copy_file(index_ + ".plain", index_,
                                       std::filesystem::copy_options::overwrite_existing);
        }
        patch(false);
        Reopen({.readOnly = true});
        Status s = table_->OpenIndex(index_);
        ASSERT_TRUE(s.ok()) << c.what << s.ToString();
        std::vector<std::string> report;
        s = table_->Check(nullptr, &report);
        EXPECT_TRUE(s.ok()) << c.what << " " << (report.empty() ? s.ToString() : report[1]);
        EXPECT_EQ(Walk("1"), (std::vector<uint32_t>{2, 1, 3, 4})) << c.what;
        if (c.order.empty()) {
            EXPECT_EQ(table_->FindTag("2"), nullptr);
            EXPECT_EQ(report.back(), "tag 2: has a FOR condition; not used");
        } else {
            EXPECT_EQ(Walk("2"), c.order) << c.what;
            Cursor cursor = Ordered("2");
            EXPECT_TRUE(Seek(cursor, "B"));
            EXPECT_EQ(cursor.RecNo(), c.seekB) << c.what;
        }
        table_.reset();
        std::filesystem::rename(index_ + ".plain", index_);
    }
}

// The size limit stands in for a full disk: the append whose key needs a new index node fails
// after its record was written.
TEST_F(TableTest, FailedChangeSaysTheRecordIsStoredAndKeepsTheMarkUntilRebuilt) {
    Tag("1", "TITEL+ARTIEST");
    uint64_t cdxSize = 0;
    ASSERT_TRUE(table_->indexFiles()[0]->file().Size(&cdxSize).ok());
    Status s;
    {
        testutil::FileSizeLimit limit(cdxSize);
        for (int i = 0; s.ok() && i < 100; ++i) {
            uint32_t recno = 0;
            s = table_->Append(Record("title " + std::to_string(i), "artist").data(), {}, &recno);
        }
    }
    ASSERT_FALSE(s.ok());
    EXPECT_TRUE(s.record_stored()) << s.ToString();
    Add("after", "the failure");
    EXPECT_TRUE(table_->indexFiles()[0]->dirty());
    ASSERT_TRUE(table_->Reindex(nullptr).ok());
    EXPECT_FALSE(table_->indexFiles()[0]->dirty());
    ExpectConsistent();
}

// Pack drops deleted records and compacts the memos; through pack and reindex the tags keep their
// order in the file and a cursor keeps its tag.
TEST_F(TableTest, PackAndReindexKeepTagsCursorsAndLiveRecords) {
    const std::vector<std::string> order{"2", "10", "1", "PRIJS"};
    std::vector<std::pair<std::string, std::string>> defs;
    for (const std::string& name : order)
        defs.emplace_back(name, name == "PRIJS" ? "PRIJS" : "UPPER(TITEL)");
    ASSERT_TRUE(table_->CreateTags(index_, defs).ok());
    for (int i = 0; i < 50; ++i)
        Add("T" + std::to_string(i), "x", std::string(300, char('a' + i % 26)));
    for (uint32_t r = 1; r <= 50; r += 2)
        ASSERT_TRUE(table_->SetDeleted(r, true).ok());
    Cursor c = Ordered("1");
    const auto memoSize = [&] { return fs::file_size(dir_.File("artdat.fpt")); };
    const uintmax_t before = memoSize();
    int progressCalls = 0;
    ASSERT_TRUE(table_
                    ->Pack([&](uint64_t done, uint64_t total) {
                        ++progressCalls;
                        EXPECT_LE(done, total);
                    })
                    .ok());
    EXPECT_GT(progressCalls, 0);
    ASSERT_EQ(table_->recordCount(), 25u);
    EXPECT_LT(memoSize(), before * 2 / 3);
    const Contents contents = Read();
    EXPECT_EQ(contents[0], Contents::value_type("T1", std::string(300, 'b')));
    EXPECT_EQ(contents[24], Contents::value_type("T49", std::string(300, 'x')));
    EXPECT_FALSE(fs::exists(dir_.File("artdat.dat.pack-done")));
    std::vector<uint32_t> byTitle(25);
    std::iota(byTitle.begin(), byTitle.end(), 1u);
    std::sort(byTitle.begin(), byTitle.end(),
              [&](uint32_t a, uint32_t b) { return contents[a - 1] < contents[b - 1]; });
    for (int step = 0; step < 2; ++step) {
        ASSERT_TRUE(step == 0 || table_->Reindex(nullptr).ok());
        ExpectConsistent();
        EXPECT_EQ(Walk(c), byTitle);
        std::vector<CdxTag*> tags = table_->indexFiles()[0]->tags();
        std::sort(tags.begin(), tags.end(), [](CdxTag* a, CdxTag* b) {
            return a->info().headerOffset < b->info().headerOffset;
        });
        std::vector<std::string> names;
        for (CdxTag* tag : tags)
            names.push_back(tag->info().name);
        EXPECT_EQ(names, order) << step;
    }
}

TEST_F(TableTest, InterruptedPackIsFinishedOnceCommittedAndUndoneBefore) {
    const std::string kept = "kept memo\n" + std::string(5000, 'x');
    Add("keep", "x", kept);
    Add("drop", "x", "dropped memo");
    ASSERT_TRUE(table_->SetDeleted(2, true).ok());
    table_.reset();
    // A packed copy, made in another folder, stands in for the copies a crashed pack left.
    testutil::TempDir other;
    fs::copy(dbf_, other.File("hfdat.dat"));
    fs::copy(dir_.File("artdat.fpt"), other.File("hfdat.fpt"));
    {
        std::unique_ptr<Table> copy;
        ASSERT_TRUE(Table::Open(other.File("hfdat.dat"), {.exclusive = true}, &copy).ok());
        ASSERT_TRUE(copy->Pack(nullptr).ok());
    }
    const PackPaths paths = PackPathsFor(dbf_, dir_.File("artdat.fpt"));
    fs::copy(other.File("hfdat.dat"), paths.dbfNew);
    fs::copy(other.File("hfdat.fpt"), paths.memoNew);

    // Without the marker the copies are thrown away.
    ASSERT_TRUE(Table::Open(dbf_, {}, &table_).ok());
    EXPECT_EQ(table_->recordCount(), 2u);
    EXPECT_FALSE(fs::exists(paths.dbfNew));
    table_.reset();

    // With it, the swap is completed.
    fs::copy(other.File("hfdat.dat"), paths.dbfNew);
    fs::copy(other.File("hfdat.fpt"), paths.memoNew);
    ASSERT_TRUE(CommitPack(paths).ok());
    ASSERT_TRUE(Table::Open(dir_.File("ARTDAT.DAT"), {}, &table_).ok());  // any case of the name
    EXPECT_EQ(Read(), (Contents{{"keep", kept}}));
    EXPECT_FALSE(fs::exists(paths.marker));
}

TEST_F(TableTest, AppendFromTakesFieldsByNameWithMemosAndSkipsDeleted) {
    std::unique_ptr<Table> source;
    ASSERT_TRUE(Table::Create(dir_.File("DATA2.DAT"),
                              {{"MEMO", 'M', 10, 0},
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
    ASSERT_TRUE(table_->AppendFrom(dir_.File("data2.dat"), nullptr).ok());
    EXPECT_EQ(Read(), (Contents{{"Caf\xE9 del Mar", "old memo"}}));
    rec.resize(table_->recordLength());
    ASSERT_TRUE(table_->ReadRecord(1, rec.data()).ok());
    EXPECT_DOUBLE_EQ(GetNumber(rec.data(), table_->schema()[8]), 12.5);
    ExpectConsistent();
}

TEST_F(TableTest, CheckNamesTagsOutOfStepAndReindexRepairsThem) {
    Tag("1", "UPPER(TITEL)");
    Tag("2", "PRIJS");
    for (int i = 0; i < 100; ++i)
        Add("T" + std::to_string(99 - i), "x", "", 1, i * 1.5);
    {
        // A key missing from tag 2, and one in tag 1 that no record has.
        CdxTag* tag = table_->indexFiles()[0]->FindTag("2");
        auto it = tag->NewIterator();
        ASSERT_TRUE(it->SeekFirst().ok());
        std::vector<uint8_t> key(it->key(), it->key() + tag->info().keyLength);
        ASSERT_TRUE(tag->Remove(key.data(), it->recno()).ok());
        ASSERT_TRUE(
            table_->indexFiles()[0]->FindTag("1")->Insert(Bytes(std::string(20, 'Z')), 1).ok());
    }
    std::vector<std::string> broken;
    EXPECT_TRUE(table_->Check(nullptr, &broken).IsCorruption());
    ASSERT_EQ(broken.size(), 2u);
    EXPECT_NE(broken[0].find("tag 1"), std::string::npos) << broken[0];
    EXPECT_NE(broken[1].find("tag 2"), std::string::npos) << broken[1];
    uint64_t last = 0;
    ASSERT_TRUE(table_->Reindex([&](uint64_t done, uint64_t) { last = done; }).ok());
    EXPECT_GT(last, 0u);
    ExpectConsistent();
    Cursor c = Ordered("2");
    ASSERT_TRUE(c.GoBottom().ok());
    EXPECT_EQ(c.RecNo(), 100u);
}

}  // namespace
}  // namespace xbase
