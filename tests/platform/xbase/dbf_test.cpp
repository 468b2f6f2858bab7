// Tables on disk: what we write must be the bytes other xBase tools expect, what we append must
// survive re-opening, and damaged files must be refused with a clear message. Headers built by
// hand as other xBase tools write them, and the faults a damaged or hostile header can carry.
#include "platform/xbase/dbf_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/xbase/dbf_header.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/file_bytes.h"
#include "test_util.h"

namespace xbase {
namespace {

using xbasetest::Desc;
using xbasetest::MakeHeader;
using xbasetest::ReadBytes;
using xbasetest::StoreCount;
using xbasetest::WriteBytes;

class DbfFileTest : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return dir_.File(name); }

    testutil::TempDir dir_;
    std::unique_ptr<DbfFile> t;  // the table under test
};

const std::vector<FieldSpec> kAlbum = {
    {"TITLE", 'C', 30}, {"TRACKS", 'N', 4}, {"LENGTH", 'N', 9}, {"PRICE", 'N', 10, 2},
    {"BOUGHT", 'D'},    {"LENT", 'L'},      {"NOTES", 'M'},
};

std::vector<uint8_t> AlbumRecord(const Schema& s, const std::string& title, double price,
                                 bool deleted = false) {
    std::vector<uint8_t> rec(s.recordLength(), ' ');
    rec[0] = deleted ? '*' : ' ';
    EXPECT_TRUE(SetText(rec.data(), s[0], title).ok());
    EXPECT_TRUE(SetNumber(rec.data(), s[1], 12).ok());
    EXPECT_TRUE(SetNumber(rec.data(), s[2], 2580).ok());
    EXPECT_TRUE(SetNumber(rec.data(), s[3], price).ok());
    EXPECT_TRUE(SetDate(rec.data(), s[4], {1998, 7, 4}).ok());
    EXPECT_TRUE(SetLogical(rec.data(), s[5], false).ok());
    SetMemoBlock(rec.data(), s[6], 8);
    return rec;
}

TEST_F(DbfFileTest, CreatedTableHasTheBytesFoxProWrites) {
    ASSERT_TRUE(DbfFile::Create(Path("album.dbf"), kAlbum, 0x03, &t).ok());
    const Schema& s = t->schema();
    uint32_t recno = 0;
    ASSERT_TRUE(t->AppendRecord(AlbumRecord(s, "Abbey Road", 9.99).data(), &recno).ok());
    ASSERT_TRUE(t->AppendRecord(AlbumRecord(s, "Revolver", 7.5, true).data(), &recno).ok());
    const Schema created = s;
    t.reset();

    const std::vector<uint8_t> b = ReadBytes(Path("album.dbf"));
    const size_t headerLength = 32 + 32 * kAlbum.size() + 1;
    const size_t recordLength = 1 + 30 + 4 + 9 + 10 + 8 + 1 + 10;
    ASSERT_EQ(b.size(), headerLength + 2 * recordLength + 1);
    EXPECT_EQ(b[0], 0xF5);  // memo field: FoxPro 2.x with memo
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(std::tuple(b[1], b[2], b[3], b[4], b[29], b[headerLength - 1]),
              std::tuple(local.tm_year, local.tm_mon + 1, local.tm_mday, 2, 0x03, 0x0D));
    EXPECT_EQ(b[8] | (b[9] << 8), int(headerLength));
    EXPECT_EQ(b[10] | (b[11] << 8), int(recordLength));
    EXPECT_EQ(std::string(b.begin() + 32, b.begin() + 43), std::string("TITLE\0\0\0\0\0\0", 11));
    // PRICE: type, displacement, width and decimals.
    const uint8_t* price = &b[32 + 3 * 32];
    EXPECT_EQ(std::tuple(price[11], price[12], price[16], price[17]),
              std::tuple('N', 1 + 30 + 4 + 9, 10, 2));
    EXPECT_EQ(b[headerLength], ' ');
    EXPECT_EQ(b[headerLength + recordLength], '*');
    EXPECT_EQ(std::string(b.begin() + headerLength + 1, b.begin() + headerLength + 54),
              "Abbey Road                      12     2580      9.99");
    EXPECT_EQ(b.back(), 0x1A);

    // Reopened, it is the table that was created.
    ASSERT_TRUE(DbfFile::Open(Path("album.dbf"), false, &t).ok());
    EXPECT_EQ(std::tuple(t->recordCount(), t->header().updateYear, t->header().updateMonth,
                         t->header().updateDay),
              std::tuple(2u, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday));
    ASSERT_EQ(t->schema().size(), kAlbum.size());
    for (size_t i = 0; i < kAlbum.size(); ++i) {
        const FieldDef &is = t->schema()[i], &was = created[i];
        EXPECT_EQ(std::tie(is.name, is.type, is.length, is.decimals, is.offset),
                  std::tie(was.name, was.type, was.length, was.decimals, was.offset));
    }

    // Without memo fields: version 3. An existing file is not overwritten.
    ASSERT_TRUE(DbfFile::Create(Path("plain.dbf"), {{"NAME", 'C', 10}}, 0x03, &t).ok());
    EXPECT_EQ(t->header().version, kDbfPlain);
    EXPECT_EQ(ReadBytes(Path("plain.dbf")).size(), 32u + 32 + 1 + 1);
    EXPECT_EQ(DbfFile::Create(Path("plain.dbf"), {{"NAME", 'C', 10}}, 0x03, &t).code(),
              Status::Code::kInvalidArgument);
}

