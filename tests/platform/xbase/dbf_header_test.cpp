// DBF headers built by hand as bytes, the way other xBase tools write them, and the faults a
// damaged or hostile header can carry.
#include "platform/xbase/dbf_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace xbase {
namespace {

struct Desc {
    std::string name;
    char type;
    uint8_t length;
    uint8_t decimals = 0;
    uint32_t displacement = 0;  // deliberately wrong unless set: readers must not trust it
};

// A header as a foreign tool would write it; `backlink` adds the Visual FoxPro area.
std::vector<uint8_t> MakeHeader(uint8_t version, const std::vector<Desc>& fields, uint32_t count,
                                bool backlink = false) {
    std::vector<uint8_t> h(32, 0);
    h[0] = version;
    h[1] = 124;  // 2024
    h[2] = 3;
    h[3] = 15;
    for (int i = 0; i < 4; ++i)
        h[4 + i] = uint8_t(count >> (8 * i));
    uint16_t recLen = 1;
    for (const Desc& d : fields) {
        uint8_t f[32] = {};
        std::memcpy(f, d.name.data(), d.name.size());
        f[11] = uint8_t(d.type);
        f[12] = uint8_t(d.displacement);
        f[16] = d.length;
        f[17] = d.decimals;
        h.insert(h.end(), f, f + 32);
        recLen = uint16_t(recLen + d.length);
    }
    h.push_back(0x0D);
    if (backlink)
        h.resize(h.size() + 263, 0);
    h[8] = uint8_t(h.size());
    h[9] = uint8_t(h.size() >> 8);
    h[10] = uint8_t(recLen);
    h[11] = uint8_t(recLen >> 8);
    h[29] = 0x03;
    return h;
}

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
        EXPECT_EQ(out.version, v);
        EXPECT_EQ(out.recordCount, 2u);
        EXPECT_EQ(out.updateYear, 2024);
        EXPECT_EQ(out.updateMonth, 3);
        EXPECT_EQ(out.updateDay, 15);
        EXPECT_EQ(out.codePageMark, 0x03);
        EXPECT_EQ(out.hasMemoFile(), fields.size() == 6);
        EXPECT_FALSE(out.isVisualFoxPro());
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
    EXPECT_EQ(s[0].offset, 1u);
    EXPECT_EQ(s[1].offset, 41u);
    EXPECT_EQ(s[2].offset, 45u);
    EXPECT_EQ(s[2].decimals, 2);
    EXPECT_EQ(s.recordLength(), 55u);
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
        EXPECT_TRUE(out.isVisualFoxPro());
        EXPECT_TRUE(out.hasMemoFile());
        EXPECT_EQ(out.headerLength, h.size());
        EXPECT_EQ(out.schema[2].length, 4);
    }
}

