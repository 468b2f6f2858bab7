// DBF headers built by hand as bytes, the way other xBase tools write them, and the faults a
// damaged or hostile header can carry.
#include "platform/xbase/dbf_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/xbase/file_bytes.h"

namespace xbase {
namespace {

using xbasetest::Desc;
using xbasetest::MakeHeader;
using xbasetest::StoreCount;

Status Parse(const std::vector<uint8_t>& h, uint64_t fileSize, DbfHeader* out) {
    return ParseDbfHeader("t.dbf", h.data(), h.size(), fileSize, out);
}

uint64_t SizeFor(const std::vector<uint8_t>& h, uint32_t count) {
    return h.size() + uint64_t(count) * (h[10] | (h[11] << 8)) + 1;
}

const std::vector<Desc> kTrackFields = {{"TITLE", 'C', 40},
                                        {"TRACK", 'N', 4},
                                        {"PRICE", 'N', 10, 2},
                                        {"BOUGHT", 'D', 8},
                                        {"LENT", 'L', 1}};

TEST(DbfHeaderRead, EveryVersionByteWeRead) {
    for (uint8_t v : {0x03, 0x83, 0xF5, 0x8B, 0xFB, 0x43, 0x63}) {
        std::vector<Desc> fields = kTrackFields;
        if (v == 0x83 || v == 0xF5 || v == 0x8B || v == 0xFB)
            fields.push_back({"NOTES", 'M', 10});
        auto h = MakeHeader(v, fields, 2);
        DbfHeader out;
        ASSERT_TRUE(Parse(h, SizeFor(h, 2) + 5000, &out).ok()) << int(v);  // extra bytes are fine
        ASSERT_TRUE(Parse(h, SizeFor(h, 2), &out).ok()) << int(v);
        EXPECT_EQ(
            std::tuple(out.version, out.recordCount, out.updateYear, out.updateMonth, out.updateDay,
                       out.codePageMark, out.hasMemoFile(), out.isVisualFoxPro()),
            std::tuple(v, 2u, 2024, 3, 15, 0x03, fields.size() == 6, false));
    }
}

TEST(DbfHeaderRead, OffsetsComeFromWidthsNotDisplacements) {
    auto h = MakeHeader(
        0x03, {{"title", 'C', 40, 0, 99}, {"TRACK", 'N', 4, 0, 7}, {"PRICE", 'N', 10, 2, 1}}, 0);
    DbfHeader out;
    ASSERT_TRUE(Parse(h, SizeFor(h, 0), &out).ok());
    const Schema& s = out.schema;
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].name, "TITLE");  // stored upper case
    EXPECT_EQ(std::tuple(s[0].offset, s[1].offset, s[2].offset, s.recordLength()),
              std::tuple(1u, 41u, 45u, 55u));
    EXPECT_EQ(s[2].decimals, 2);
    EXPECT_EQ(s.Find("price"), 2);
}

TEST(DbfHeaderRead, VisualFoxProWithBacklinkAndBinaryFields) {
    for (uint8_t v : {0x30, 0x31, 0x32}) {
        auto h = MakeHeader(v,
                            {{"ID", 'I', 4},
                             {"NAME", 'C', 20},
                             {"NOTES", 'M', 4},
                             {"COST", 'Y', 8},
                             {"STAMP", 'T', 8},
                             {"RATIO", 'B', 8, 3},
                             {"_NULLFLAGS", '0', 1}},
                            1, true);
        ASSERT_EQ(h.size(), 32u + 7 * 32 + 1 + 263);
        DbfHeader out;
        ASSERT_TRUE(Parse(h, SizeFor(h, 1), &out).ok()) << Parse(h, SizeFor(h, 1), &out).ToString();
        EXPECT_TRUE(out.isVisualFoxPro() && out.hasMemoFile());
        EXPECT_EQ(out.headerLength, h.size());
        EXPECT_EQ(out.schema[2].length, 4);
    }
}

// Each damaged header must give Corruption with a message that says what is wrong.
TEST(DbfHeaderCorruption, FaultsAreNamed) {
    const auto base = MakeHeader(0x03, kTrackFields, 3);
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

TEST(DbfHeaderWrite, SerializeThenParseGivesTheSameTable) {
    Schema schema;
    ASSERT_TRUE(
        BuildSchema("t.dbf",
                    {{"title", 'C', 40}, {"track", 'N', 4}, {"price", 'N', 10, 2}, {"notes", 'M'}},
                    &schema)
            .ok());
    const DbfHeader h{.version = kDbfFoxProMemo,
                      .updateYear = 2031,
                      .updateMonth = 12,
                      .updateDay = 31,
                      .recordCount = 7,
                      .codePageMark = 0x03,
                      .schema = schema};
    std::vector<uint8_t> bytes = SerializeDbfHeader(h);
    ASSERT_EQ(bytes.size(), 32u + 4 * 32 + 1);
    EXPECT_EQ(bytes[1], 131);  // years since 1900
    EXPECT_EQ(bytes[29], 0x03);
    EXPECT_EQ(bytes.back(), 0x0D);
    // Displacements are written as the offsets.
    EXPECT_EQ(bytes[32 + 32 + 12], 41);
    EXPECT_EQ(bytes[32 + 3 * 32 + 12], 55);

    DbfHeader back;
    ASSERT_TRUE(
        ParseDbfHeader("t.dbf", bytes.data(), bytes.size(), bytes.size() + 7 * 65, &back).ok());
    EXPECT_EQ(std::tuple(back.recordLength, back.recordCount, back.updateYear),
              std::tuple(65, 7u, 2031));
    ASSERT_EQ(back.schema.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        const FieldDef &a = back.schema[i], &b = schema[i];
        EXPECT_EQ(std::tie(a.name, a.type, a.length, a.decimals, a.offset),
                  std::tie(b.name, b.type, b.length, b.decimals, b.offset));
    }
}

TEST(DbfSchemaBuild, RefusesWhatFoxProWouldRefuse) {
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
}

TEST(DbfSchemaBuild, FixedWidthsAreFilledIn) {
    Schema s;
    ASSERT_TRUE(BuildSchema("t.dbf", {{"D", 'D'}, {"L", 'l'}, {"M", 'M'}, {"N", 'N', 9}}, &s).ok());
    EXPECT_EQ(std::tuple(s[0].length, s[1].length, s[1].type, s[2].length, s.recordLength()),
              std::tuple(8, 1, 'L', 10, 1u + 8 + 1 + 10 + 9));
}

}  // namespace
}  // namespace xbase