// Model-based: random appends and rewrites against a vector of expected records, re-opened
// from disk now and then.
TEST_F(DbfFileTest, RecordsMatchAPlainVectorAcrossReopens) {
    ASSERT_TRUE(
        DbfFile::Create(Path("model.dbf"), {{"TITLE", 'C', 12}, {"TRACK", 'N', 4}}, 0x03, &t).ok());
    std::vector<std::vector<uint8_t>> model;
    std::mt19937 rng(7);
    for (int step = 0; step < 400; ++step) {
        std::vector<uint8_t> rec(t->recordLength(), ' ');
        ASSERT_TRUE(SetText(rec.data(), t->schema()[0], "T" + std::to_string(rng() % 100000)).ok());
        ASSERT_TRUE(SetNumber(rec.data(), t->schema()[1], double(rng() % 10000)).ok());
        rec[0] = (rng() % 5 == 0) ? '*' : ' ';
        const int op = int(rng() % 10);
        if (model.empty() || op < 6) {
            uint32_t recno = 0;
            ASSERT_TRUE(t->AppendRecord(rec.data(), &recno).ok());
            model.push_back(rec);
            ASSERT_EQ(recno, model.size());
        } else if (op < 9) {
            const uint32_t recno = 1 + uint32_t(rng() % model.size());
            ASSERT_TRUE(t->WriteRecord(recno, rec.data()).ok());
            model[recno - 1] = rec;
        } else {
            t.reset();
            ASSERT_TRUE(DbfFile::Open(Path("model.dbf"), true, &t).ok());
        }
    }
    ASSERT_EQ(t->recordCount(), model.size());
    std::vector<uint8_t> all(model.size() * t->recordLength());
    ASSERT_TRUE(t->ReadRecords(1, uint32_t(model.size()), all.data()).ok());
    for (size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(std::vector<uint8_t>(all.begin() + long(i * t->recordLength()),
                                       all.begin() + long((i + 1) * t->recordLength())),
                  model[i])
            << "record " << i + 1;
    }
    const std::vector<uint8_t> b = ReadBytes(Path("model.dbf"));
    EXPECT_EQ(b.size(), t->header().headerLength + model.size() * t->recordLength() + 1);
    EXPECT_EQ(b.back(), 0x1A);
}

