// Compiled xBase expressions: key bytes of every form, filters, and compile errors.
#include "platform/xbase/expression.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "platform/xbase/numeric_key.h"

namespace xbase {
namespace {

// A table of every field type the expressions read, and records to go with it.
class ExpressionTest : public ::testing::Test {
protected:
    ExpressionTest() {
        std::vector<FieldDef> defs = {
            {"ARTIEST", 'C', 0, 50, 0, 0}, {"TITEL", 'C', 0, 50, 0, 0},
            {"CODE", 'C', 0, 4, 0, 0},     {"PRIJS", 'N', 0, 8, 2, 0},
            {"JAAR", 'N', 0, 4, 0, 0},     {"DATUM", 'D', 0, 8, 0, 0},
            {"GEKOCHT", 'D', 0, 8, 0, 0},  {"CD", 'L', 0, 1, 0, 0},
            {"AANTAL", 'I', 0, 4, 0, 0},   {"GEWICHT", 'B', 0, 8, 0, 0},
            {"WAARDE", 'Y', 0, 8, 0, 0},   {"NOTITIE", 'M', 0, 10, 0, 0},
        };
        uint32_t offset = 1;
        for (FieldDef& f : defs) {
            f.offset = offset;
            offset += f.length;
        }
        schema_ = Schema(defs);
        record_.assign(schema_.recordLength(), ' ');
    }

    void Set(const char* name, std::string_view value) {
        const FieldDef& f = schema_[size_t(schema_.Find(name))];
        ASSERT_LE(value.size(), f.length) << name;
        std::memset(&record_[f.offset], ' ', f.length);
        // Numbers are right-aligned.
        std::memcpy(&record_[f.offset + (f.type == 'N' ? f.length - value.size() : 0)],
                    value.data(), value.size());
    }
    template <typename T>
    void SetBinary(const char* name, T value) {
        std::memcpy(&record_[schema_[size_t(schema_.Find(name))].offset], &value, sizeof(value));
    }

    std::unique_ptr<Expression> Compile(std::string_view text, uint8_t mark = 0x03) {
        std::unique_ptr<Expression> e;
        Status s = Expression::Compile(text, schema_, CodePage::ForMark(mark), &e);
        EXPECT_TRUE(s.ok()) << s.ToString();
        return e;
    }
    std::string Key(std::string_view text, uint8_t mark = 0x03) {
        auto e = Compile(text, mark);
        return e ? KeyOf(*e) : "<no expression>";
    }
    std::string KeyOf(const Expression& e) {
        std::string key(e.keyLength(), '\x01');
        e.EvaluateKey(record_.data(), reinterpret_cast<uint8_t*>(key.data()));
        return key;
    }
    bool Filter(std::string_view text) {
        auto e = Compile(text);
        return e && e->EvaluateBool(record_.data());
    }
    // A blank record with the fields given as "NAME=value;NAME=value".
    void Fill(const std::string& fields) {
        record_.assign(record_.size(), ' ');
        for (size_t at = 0, end; at < fields.size(); at = end + 1) {
            end = std::min(fields.find(';', at), fields.size());
            const size_t is = fields.find('=', at);
            Set(fields.substr(at, is - at).c_str(), fields.substr(is + 1, end - is - 1));
        }
    }
    std::string Error(std::string_view text) {
        std::unique_ptr<Expression> e;
        Status s = Expression::Compile(text, schema_, CodePage::Windows1252(), &e);
        EXPECT_EQ(s.code(), Status::Code::kInvalidArgument) << text;
        EXPECT_EQ(e, nullptr);
        return s.message();
    }
    static std::string NumberKey(double v) {
        std::string k(kNumericKeyLength, '\0');
        EncodeNumericKey(v, reinterpret_cast<uint8_t*>(k.data()));
        return k;
    }
    static std::string Pad(std::string s, size_t width) {
        s.resize(width, ' ');
        return s;
    }

