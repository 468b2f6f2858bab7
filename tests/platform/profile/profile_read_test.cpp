// Reading settings: defaults, name matching, blanks and quotes, the length cut, numbers.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

#include "platform/profile/file_bytes.h"
#include "platform/profile/private_profile.h"
#include "platform/profile/profile_number.h"
#include "test_util.h"

namespace profile {
namespace {

using profiletest::WriteBytes;

class ProfileReadTest : public ::testing::Test {
protected:
    PrivateProfile WithFile(const std::string& bytes) {
        WriteBytes(dir_.File("cd.ini"), bytes);
        return PrivateProfile(dir_.File("cd.ini"));
    }

    testutil::TempDir dir_;
};

TEST_F(ProfileReadTest, AbsentFileSectionOrKeyGivesDefault) {
    PrivateProfile missing(dir_.File("cd.ini"));
    EXPECT_EQ(missing.ReadString("Diversen", "Code_0001", "FOUT"), "FOUT");
    EXPECT_EQ(missing.ReadInteger("Diversen", "MeldBackup", 1), 1);
    EXPECT_FALSE(missing.ReadBool("Diversen", "Geluid", false));
    EXPECT_TRUE(missing.ReadBool("Diversen", "SluitButton", true));
    std::optional<std::string> value = "x";
    EXPECT_TRUE(missing.Lookup("Diversen", "Geluid", &value).ok());
    EXPECT_FALSE(value.has_value());

    PrivateProfile ini = WithFile("[Opstart]\r\nHints=1\r\n");
    EXPECT_EQ(ini.ReadString("Diversen", "Hints", "FOUT"), "FOUT");
    EXPECT_EQ(ini.ReadString("Opstart", "ToonTijd", "FOUT"), "FOUT");
    EXPECT_EQ(ini.ReadString("Opstart", "Hints", "FOUT"), "1");
}

TEST_F(ProfileReadTest, EmptyValueIsPresentNotDefault) {
    PrivateProfile ini = WithFile("[Opstart]\nToonBitmap=\n");
    EXPECT_EQ(ini.ReadString("Opstart", "ToonBitmap", "FOUT"), "");
    EXPECT_EQ(ini.ReadInteger("Opstart", "ToonBitmap", 7), 7);
}

TEST_F(ProfileReadTest, NamesMatchIgnoringCaseAndBlanks) {
    PrivateProfile ini = WithFile("[diversen]\nVeldJaar=1994\n  [ Opstart ]  \n  hints  =  1  \n");
    EXPECT_EQ(ini.ReadString("Diversen", "veldjaar", "FOUT"), "1994");
    EXPECT_EQ(ini.ReadString("DIVERSEN", "VELDJAAR", "FOUT"), "1994");
    EXPECT_EQ(ini.ReadString("opstart", "Hints", "FOUT"), "1");
    EXPECT_EQ(ini.ReadString(" Opstart ", " Hints ", "FOUT"), "1");
}

TEST_F(ProfileReadTest, CaseIgnoredForAsciiLettersOnly) {
    // Windows-1252 e-acute and E-acute are different bytes and stay different names.
    PrivateProfile ini = WithFile("[S]\n\xE9t\xE9=small\n");
    EXPECT_EQ(ini.ReadString("s", "\xE9T\xE9", "FOUT"), "small");
    EXPECT_EQ(ini.ReadString("s", "\xC9T\xC9", "FOUT"), "FOUT");
}

TEST_F(ProfileReadTest, ValuesLoseSurroundingBlanksAndMatchingQuotes) {
    PrivateProfile ini =
        WithFile("[S]\na=\t spaced out \t\nb=\"  quoted  \"\nc='x'\nd=\"half\ne=\"\nf=a=b\n");
    const std::pair<const char*, const char*> cases[] = {{"a", "spaced out"}, {"b", "  quoted  "},
                                                         {"c", "x"},          {"d", "\"half"},
                                                         {"e", "\""},         {"f", "a=b"}};
    for (const auto& [key, value] : cases)
        EXPECT_EQ(ini.ReadString("S", key, ""), value) << key;
}

TEST_F(ProfileReadTest, LongValuesAreCutTo1023Bytes) {
    std::string long_value(1500, 'x');
    long_value[1022] = 'y';
    PrivateProfile ini =
        WithFile("[S]\nlong=" + long_value + "\nexact=" + std::string(1023, 'z') + "\n");
    std::string read = ini.ReadString("S", "long", "");
    ASSERT_EQ(read.size(), 1023u);
    EXPECT_EQ(read.back(), 'y');
    EXPECT_EQ(ini.ReadString("S", "exact", ""), std::string(1023, 'z'));
}

TEST_F(ProfileReadTest, FirstOfRepeatedSectionsAndKeysWins) {
    PrivateProfile ini = WithFile(
        "[Diversen]\nGeluid=1\nGeluid=0\n[Opstart]\nHints=1\n[diversen]\nGeluid=0\n"
        "TelOpDatum=14\n");
    EXPECT_TRUE(ini.ReadBool("Diversen", "Geluid", false));
    // The platform never looks into the second copy, even for keys only it has.
    EXPECT_EQ(ini.ReadString("Diversen", "TelOpDatum", "FOUT"), "FOUT");
}

TEST_F(ProfileReadTest, StrayLinesAreIgnored) {
    PrivateProfile ini =
        WithFile("orphan=1\n; comment\n[S]\njust text\n;k=commented\n\nk=2\n[unclosed\nk=3\n");
    EXPECT_EQ(ini.ReadString("S", "orphan", "FOUT"), "FOUT");
    EXPECT_EQ(ini.ReadString("S", "k", "FOUT"), "2");
    EXPECT_EQ(ini.ReadString("S", ";k", "FOUT"), "FOUT");
    EXPECT_EQ(ini.ReadString("unclosed", "k", "FOUT"), "3");
}

TEST_F(ProfileReadTest, Utf8MarkDoesNotHideFirstSection) {
    PrivateProfile ini = WithFile("\xEF\xBB\xBF[Opstart]\r\nHints=1\r\n");
    EXPECT_TRUE(ini.ReadBool("Opstart", "Hints", false));
}

TEST_F(ProfileReadTest, FileNameMatchesIgnoringCase) {
    WriteBytes(dir_.File("CD.INI"), "[Opstart]\nHints=1\n");
    PrivateProfile ini(dir_.File("cd.ini"));
    EXPECT_TRUE(ini.ReadBool("Opstart", "Hints", false));
}

TEST_F(ProfileReadTest, UnreadableFileGivesDefaultAndLookupTellsWhy) {
    std::filesystem::create_directory(dir_.File("cd.ini"));
    PrivateProfile ini(dir_.File("cd.ini"));
    EXPECT_EQ(ini.ReadString("S", "k", "FOUT"), "FOUT");
    std::optional<std::string> value;
    Status status = ini.Lookup("S", "k", &value);
    EXPECT_FALSE(status.ok());
    EXPECT_NE(status.ToString().find("cd.ini"), std::string::npos);
}

TEST_F(ProfileReadTest, IntegersAndBools) {
    PrivateProfile ini = WithFile(
        "[N]\ndec=42\nneg=-17\nplus=+5\nhex=0x1F\nHEX=0XfF\ndollar=$10\nneghex=-$10\n"
        "garbage=12abc\nword=abc\nspaced=  8  \nbare=0x\nbig=99999999999\nmin=-2147483648\n"
        "allbits=$FFFFFFFF\nzero=0\n");
    const std::pair<const char*, int> integers[] = {
        {"dec", 42},     {"neg", -17},     {"plus", 5},    {"hex", 31},   {"dollar", 16},
        {"neghex", -16}, {"garbage", 1},   {"word", 1},    {"spaced", 8}, {"bare", 1},
        {"big", 1},      {"min", INT_MIN}, {"allbits", -1}};
    for (const auto& [key, value] : integers)
        EXPECT_EQ(ini.ReadInteger("N", key, 1), value) << key;
    EXPECT_TRUE(ini.ReadBool("N", "dec", false));
    EXPECT_TRUE(ini.ReadBool("N", "neg", false));
    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "word", true));
    EXPECT_FALSE(ini.ReadBool("N", "word", false));
}

TEST(ProfileNumberTest, EdgesOfTheRange) {
    EXPECT_EQ(ParseProfileInteger("2147483647"), INT_MAX);
    EXPECT_EQ(ParseProfileInteger("0x80000000"), INT_MIN);
    EXPECT_EQ(ParseProfileInteger("0x000000000000001"), 1);
    const std::string refused[] = {
        "2147483648", "-2147483649", "0x100000000", std::string(5000, '9'), "", "-",
        "$",          "1 2",         "--1"};
    for (const std::string& text : refused)
        EXPECT_EQ(ParseProfileInteger(text), std::nullopt) << text;
}

}  // namespace
}  // namespace profile