TEST_F(DbfFileTest, RangeTruncateAndReadOnlyChecks) {
    ASSERT_TRUE(DbfFile::Create(Path("r.dbf"), {{"A", 'C', 4}}, 0x03, &t).ok());
    std::vector<uint8_t> rec = {' ', 'a', 'x', 'x', 'x'}, buf(10);
    uint32_t recno = 0;
    for (; rec[1] < 'f'; ++rec[1])
        ASSERT_TRUE(t->AppendRecord(rec.data(), &recno).ok());
    EXPECT_FALSE(t->ReadRecord(0, buf.data()).ok());
    EXPECT_FALSE(t->ReadRecord(6, buf.data()).ok());
    EXPECT_FALSE(t->ReadRecords(5, 2, buf.data()).ok());
    EXPECT_FALSE(t->ReadRecords(UINT32_MAX, 2, buf.data()).ok());
    EXPECT_FALSE(t->WriteRecord(6, rec.data()).ok());
    // Truncating keeps the first records and the end mark.
    EXPECT_FALSE(t->TruncateRecords(6).ok());
    ASSERT_TRUE(t->TruncateRecords(2).ok());
    t.reset();
    const std::vector<uint8_t> b = ReadBytes(Path("r.dbf"));
    ASSERT_EQ(b.size(), 65u + 2 * 5 + 1);
    EXPECT_EQ(b[4], 2);
    EXPECT_EQ(b.back(), 0x1A);
    ASSERT_TRUE(DbfFile::Open(Path("r.dbf"), false, &t).ok());
    EXPECT_EQ(t->recordCount(), 2u);
    EXPECT_FALSE(t->AppendRecord(rec.data(), &recno).ok());
    EXPECT_FALSE(t->WriteRecord(1, rec.data()).ok());
    ASSERT_TRUE(t->ReadRecord(2, buf.data()).ok());
    EXPECT_EQ(buf[1], 'b');
    EXPECT_EQ(ReadBytes(Path("r.dbf")), b);  // the refused writes left the file alone
}

// A Visual FoxPro table as VFP writes it: backlink area, binary fields, 4-byte memo pointers.
TEST_F(DbfFileTest, ReadsAVisualFoxProTable) {
    auto h = MakeHeader(0x30, {{"ID", 'I', 4}, {"TITLE", 'C', 10}, {"NOTES", 'M', 4}}, 1, true);
    h[1] = 24;  // two-digit year, read as 2024
    const uint8_t record[19] = {' ', 42,  0,   0,   0,   'B', 'l', 'u', 'e', ' ',
                                'T', 'r', 'a', 'i', 'n', 8,   0,   0,   0};
    h.insert(h.end(), record, record + sizeof record);
    h.push_back(0x1A);
    WriteBytes(Path("vfp.dbf"), h);

    ASSERT_TRUE(DbfFile::Open(Path("vfp.dbf"), false, &t).ok());
    EXPECT_TRUE(t->header().isVisualFoxPro());
    EXPECT_EQ(t->header().headerLength, 32 + 3 * 32 + 1 + 263);
    EXPECT_EQ(t->header().updateYear, 2024);
    std::vector<uint8_t> buf(t->recordLength());
    ASSERT_TRUE(t->ReadRecord(1, buf.data()).ok());
    const Schema& s = t->schema();
    EXPECT_EQ(GetNumber(buf.data(), s[0]), 42);
    EXPECT_EQ(GetText(buf.data(), s[1]), "Blue Train");
    EXPECT_EQ(GetMemoBlock(buf.data(), s[2]), 8u);
}

TEST_F(DbfFileTest, DamagedFilesAreRefusedByName) {
    ASSERT_TRUE(DbfFile::Create(Path("d.dbf"), {{"A", 'C', 4}, {"B", 'N', 5}}, 0x03, &t).ok());
    std::vector<uint8_t> rec(t->recordLength(), ' ');
    uint32_t recno = 0;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(t->AppendRecord(rec.data(), &recno).ok());
    t.reset();
    const std::vector<uint8_t> good = ReadBytes(Path("d.dbf"));

    // The faults of a header are named by the header tests; these check that the open reads the
    // file's size and names the file.
    const std::pair<std::vector<uint8_t>, const char*> cases[] = {
        {{}, "table header truncated (0 bytes)"},
        {{good.begin(), good.begin() + 97 + 10 + 3},
         "truncated: header says 3 records, file holds 1"}};
    for (const auto& [bytes, what] : cases) {
        WriteBytes(Path("bad.dbf"), bytes);
        Status st = DbfFile::Open(Path("bad.dbf"), false, &t);
        EXPECT_TRUE(st.IsCorruption()) << st.ToString();
        EXPECT_EQ(st.file(), Path("bad.dbf"));
        EXPECT_NE(st.ToString().find(what), std::string::npos) << st.ToString();
    }
    // Bytes after the records (an end mark, padding) are fine.
    std::vector<uint8_t> v = good;
    v.insert(v.end(), 100, 0);
    WriteBytes(Path("extra.dbf"), v);
    EXPECT_TRUE(DbfFile::Open(Path("extra.dbf"), false, &t).ok());
}