    Schema schema_;
    std::vector<uint8_t> record_;
};

// Another program may store a key expression spelt its own way; the same key must be recognised
// as such, and a different key never.
TEST_F(ExpressionTest, SpellingsOfOneKeyAreTheSameKey) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"STR(JAAR)", "STR(JAAR,10)", true},
        {"STR(JAAR)", "str( jaar , 10, 0 )", true},
        {"UPPER(ARTIEST)+STR(JAAR)", "Upper( Artiest ) + Str(Jaar,10)", true},
        {"UPPE(ARTIEST)+DTOS(DATUM)", "UPPER(T->ARTIEST)+dtos(DATUM)", true},
        {"CODE+\"A'\"+TITEL", "(CODE+[A'])+TITEL", true},
        {"CODE+\"AB\"+TITEL", "CODE+('AB'+TITEL)", true},
        {"CODE+\"AB\"+TITEL", "CODE+[AB]+TITEL", true},
        {"STR(JAAR)", "STR(JAAR,9)", false},
        {"STR(PRIJS,8,2)", "STR(PRIJS,8)", false},
        {"UPPER(ARTIEST)", "ARTIEST", false},
        {"CODE+TITEL", "TITEL+CODE", false},
        {"CODE+\"ab\"", "CODE+\"AB\"", false},
        {"DTOS(DATUM)", "DTOS(GEKOCHT)", false},
    };
    for (const auto& [a, b, same] : cases) {
        auto x = Compile(a);
        auto y = Compile(b);
        ASSERT_TRUE(x && y) << a << " / " << b;
        EXPECT_EQ(x->SameAs(*y), same) << a << " / " << b;
    }
}

// Each row sets fields of a blank record ("NAME=value") and names the key its expression makes.
TEST_F(ExpressionTest, KeysOfEveryForm) {
    const std::string text = "\xe9\xe0\xff\x9a\x9c\x9e\xdf\xb5\xf7z";  // éàÿšœžßµ÷z
    const std::string leap = NumberKey(double(JulianDay(2024, 2, 29)));
    const struct {
        std::string set, expression, key;
        uint8_t mark = 0x03;
    } cases[] = {
        {"ARTIEST=Bj\xf6rk", "ARTIEST", Pad("Bj\xf6rk", 50)},
        {"ARTIEST=Bj\xf6rk;TITEL=Homogenic", "UPPER(ARTIEST)+UPPER(TITEL)",
         Pad("BJ\xd6RK", 50) + Pad("HOMOGENIC", 50)},
        {"CODE=ab", "CODE+'|'+\"x\"+[y]", "ab  |xy"},
        {"CODE=ab", "UPPER(CODE+'\xe9')", "AB  \xc9"},
        {"CODE=ab", "UPPE(code)", "AB  "},  // four-letter abbreviation
        {"CODE=ab", "MUZIEK->CODE", "ab  "},
        {"CODE=" + text.substr(0, 4), "UPPER(CODE)", "\xc9\xc0\x9f\x8a"},
        {"TITEL=" + text, "UPPER(TITEL)", Pad("\xc9\xc0\x9f\x8a\x8c\x8e\xdf\xb5\xf7Z", 50)},
        {"TITEL=" + text, "UPPER(TITEL)", Pad(text.substr(0, 9) + "Z", 50), 0x00},  // ASCII only
        // A blank, an impossible day and junk all key as a blank date.
        {"", "DTOS(DATUM)", "        "},
        {"", "DATUM", NumberKey(0)},
        {"DATUM=20230229", "DTOS(DATUM)", "        "},
        {"DATUM=20230229", "DATUM", NumberKey(0)},
        {"DATUM=2024\x01\x02xx", "DTOS(DATUM)", "        "},
        {"DATUM=2024\x01\x02xx", "DATUM", NumberKey(0)},
        {"DATUM=20240229", "dTos(DATUM)", "20240229"},
        {"DATUM=20240229", "DTOS(DATUM)+CODE", "20240229    "},
        {"DATUM=20240229", "DATUM", leap},
        // Blank, overflowed ("***") and other garbage read as 0.
        {"", "PRIJS", NumberKey(0)},
        {"PRIJS=-12.50", "PRIJS", NumberKey(-12.5)},
        {"PRIJS=***", "PRIJS", NumberKey(0)},
        {"PRIJS=  1e3", "PRIJS", NumberKey(1000)},
        {"PRIJS=nan", "PRIJS", NumberKey(0)},
        {"JAAR=1997;PRIJS=2.5", "JAAR + PRIJS * 2 - 1", NumberKey(2001)},
        {"JAAR=1997", "JAAR / 0", NumberKey(0)},
        {"JAAR=1997", "STR(JAAR,4)+CODE", "1997    "},
        {"JAAR=1997", "STR(-JAAR + 3, 6)", " -1994"},
        {"", ".T.", "T"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expression);
        Fill(c.set);
        EXPECT_EQ(Key(c.expression, c.mark), c.key);
    }
    SetBinary<int32_t>("AANTAL", -7);
    EXPECT_EQ(Key("AANTAL"), NumberKey(-7));
    SetBinary<double>("GEWICHT", 0.25);
    EXPECT_EQ(Key("GEWICHT"), NumberKey(0.25));
    SetBinary<int64_t>("WAARDE", 123456);
    EXPECT_EQ(Key("WAARDE"), NumberKey(12.3456));
    EXPECT_EQ(Key("STR(WAARDE, 8, 4)"), " 12.3456");
}

