// Field values through the codec: round trips of every type, refusals that leave the record
// untouched, and values as other xBase tools store them.
#include "platform/xbase/field_codec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

namespace xbase {
namespace {

FieldDef Field(const char* name, char type, uint8_t length, uint8_t decimals = 0,
               uint32_t offset = 1) {
    return {name, type, offset, length, decimals, 0};
}

// A record buffer with guard bytes around the field, so that writes past the field show.
struct Rec {
    explicit Rec(const FieldDef& f) : bytes(f.offset + f.length + 4, '#') {}
    uint8_t* data() { return bytes.data(); }
    bool guardsIntact(const FieldDef& f) const {
        for (size_t i = 0; i < bytes.size(); ++i) {
            if ((i < f.offset || i >= f.offset + f.length) && bytes[i] != '#')
                return false;
        }
        return true;
    }
    std::vector<uint8_t> bytes;
};

// Text as typed into each type of field, and numbers into N fields: what is stored (numbers
// right-aligned with exactly the field's decimals, rounded half away from zero), or a refusal
// that names the field and leaves the record as it was.
TEST(FieldCodec, SetTextAndSetNumberStoreOrRefuseNamingTheField) {
    const FieldDef title = Field("TITLE", 'C', 8, 0, 3), price = Field("PRICE", 'N', 10, 2),
                   bought = Field("BOUGHT", 'D', 8), lent = Field("LENT", 'L', 1),
                   notes = Field("NOTES", 'M', 4), n4 = Field("PRICE", 'N', 4);
    struct Case {
        FieldDef field;
        std::variant<const char*, double> input;
        const char* stored;  // nullptr: refused
    };
    std::vector<Case> cases = {
        {title, "Abbey", "Abbey   "},
        {title, "12345678      ", "12345678"},  // trailing blanks do not count
        {title, "123456789", nullptr},
        {price, " 19.999 ", "     20.00"},
        {price, "", "          "},
        {price, "twelve", nullptr},
        {price, "1e3", nullptr},
        {bought, "19991231", "19991231"},
        {bought, "  ", "        "},
        {bought, "2024-02-29", nullptr},
        {bought, "20230229", nullptr},
        {lent, "?", "?"},
        {lent, "maybe", nullptr},
        {notes, "x", nullptr},
        {n4, 7.0, "   7"},
        {n4, 1234.0, "1234"},
        {n4, 9999.0, "9999"},
        {n4, -999.0, "-999"},
        {n4, 10000.0, nullptr},
        {n4, -1000.0, nullptr},
        {n4, 9999.5, nullptr},  // rounds to 10000
        {n4, 2.5, "   3"},
        {Field("PRICE", 'N', 9), -12345678.0, "-12345678"},
        {price, 12.5, "     12.50"},
        {price, 2.675, "      2.68"},
        {price, -2.675, "     -2.68"},
        {price, 0.004, "      0.00"},
        {price, -0.004, "      0.00"},
        {Field("PRICE", 'N', 5, 1), 99.94, " 99.9"},
        {Field("PRICE", 'N', 20, 4), 1e15, nullptr}};
    for (const char* yes : {"T", "t", "Y", "y", ".T."})
        cases.push_back({lent, yes, "T"});
    for (const char* no : {"F", "n", ".f."})
        cases.push_back({lent, no, "F"});
    for (double tooBig : {12345678.0, 9999999.995, -1234567.0, double(NAN), double(INFINITY)})
        cases.push_back({price, tooBig, nullptr});
    for (const auto& c : cases) {
        Rec r(c.field);
        const auto before = r.bytes;
        std::string what = c.field.name + " N(" + std::to_string(c.field.length) + ") <- ";
        Status st;
        if (const auto* text = std::get_if<const char*>(&c.input)) {
            what += "'" + std::string(*text) + "'";
            st = SetText(r.data(), c.field, *text);
        } else {
            what += std::to_string(std::get<double>(c.input));
            st = SetNumber(r.data(), c.field, std::get<double>(c.input));
        }
        SCOPED_TRACE(what);
        if (c.stored == nullptr) {
            EXPECT_EQ(st.code(), Status::Code::kInvalidArgument);
            EXPECT_NE(st.message().find(c.field.name), std::string::npos) << st.ToString();
            EXPECT_EQ(r.bytes, before);
            continue;
        }
        ASSERT_TRUE(st.ok()) << st.ToString();
        EXPECT_EQ(GetText(r.data(), c.field), c.stored);
        EXPECT_TRUE(r.guardsIntact(c.field));
    }
}

TEST(FieldCodecNumeric, ReadsForeignAndBrokenContents) {
    FieldDef f = Field("N", 'N', 8, 2);
    Rec r(f);
    // What other tools store, then junk that reads as 0.
    const std::pair<const char*, double> cases[] = {
        {"   -3.25", -3.25}, {"+3.25   ", 3.25},     {"     .50", 0.5}, {"        ", 0},
        {"********", 0},     {"  12abc ", 0},        {"1.2.3   ", 0},   {"  - .   ", 0},
        {"1e5     ", 0},     {"\0\0\0\0\0\0\0\0", 0}};
    for (const auto& [text, value] : cases) {
        std::memcpy(r.data() + 1, text, 8);
        EXPECT_DOUBLE_EQ(GetNumber(r.data(), f), value) << text;
    }
}

TEST(FieldCodecDate, ValidatesCalendarDates) {
    FieldDef f = Field("BOUGHT", 'D', 8);
    Rec r(f);
    ASSERT_TRUE(SetDate(r.data(), f, {2024, 2, 29}).ok());
    EXPECT_EQ(GetText(r.data(), f), "20240229");
    const Date d = GetDate(r.data(), f);
    EXPECT_EQ(std::tuple(d.year, d.month, d.day), std::tuple(2024, 2, 29));
    const auto before = r.bytes;
    for (Date bad : {Date{2023, 2, 29}, Date{1900, 2, 29}, Date{2024, 13, 1}, Date{2024, 4, 31},
                     Date{2024, 0, 5}, Date{10000, 1, 1}}) {
        EXPECT_FALSE(SetDate(r.data(), f, bad).ok())
            << bad.year << "-" << bad.month << "-" << bad.day;
        EXPECT_EQ(r.bytes, before);
    }
    EXPECT_TRUE(IsValidDate({2000, 2, 29}));
    for (const char* blank : {"        ", "2024ab01"}) {
        std::memcpy(r.data() + 1, blank, 8);
        EXPECT_TRUE(GetDate(r.data(), f).blank()) << blank;
    }
}

TEST(FieldCodecLogical, ReadsAsTrueOrFalseAndOneOrZero) {
    FieldDef f = Field("LENT", 'L', 1);
    Rec r(f);
    for (const auto& [value, stored] : {std::pair{true, 'T'}, std::pair{false, 'F'}}) {
        ASSERT_TRUE(SetLogical(r.data(), f, value).ok());
        EXPECT_EQ(r.bytes[1], stored);
        EXPECT_EQ(GetLogical(r.data(), f), value);
        EXPECT_EQ(GetNumber(r.data(), f), value ? 1 : 0);
    }
}

TEST(FieldCodecMemo, PointersInBothWidths) {
    const FieldDef m10 = Field("NOTES", 'M', 10), m4 = Field("NOTES", 'M', 4);
    for (const auto& [f, block, text] :
         {std::tuple{m10, 8u, "         8"}, std::tuple{m10, 4294967295u, "4294967295"},
          std::tuple{m10, 0u, "          "}, std::tuple{m4, 0x01020304u, "16909060"}}) {
        Rec r(f);
        SetMemoBlock(r.data(), f, block);
        EXPECT_EQ(GetMemoBlock(r.data(), f), block);
        EXPECT_EQ(GetText(r.data(), f), text);
        EXPECT_TRUE(r.guardsIntact(f));
        if (f.length == 4) {
            EXPECT_EQ(std::tuple(r.bytes[1], r.bytes[4]), std::tuple(0x04, 0x01));  // low first
        }
    }
    // dBase III writes leading zeros; past 32 bits or junk points nowhere.
    Rec r(m10);
    for (const auto& [text, block] :
         {std::pair{"0000000017", 17u}, std::pair{"9999999999", 0u}, std::pair{"   12x    ", 0u}}) {
        std::memcpy(r.data() + 1, text, 10);
        EXPECT_EQ(GetMemoBlock(r.data(), m10), block) << text;
    }
}

TEST(FieldCodecVisualFoxPro, BinaryTypesRoundTrip) {
    const struct {
        FieldDef field;
        double value;
        const char* text;
    } numbers[] = {{Field("ID", 'I', 4), -123456, "-123456"},
                   {Field("COST", 'Y', 8), 12.3456, "12.3456"},
                   {Field("RATIO", 'B', 8, 3), 0.125, "0.125"}};
    for (const auto& [f, value, text] : numbers) {
        Rec r(f);
        ASSERT_TRUE(SetNumber(r.data(), f, value).ok()) << text;
        EXPECT_DOUBLE_EQ(GetNumber(r.data(), f), value);
        EXPECT_EQ(GetText(r.data(), f), text);
        EXPECT_TRUE(r.guardsIntact(f));
    }
    Rec ri(numbers[0].field);
    EXPECT_FALSE(SetNumber(ri.data(), numbers[0].field, 3e9).ok());

    FieldDef t = Field("STAMP", 'T', 8);
    Rec rt(t);
    // 2000-01-01 is Julian day 2451545; 13:45:30 is 49530000 ms.
    const uint8_t stamp[8] = {0x59, 0x68, 0x25, 0x00, 0x90, 0xC4, 0xF3, 0x02};
    std::memcpy(rt.data() + 1, stamp, 8);
    EXPECT_EQ(GetText(rt.data(), t), "20000101134530");
    EXPECT_EQ(GetDate(rt.data(), t).year, 2000);
    ASSERT_TRUE(SetDate(rt.data(), t, {1999, 12, 31}).ok());
    EXPECT_EQ(GetText(rt.data(), t), "19991231000000");
    SetBlank(rt.data(), t);
    EXPECT_TRUE(GetDate(rt.data(), t).blank());
}

// Model-based: random values through N fields of random shapes read back as the value rounded
// to the field's decimals, or are refused exactly when that rounded value has too many digits.
TEST(FieldCodecNumeric, RandomRoundTripsAgainstPlainArithmetic) {
    std::mt19937 rng(20240315);
    for (int iter = 0; iter < 20000; ++iter) {
        const uint8_t width = uint8_t(1 + rng() % 15);
        const uint8_t decimals = width >= 3 ? uint8_t(rng() % (width - 1)) : 0;
        FieldDef f = Field("N", 'N', width, decimals);
        const double magnitude = std::pow(10.0, double(rng() % 12)) * ((rng() % 2) ? -1 : 1);
        const double value = std::ldexp(double(rng()), -32) * magnitude;
        Rec r(f);
        const double scale = std::pow(10.0, decimals);
        const double expect = std::round(value * scale) / scale;
        char buf[64];
        const int len =
            std::snprintf(buf, sizeof buf, "%.*f", int(decimals), expect == 0 ? 0.0 : expect);
        Status st = SetNumber(r.data(), f, value);
        // Within a hair of a half the codec may round the other way; only then allow either.
        const bool nearHalf =
            std::fabs(std::fabs(value * scale - std::trunc(value * scale)) - 0.5) < 1e-6;
        if (len > width) {
            if (!nearHalf) {
                EXPECT_FALSE(st.ok())
                    << value << " N(" << int(width) << "," << int(decimals) << ")";
            }
            continue;
        }
        if (!st.ok()) {
            EXPECT_TRUE(nearHalf) << value << " " << st.ToString();
            continue;
        }
        EXPECT_TRUE(r.guardsIntact(f));
        if (!nearHalf) {
            EXPECT_NEAR(GetNumber(r.data(), f), expect, 0.5 / scale) << value;
        }
        EXPECT_EQ(GetText(r.data(), f).size(), width);
    }
}

}  // namespace
}  // namespace xbase