Status Parse(const std::vector<uint8_t>& h, uint64_t fileSize, DbfHeader* out) {
    return ParseDbfHeader("t.dbf", h.data(), h.size(), fileSize, out);
}

uint64_t SizeFor(const std::vector<uint8_t>& h, uint32_t count) {
    return h.size() + uint64_t(count) * (h[10] | (h[11] << 8)) + 1;
}

// The displacements are wrong on purpose: offsets come from the widths.
const std::vector<Desc> kTrackDescs = {{"TITLE", 'C', 40, 0, 99},
                                       {"TRACK", 'N', 4, 0, 7},
                                       {"PRICE", 'N', 10, 2, 1},
                                       {"BOUGHT", 'D', 8},
                                       {"LENT", 'L', 1}};

// Visual FoxPro (0x30 to 0x32) with its backlink area, binary fields and 4-byte memo pointers.
TEST(DbfHeaderRead, EveryVersionByteWeRead) {
    const std::vector<Desc> vfpFields = {
        {"ID", 'I', 4},    {"NAME", 'C', 20},    {"NOTES", 'M', 4},     {"COST", 'Y', 8},
        {"STAMP", 'T', 8}, {"RATIO", 'B', 8, 3}, {"_NULLFLAGS", '0', 1}};
    for (uint8_t v : {0x03, 0x83, 0xF5, 0x8B, 0xFB, 0x43, 0x63, 0x30, 0x31, 0x32}) {
        SCOPED_TRACE(int(v));
        const bool vfp = v >= 0x30 && v <= 0x32;
        const bool memo = vfp || v == 0x83 || v == 0xF5 || v == 0x8B || v == 0xFB;
        std::vector<Desc> fields = vfp ? vfpFields : kTrackDescs;
        if (memo && !vfp)
            fields.push_back({"NOTES", 'M', 10});
        auto h = MakeHeader(v, fields, 2, vfp);
        h[33] = 'i';  // names are stored upper case
        DbfHeader out;
        ASSERT_TRUE(Parse(h, SizeFor(h, 2) + 5000, &out).ok());  // extra bytes are fine
        ASSERT_TRUE(Parse(h, SizeFor(h, 2), &out).ok());
        EXPECT_EQ(
            std::tuple(out.version, out.recordCount, out.updateYear, out.updateMonth, out.updateDay,
                       out.codePageMark, out.hasMemoFile(), out.isVisualFoxPro(), out.headerLength),
            std::tuple(v, 2u, 2024, 3, 15, 0x03, memo, vfp,
                       32 + 32 * fields.size() + 1 + (vfp ? 263 : 0)));
        const Schema& s = out.schema;
        if (memo) {
            EXPECT_EQ(s[size_t(s.Find("NOTES"))].length, vfp ? 4 : 10);
        }
        if (!vfp) {
            EXPECT_EQ(std::tuple(s[0].name, s[0].offset, s[1].offset, s[2].offset, s[2].decimals,
                                 s.Find("price")),
                      std::tuple("TITLE", 1u, 41u, 45u, 2, 2));
        }
    }
}