TEST_F(ExpressionTest, StrWidthRoundingAndOverflow) {
    // {PRIJS as stored, expression, key}
    const char* cases[][3] = {
        {"12.34", "STR(PRIJS)", "        12"},  // 10 wide whatever the field width
        {"12.34", "STR(PRIJS, 8, 2)", "   12.34"}, {"12.34", "STR(PRIJS, 8, 1)", "    12.3"},
        {"12.34", "STR(PRIJS,3)", " 12"},          {"12.34", "STR(PRIJS,1)", "*"},
        {"12.34", "STR(PRIJS, 4, 2)", "12.3"},    // decimals give way to the whole part
        {"1.005", "STR(PRIJS, 6, 2)", "  1.01"},  // half away from zero, in decimal
        {"-3.5", "STR(PRIJS, 5)", "   -4"},        {"-3.5", "STR(PRIJS, 6, 2)", " -3.50"},
        {"-3.5", "STR(PRIJS, 2)", "-4"},           {"-3.5", "STR(PRIJS, 1)", "*"},
        {"-0.001", "STR(PRIJS, 5, 2)", " 0.00"},  // no minus before a rounded-away value
        {"99.96", "STR(PRIJS, 5, 1)", "100.0"},    {"99.96", "STR(PRIJS, 4, 1)", " 100"},
        {"", "STR(PRIJS, 4, 1)", " 0.0"},          {"", "STR(123456, 5)", "*****"},
        {"", "STR(1e300 * 1e300)", "**********"},
    };
    for (const auto& [prijs, text, key] : cases) {
        Set("PRIJS", prijs);
        EXPECT_EQ(Key(text), key) << prijs << " " << text;
    }
}

// STR of exact two-decimal values against integer arithmetic.
TEST_F(ExpressionTest, StrMatchesDecimalModel) {
    auto two = Compile("STR(PRIJS, 10, 2)");
    auto one = Compile("STR(PRIJS, 10, 1)");
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> cents(-999999, 999999);  // fits N(8,2)
    char text[32], want[32];
    for (int i = 0; i < 2000; ++i) {
        const int c = cents(rng), a = std::abs(c), tenths = (a + 5) / 10;
        std::snprintf(text, sizeof(text), "%s%d.%02d", c < 0 ? "-" : "", a / 100, a % 100);
        Set("PRIJS", text);
        std::snprintf(want, sizeof(want), "%10s", text);
        ASSERT_EQ(KeyOf(*two), want);
        std::snprintf(text, sizeof(text), "%s%d.%d", c < 0 && tenths ? "-" : "", tenths / 10,
                      tenths % 10);
        std::snprintf(want, sizeof(want), "%10s", text);
        ASSERT_EQ(KeyOf(*one), want) << c;
    }
}

// Filters against records whose fields are set as "NAME=value;...".
TEST_F(ExpressionTest, FiltersOverRecords) {
    for (const char value : std::string("TtYyFfNn? ")) {
        Set("CD", std::string(1, value));
        const bool yes = std::string("TtYy").find(value) != std::string::npos;
        EXPECT_EQ(Key("CD"), yes ? "T" : "F") << value;
        EXPECT_EQ(Filter("CD"), yes) << value;
        EXPECT_EQ(Filter(".NOT. CD"), !yes) << value;
    }
    const char* const beat = "CODE=Beat";
    const char* const lp = "JAAR=1997;DATUM=19970512;GEKOCHT=20010101;CODE=LP";
    const struct {
        const char *set, *filter;
        bool want;
    } cases[] = {
        {"CODE=D", "UPPER(CODE)=\"D\"", true},
        {"CODE=d", "UPPER(CODE)=\"D\"", true},
        {"CODE=DX", "UPPER(CODE)=\"D\"", true},
        {"CODE=dvd", "UPPER(CODE)=\"D\"", true},
        {"CODE=", "UPPER(CODE)=\"D\"", false},
        {"CODE=CD", "UPPER(CODE)=\"D\"", false},
        {"CODE= D", "UPPER(CODE)=\"D\"", false},
        {"CODE=D", "CODE", false},  // not logical
        {beat, "CODE = 'Be'", true},
        {beat, "CODE = ''", true},
        {beat, "CODE = 'Beat'", true},
        {beat, "CODE = 'Beatles'", false},  // longer than the field
        {beat, "CODE == 'Beat '", false},   // five bytes against four
        {beat, "CODE == 'Beat'", true},
        {beat, "CODE == 'Be'", false},
        {beat, "CODE <> 'X'", true},
        {beat, "CODE # 'X' .AND. CODE != 'Y'", true},
        {beat, "CODE < 'C'", true},
        {beat, "CODE >= 'Be'", true},
        {beat, "CODE > 'Be'", false},
        {beat, "CODE < 'Beats'", true},
        {beat, "'Beatles' = CODE", true},
        {beat, "UPPER(CODE) = UPPER('bea')", true},
        {lp, "JAAR = 1997 .and. CODE = 'LP'", true},
        {lp, "JAAR > 2000 .OR. CODE = 'L'", true},
        {lp, "!(JAAR >= 1990 .AND. JAAR <= 1999)", false},
        {lp, "DATUM < GEKOCHT", true},
        {lp, "DTOS(DATUM) >= '1997'", true},
        {lp, ".NOT. .NOT. .T. .AND. .NOT. .F.", true},
        {lp, "DELETED()", false},
    };
    for (const auto& c : cases) {
        Fill(c.set);
        EXPECT_EQ(Filter(c.filter), c.want) << c.set << ": " << c.filter;
    }
    record_[0] = '*';
    EXPECT_TRUE(Filter("dele()"));
}

