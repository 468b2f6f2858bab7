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
    // Each filter against the current record.
    void ExpectFilters(const std::vector<std::pair<const char*, bool>>& cases) {
        for (const auto& [text, want] : cases)
            EXPECT_EQ(Filter(text), want) << text;
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

TEST_F(ExpressionTest, ExpressionsTakeTheTypeOfWhatTheyRead) {
    const std::pair<const char*, ValueType> cases[] = {{"ARTIEST", ValueType::kCharacter},
                                                       {"DATUM", ValueType::kDate},
                                                       {"AANTAL", ValueType::kNumeric},
                                                       {"CD", ValueType::kLogical},
                                                       {"UPPER(CODE)=\"D\"", ValueType::kLogical}};
    for (const auto& [text, type] : cases)
        EXPECT_EQ(Compile(text)->type(), type) << text;
}

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

TEST_F(ExpressionTest, CharacterKeysAndUpperFollowingTheCodePage) {
    Set("ARTIEST", "Bj\xf6rk");
    Set("TITEL", "Homogenic");
    Set("CODE", "ab");
    EXPECT_EQ(Key("ARTIEST"), Pad("Bj\xf6rk", 50));
    EXPECT_EQ(Key("UPPER(ARTIEST)+UPPER(TITEL)"), Pad("BJ\xd6RK", 50) + Pad("HOMOGENIC", 50));
    EXPECT_EQ(Key("CODE+'|'+\"x\"+[y]"), "ab  |xy");
    EXPECT_EQ(Key("UPPER(CODE+'\xe9')"), "AB  \xc9");
    EXPECT_EQ(Key("UPPE(code)"), "AB  ");  // four-letter abbreviation
    EXPECT_EQ(Key("MUZIEK->CODE"), "ab  ");

    const char text[] = "\xe9\xe0\xff\x9a\x9c\x9e\xdf\xb5\xf7z";  // éàÿšœžßµ÷z
    Set("CODE", std::string_view(text, 4));
    EXPECT_EQ(Key("UPPER(CODE)"), "\xc9\xc0\x9f\x8a");
    Set("TITEL", text);
    EXPECT_EQ(Key("UPPER(TITEL)"), Pad("\xc9\xc0\x9f\x8a\x8c\x8e\xdf\xb5\xf7Z", 50));
    EXPECT_EQ(Key("UPPER(TITEL)", 0x00), Pad(std::string(text, 9) + "Z", 50));  // ASCII only
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
    Set("JAAR", "1997");
    EXPECT_EQ(Key("STR(JAAR,4)+CODE"), "1997    ");
    EXPECT_EQ(Key("STR(-JAAR + 3, 6)"), " -1994");
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

TEST_F(ExpressionTest, DtosAndDateKeys) {
    // A blank, an impossible day and junk all key as a blank date.
    for (const char* blank : {"", "20230229", "2024\x01\x02xx"}) {
        Set("DATUM", blank);
        EXPECT_EQ(Key("DTOS(DATUM)"), "        ") << blank;
        EXPECT_EQ(Key("DATUM"), NumberKey(0)) << blank;
    }
    Set("DATUM", "20240229");
    EXPECT_EQ(Key("dTos(DATUM)"), "20240229");
    EXPECT_EQ(Key("DTOS(DATUM)+CODE"), "20240229    ");
    EXPECT_EQ(Key("DATUM"), NumberKey(double(JulianDay(2024, 2, 29))));
}

TEST_F(ExpressionTest, NumericKeys) {
    // Blank, overflowed ("***") and other garbage read as 0.
    const std::pair<const char*, double> prices[] = {
        {"", 0}, {"-12.50", -12.5}, {"***", 0}, {"  1e3", 1000}, {"nan", 0}};
    for (const auto& [text, value] : prices) {
        Set("PRIJS", text);
        EXPECT_EQ(Key("PRIJS"), NumberKey(value)) << text;
    }
    Set("JAAR", "1997");
    Set("PRIJS", "2.5");
    EXPECT_EQ(Key("JAAR + PRIJS * 2 - 1"), NumberKey(2001));
    EXPECT_EQ(Key("JAAR / 0"), NumberKey(0));
    SetBinary<int32_t>("AANTAL", -7);
    EXPECT_EQ(Key("AANTAL"), NumberKey(-7));
    SetBinary<double>("GEWICHT", 0.25);
    EXPECT_EQ(Key("GEWICHT"), NumberKey(0.25));
    SetBinary<int64_t>("WAARDE", 123456);
    EXPECT_EQ(Key("WAARDE"), NumberKey(12.3456));
    EXPECT_EQ(Key("STR(WAARDE, 8, 4)"), " 12.3456");
}

TEST_F(ExpressionTest, LogicalKeys) {
    for (const char value : std::string("TtYyFfNn? ")) {
        Set("CD", std::string(1, value));
        const bool yes = std::string("TtYy").find(value) != std::string::npos;
        EXPECT_EQ(Key("CD"), yes ? "T" : "F") << value;
        EXPECT_EQ(Filter("CD"), yes) << value;
        EXPECT_EQ(Filter(".NOT. CD"), !yes) << value;
    }
    EXPECT_EQ(Key(".T."), "T");
    EXPECT_FALSE(Compile("CODE")->EvaluateBool(record_.data()));  // not logical
}

TEST_F(ExpressionTest, FilterUpperCodeOverRecords) {
    const std::pair<const char*, bool> rows[] = {{"D", true},   {"d", true}, {"DX", true},
                                                 {"dvd", true}, {"", false}, {"CD", false},
                                                 {" D", false}};
    auto e = Compile("UPPER(CODE)=\"D\"");
    for (const auto& [code, match] : rows) {
        Set("CODE", code);
        EXPECT_EQ(e->EvaluateBool(record_.data()), match) << code;
    }
}

TEST_F(ExpressionTest, ExactOffComparisons) {
    Set("CODE", "Beat");
    ExpectFilters({{"CODE = 'Be'", true},
                   {"CODE = ''", true},
                   {"CODE = 'Beat'", true},
                   {"CODE = 'Beatles'", false},  // longer than the field
                   {"CODE == 'Beat '", false},   // five bytes against four
                   {"CODE == 'Beat'", true},
                   {"CODE == 'Be'", false},
                   {"CODE <> 'X'", true},
                   {"CODE # 'X' .AND. CODE != 'Y'", true},
                   {"CODE < 'C'", true},
                   {"CODE >= 'Be'", true},
                   {"CODE > 'Be'", false},
                   {"CODE < 'Beats'", true},
                   {"'Beatles' = CODE", true},
                   {"UPPER(CODE) = UPPER('bea')", true}});
}

TEST_F(ExpressionTest, LogicalOperatorsAndOtherComparisons) {
    Set("JAAR", "1997");
    Set("DATUM", "19970512");
    Set("GEKOCHT", "20010101");
    Set("CODE", "LP");
    ExpectFilters({{"JAAR = 1997 .and. CODE = 'LP'", true},
                   {"JAAR > 2000 .OR. CODE = 'L'", true},
                   {"!(JAAR >= 1990 .AND. JAAR <= 1999)", false},
                   {"DATUM < GEKOCHT", true},
                   {"DTOS(DATUM) >= '1997'", true},
                   {".NOT. .NOT. .T. .AND. .NOT. .F.", true},
                   {"DELETED()", false}});
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