// Each damaged header must give Corruption with a message that says what is wrong.
TEST(DbfHeaderCorruption, FaultsAreNamed) {
    const auto base = MakeHeader(0x03, kTrackDescs, 3);
    const uint64_t size = SizeFor(base, 3);
    // The base header changed by `change`.
    const auto with = [&](const std::function<void(std::vector<uint8_t>&)>& change) {
        auto v = base;
        change(v);
        return v;
    };
    std::vector<Desc> nine;
    for (char c = 'A'; c < 'J'; ++c)
        nine.push_back({std::string(1, c), 'L', 1});
    const auto vfpNoRoom = MakeHeader(0x30, nine, 0, false);
    const auto vfpSmall = MakeHeader(0x30, {{"ID", 'I', 4}}, 0, false);
    const auto noFields = MakeHeader(0x03, {}, 0);
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
        uint64_t fileSize;
        const char* expect;
    } cases[] = {
        {"short", {base.begin(), base.begin() + 20}, size, "truncated"},
        {"header cut", {base.begin(), base.begin() + 100}, size, "truncated"},
        {"dBase 7", with([](auto& v) { v[0] = 0x04; }), size, "version byte 0x04"},
        {"no terminator", with([](auto& v) { v[32 + 5 * 32] = 'X'; }), size, "no terminator"},
        {"record length", with([](auto& v) { ++v[10]; }), size + 3, "record length"},
        {"absurd count", with([](auto& v) { StoreCount(v, 0x7FFFFFFF); }), size,
         "truncated: header says 2147483647 records, file holds 3"},
        {"count of all ones", with([](auto& v) { StoreCount(v, 0xFFFFFFFF); }), size,
         "header says 4294967295 records"},
        {"records cut", base, size - 80, "truncated: header says 3 records, file holds 1"},
        {"name without NUL", with([](auto& v) { std::memset(&v[32], 'A', 11); }), size,
         "no valid name"},
        {"unknown type", with([](auto& v) { v[32 + 11] = 'Z'; }), size, "unknown type"},
        {"TRACK N(0)", with([](auto& v) { v[32 + 32 + 16] = 0; }), size, "impossible width"},
        {"D of width 9", with([](auto& v) { v[32 + 3 * 32 + 16] = 9; }), size, "impossible width"},
        {"duplicate", with([](auto& v) { std::memcpy(&v[32 + 32], "TITLE\0\0\0\0\0", 11); }), size,
         "twice"},
        {"header length small", with([](auto& v) { v[8] = 20, v[9] = 0; }), size, "too small"},
        {"no fields", noFields, noFields.size() + 1, "no fields"},
        {"header length past file", with([](auto& v) { v[8] = v[9] = 0xFF; }), size, "truncated"},
        {"Visual FoxPro header too small", vfpSmall, SizeFor(vfpSmall, 0), "too small"},
        {"Visual FoxPro without backlink", vfpNoRoom, SizeFor(vfpNoRoom, 0),
         "no room for the backlink"},
    };
    for (const auto& c : cases) {
        DbfHeader out;
        Status st = Parse(c.bytes, c.fileSize, &out);
        EXPECT_TRUE(st.IsCorruption()) << c.what << ": " << st.ToString();
        EXPECT_NE(st.message().find(c.expect), std::string::npos)
            << c.what << ": " << st.ToString();
        EXPECT_EQ(st.file(), "t.dbf");
    }
}

TEST(DbfSchemaBuild, RefusesWhatFoxProWouldRefuseAndFillsInFixedWidths) {
    std::vector<FieldSpec> many;
    for (int i = 0; i < 256; ++i)
        many.push_back({"F" + std::to_string(i), 'L', 1});
    const std::vector<std::vector<FieldSpec>> bad = {{},
                                                     {{"1ST", 'C', 10}},
                                                     {{"TOOLONGNAME", 'C', 10}},
                                                     {{"BAD-NAME", 'C', 10}},
                                                     {{"A", 'C', 10}, {"a", 'N', 4}},
                                                     {{"A", 'C', 0}},
                                                     {{"A", 'C', 255}},
                                                     {{"A", 'N', 21}},
                                                     {{"A", 'N', 3, 2}},
                                                     {{"A", 'D', 9}},
                                                     {{"A", 'I', 4}},
                                                     {{"A", 'X', 4}},
                                                     many};
    Schema s;
    for (const auto& fields : bad) {
        EXPECT_EQ(BuildSchema("t.dbf", fields, &s).code(), Status::Code::kInvalidArgument)
            << (fields.empty() ? "" : fields[0].name) << " of " << fields.size();
    }
    many.pop_back();
    EXPECT_TRUE(BuildSchema("t.dbf", many, &s).ok());
    // Fixed widths are filled in.
    ASSERT_TRUE(BuildSchema("t.dbf", {{"D", 'D'}, {"L", 'l'}, {"M", 'M'}, {"N", 'N', 9}}, &s).ok());
    EXPECT_EQ(std::tuple(s[0].length, s[1].length, s[1].type, s[2].length, s.recordLength()),
              std::tuple(8, 1, 'L', 10, 1u + 8 + 1 + 10 + 9));
}

}  // namespace
}  // namespace xbase