TEST_F(ExpressionTest, CompileErrorsNameTheProblem) {
    const std::pair<const char*, const char*> cases[] = {
        {"UPPER(NAAM)", "unknown field NAAM at 7"},
        {"UPPER(CODE", "missing ) at 11"},
        {"STR(CODE)", "STR needs a number at 1"},
        {"UPPER(JAAR)", "UPPER needs text"},
        {"DTOS(CODE)", "DTOS needs a date"},
        {"LEFT(CODE, 2)", "unknown function LEFT at 1"},
        {"CODE + JAAR", "+ needs two texts or two numbers at 6"},
        {"CODE - CODE", "- needs two numbers"},
        {"CODE = 'abc", "unterminated string at 8"},
        {"", "empty expression"},
        {"   ", "empty expression"},
        {"CODE CODE", "unexpected CODE at 6"},
        {"CODE = JAAR", "cannot compare text with number"},
        {"CD = .T.", "cannot compare logical values"},
        {"CODE .AND. CD", ".AND. needs two logical values"},
        {"NOTITIE", "field NOTITIE of type M cannot be used"},
        {"STR(JAAR, 0)", "STR length must be a whole number from 1 to 255"},
        {"STR(JAAR, JAAR)", "STR length must be"},
        {"STR(JAAR, 5, 2.5)", "STR decimals must be"},
        {"STR(JAAR, 1e400)", "bad number"},
        {"CODE = $", "unexpected character $ at 8"},
        {"CODE = \x01", "byte 0x01"},
        {"JAAR +", "unexpected end of expression at 7"},
        {".XYZ.", "unexpected character . at 1"},
        {"DELETED(", "missing )"},
        {"A->", "missing field name after ->"},
        {"-CODE", "sign - needs a number"},
    };
    for (const auto& [text, problem] : cases) {
        const std::string message = Error(text);
        EXPECT_NE(message.find(problem), std::string::npos) << message;
        EXPECT_NE(message.find("expression"), std::string::npos) << message;
    }
}

TEST_F(ExpressionTest, BoundsOnTextAndNesting) {
    std::string deep = std::string(64, '(') + "CODE" + std::string(64, ')');
    EXPECT_EQ(Key(deep), "    ");
    std::string deeper = std::string(65, '(') + "CODE" + std::string(65, ')');
    EXPECT_NE(Error(deeper).find("nested deeper than 64 levels at 65"), std::string::npos);
    EXPECT_NE(Error(std::string(100, '-') + "1").find("nested deeper"), std::string::npos);
    std::string chain = "CODE";
    while (chain.size() + 5 <= 1024)
        chain += "+CODE";
    EXPECT_EQ(Compile(chain)->keyLength(), 4 * ((chain.size() + 1) / 5));
    EXPECT_NE(Error(chain + " ").find("longer than 1024 characters"), std::string::npos);
    std::string wide = "TITEL";
    while (wide.size() < 600)
        wide += "+TITEL";
    EXPECT_NE(Error(wide).find("text longer than 4096 bytes"), std::string::npos);
}

TEST_F(ExpressionTest, SchemaWithBadBinaryLengthIsRefused) {
    Schema bad({{"N", 'I', 1, 2, 0, 0}, {"D", 'D', 3, 6, 0, 0}});
    std::unique_ptr<Expression> e;
    Status s = Expression::Compile("N", bad, CodePage::Windows1252(), &e);
    EXPECT_NE(s.message().find("has length 2, not 4"), std::string::npos) << s.ToString();
    EXPECT_FALSE(Expression::Compile("DTOS(D)", bad, CodePage::Windows1252(), &e).ok());
}

}  // namespace
}  // namespace xbase