// Each damaged header must give Corruption with a message that says what is wrong.
TEST(DbfHeaderCorruption, FaultsAreNamed) {
    auto base = MakeHeader(0x03, kTrackFields, 3);
    const uint64_t size = SizeFor(base, 3);
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
        uint64_t fileSize;
        const char* expect;
    };
    std::vector<Case> cases;
    cases.push_back(
        {"short", std::vector<uint8_t>(base.begin(), base.begin() + 20), size, "truncated"});
    cases.push_back(
        {"header cut", std::vector<uint8_t>(base.begin(), base.begin() + 100), size, "truncated"});
    auto v = base;
    v[0] = 0x04;
    cases.push_back({"dBase 7", v, size, "version byte 0x04"});
    v = base;
    v[32 + 5 * 32] = 'X';  // terminator overwritten
    cases.push_back({"no terminator", v, size, "no terminator"});
    v = base;
    v[10] = uint8_t(v[10] + 1);
    cases.push_back({"record length", v, size + 3, "record length"});
    v = base;
    std::fill(v.begin() + 4, v.begin() + 7, 0xFF);
    v[7] = 0x7F;
    cases.push_back(
        {"absurd count", v, size, "truncated: header says 2147483647 records, file holds 3"});
    cases.push_back(
        {"records cut", base, size - 80, "truncated: header says 3 records, file holds 1"});
    v = base;
    std::memset(&v[32], 'A', 11);
    cases.push_back({"name without NUL", v, size, "no valid name"});
    v = base;
    v[32 + 11] = 'Z';
    cases.push_back({"unknown type", v, size, "unknown type"});
    v = base;
    v[32 + 32 + 16] = 0;  // TRACK N(0)
    cases.push_back({"zero width", v, size, "impossible width"});
    v = base;
    v[32 + 3 * 32 + 16] = 9;  // D of width 9
    cases.push_back({"date width", v, size, "impossible width"});
    v = base;
    std::memcpy(&v[32 + 32], "TITLE\0\0\0\0\0", 11);
    cases.push_back({"duplicate", v, size, "twice"});
    v = base;
    v[8] = 20;
    v[9] = 0;
    cases.push_back({"header length small", v, size, "too small"});
    v = MakeHeader(0x03, {}, 0);
    cases.push_back({"no fields", v, v.size() + 1, "no fields"});
    v = base;
    v[8] = 0xFF;
    v[9] = 0xFF;
    cases.push_back({"header length past file", v, size, "truncated"});
    v = MakeHeader(0x30, {{"ID", 'I', 4}}, 0, false);
    cases.push_back({"Visual FoxPro header too small", v, SizeFor(v, 0), "too small"});
    std::vector<Desc> nine;
    for (char c = 'A'; c < 'J'; ++c)
        nine.push_back({std::string(1, c), 'L', 1});
    v = MakeHeader(0x30, nine, 0, false);
    cases.push_back(
        {"Visual FoxPro without backlink", v, SizeFor(v, 0), "no room for the backlink"});

    for (const Case& c : cases) {
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
    DbfHeader h;
    h.version = kDbfFoxProMemo;
    h.updateYear = 2031;
    h.updateMonth = 12;
    h.updateDay = 31;
    h.recordCount = 7;
    h.codePageMark = 0x03;
    h.schema = schema;
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
    EXPECT_EQ(back.recordLength, 65);
    EXPECT_EQ(back.recordCount, 7u);
    EXPECT_EQ(back.updateYear, 2031);
    ASSERT_EQ(back.schema.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(back.schema[i].name, schema[i].name);
        EXPECT_EQ(back.schema[i].type, schema[i].type);
        EXPECT_EQ(back.schema[i].length, schema[i].length);
        EXPECT_EQ(back.schema[i].decimals, schema[i].decimals);
        EXPECT_EQ(back.schema[i].offset, schema[i].offset);
    }
}

TEST(DbfSchemaBuild, RefusesWhatFoxProWouldRefuse) {
    const std::vector<std::vector<FieldSpec>> bad = {
        {},
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
    };
    for (const auto& fields : bad) {
        Schema s;
        Status st = BuildSchema("t.dbf", fields, &s);
        EXPECT_EQ(st.code(), Status::Code::kInvalidArgument)
            << (fields.empty() ? "" : fields[0].name);
    }
    std::vector<FieldSpec> many;
    for (int i = 0; i < 256; ++i)
        many.push_back({"F" + std::to_string(i), 'L', 1});
    Schema s;
    EXPECT_FALSE(BuildSchema("t.dbf", many, &s).ok());
    many.pop_back();
    EXPECT_TRUE(BuildSchema("t.dbf", many, &s).ok());
}

TEST(DbfSchemaBuild, FixedWidthsAreFilledIn) {
    Schema s;
    ASSERT_TRUE(BuildSchema("t.dbf", {{"D", 'D'}, {"L", 'l'}, {"M", 'M'}, {"N", 'N', 9}}, &s).ok());
    EXPECT_EQ(s[0].length, 8);
    EXPECT_EQ(s[1].length, 1);
    EXPECT_EQ(s[1].type, 'L');
    EXPECT_EQ(s[2].length, 10);
    EXPECT_EQ(s.recordLength(), 1u + 8 + 1 + 10 + 9);
}

}  // namespace
}  // namespace xbase
