// Settings files. Reading: defaults, name matching, blanks and quotes, the length cut, numbers.
// Writing: in-place changes that keep every other byte, placement of new keys and sections,
// refused names, file creation, permissions and name spelling, and a model check.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <utility>

#include "platform/profile/file_bytes.h"
#include "platform/profile/private_profile.h"
#include "platform/profile/profile_number.h"
#include "test_util.h"

namespace profile {
namespace {

using profiletest::ReadBytes;
using profiletest::WriteBytes;

class ProfileTest : public ::testing::Test {
protected:
    std::string Path() const { return dir_.File("cd.ini"); }
    PrivateProfile WithFile(const std::string& bytes) {
        WriteBytes(Path(), bytes);
        return PrivateProfile(Path());
    }

    // Writes `before`, applies one WriteString, and returns the file's bytes afterwards.
    std::string AfterWrite(const std::string& before, const std::string& section,
                           const std::string& key, const std::string& value) {
        WriteBytes(Path(), before);
        PrivateProfile ini(Path());
        Status status = ini.WriteString(section, key, value);
        EXPECT_TRUE(status.ok()) << status.ToString();
        return ReadBytes(Path());
    }

    testutil::TempDir dir_;
};

// A missing or unreadable file gives the defaults; Lookup tells the two apart and names the file.
TEST_F(ProfileTest, MissingOrUnreadableFileGivesDefaults) {
    for (const bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable ? "unreadable" : "missing");
        if (unreadable)
            std::filesystem::create_directory(Path());
        PrivateProfile ini(Path());
        EXPECT_EQ(ini.ReadString("Diversen", "Code_0001", "FOUT"), "FOUT");
        EXPECT_EQ(ini.ReadInteger("Diversen", "MeldBackup", 1), 1);
        EXPECT_FALSE(ini.ReadBool("Diversen", "Geluid", false));
        EXPECT_TRUE(ini.ReadBool("Diversen", "SluitButton", true));
        std::optional<std::string> value = "x";
        const Status status = ini.Lookup("Diversen", "Geluid", &value);
        EXPECT_EQ(status.ok(), !unreadable);
        if (unreadable)
            EXPECT_NE(status.ToString().find("cd.ini"), std::string::npos) << status.ToString();
        else
            EXPECT_FALSE(value.has_value());
    }
}

// What a read finds in a file: names match ignoring ASCII case and blanks, values lose blanks
// and matching quotes and are cut to 1023 bytes, the first of repeated sections and keys wins
// (keys only in a later copy are not seen), and stray lines and a UTF-8 mark are ignored.
TEST_F(ProfileTest, ReadsWhatTheFileHolds) {
    std::string longValue(1500, 'x');
    longValue[1022] = 'y';
    const struct {
        std::string file, section, key, value;
    } cases[] = {
        {"[Opstart]\r\nHints=1\r\n", "Diversen", "Hints", "FOUT"},
        {"[Opstart]\r\nHints=1\r\n", "Opstart", "ToonTijd", "FOUT"},
        {"[Opstart]\nToonBitmap=\n", "Opstart", "ToonBitmap", ""},
        {"[diversen]\nVeldJaar=1994\n", "DIVERSEN", "veldjaar", "1994"},
        {"[diversen]\n  [ Opstart ]  \n  hints  =  1  \n", " opstart ", " Hints ", "1"},
        // Windows-1252 e-acute and E-acute are different bytes and stay different names.
        {"[S]\n\xE9t\xE9=small\n", "s", "\xE9T\xE9", "small"},
        {"[S]\n\xE9t\xE9=small\n", "s", "\xC9T\xC9", "FOUT"},
        {"[S]\na=\t spaced out \t\n", "S", "a", "spaced out"},
        {"[S]\nb=\"  quoted  \"\n", "S", "b", "  quoted  "},
        {"[S]\nc='x'\n", "S", "c", "x"},
        {"[S]\nd=\"half\n", "S", "d", "\"half"},
        {"[S]\ne=\"\n", "S", "e", "\""},
        {"[S]\nf=a=b\n", "S", "f", "a=b"},
        {"[S]\nlong=" + longValue + "\n", "S", "long", longValue.substr(0, 1023)},
        {"[S]\nexact=" + std::string(1023, 'z'), "S", "exact", std::string(1023, 'z')},
        {"[D]\nk=1\nk=0\n[O]\n[d]\nk=0\nT=14\n", "D", "k", "1"},
        {"[D]\nk=1\nk=0\n[O]\n[d]\nk=0\nT=14\n", "D", "T", "FOUT"},
        {"orphan=1\n; c\n[S]\njust text\n;k=commented\n\nk=2\n", "S", "orphan", "FOUT"},
        {"orphan=1\n; c\n[S]\njust text\n;k=commented\n\nk=2\n", "S", "k", "2"},
        {"orphan=1\n; c\n[S]\njust text\n;k=commented\n\nk=2\n", "S", ";k", "FOUT"},
        {"[S]\nk=2\n[unclosed\nk=3\n", "unclosed", "k", "3"},
        {"\xEF\xBB\xBF[Opstart]\r\nHints=1\r\n", "Opstart", "Hints", "1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WithFile(c.file).ReadString(c.section, c.key, "FOUT"), c.value)
            << c.file.substr(0, 60) << " [" << c.section << "] " << c.key;
    }
}

TEST_F(ProfileTest, IntegersAndBools) {
    PrivateProfile ini = WithFile(
        "[N]\ndec=42\nneg=-17\nplus=+5\nhex=0x1F\nHEX=0XfF\ndollar=$10\nneghex=-$10\n"
        "garbage=12abc\nword=abc\nspaced=  8  \nbare=0x\nbig=99999999999\nmin=-2147483648\n"
        "allbits=$FFFFFFFF\nzero=0\nempty=\n");
    const std::pair<const char*, int> integers[] = {
        {"dec", 42},     {"neg", -17},     {"plus", 5},     {"hex", 31},   {"dollar", 16},
        {"neghex", -16}, {"garbage", 1},   {"word", 1},     {"spaced", 8}, {"bare", 1},
        {"big", 1},      {"min", INT_MIN}, {"allbits", -1}, {"empty", 1}};
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

TEST_F(ProfileTest, FirstWriteCreatesTheFile) {
    PrivateProfile ini(Path());
    ASSERT_TRUE(ini.WriteBool("Opstart", "Hints", true).ok());
    ASSERT_TRUE(ini.WriteInteger("Diversen", "MeldBackup", -3).ok());
    ASSERT_TRUE(ini.WriteBool("Opstart", "ToonTijd", false).ok());
    EXPECT_EQ(ReadBytes(Path()),
              "[Opstart]\r\nHints=1\r\nToonTijd=0\r\n\r\n[Diversen]\r\nMeldBackup=-3\r\n");
    EXPECT_EQ(ini.ReadInteger("Diversen", "MeldBackup", 1), -3);
}

// A new key goes after the last key of its section (right after the header of one without
// keys), a new section at the end; a change goes in place into the first of repeated sections
// and keys, keeping the key's spelling and the spacing before its value, and every other byte:
// CRLF line ends, Windows-1252 text, comments, an unknown section, a last line without its end.
TEST_F(ProfileTest, NewKeysSectionsAndChangesGoWhereTheFileHasThem) {
    const std::string settings =
        "; Tunelo instellingen\r\n\r\n[Opstart]\r\nToonWerkBalk=1\r\n"
        "ToonBitmap=C:\\Mijn Bestanden\\caf\xE9.bmp\r\n\r\n[Diversen]\r\n; wachtwoord\r\n"
        "Code_0001=\xCA\xC7\xCC\xCF\xCB\xC9\r\ntelopdatum = 14\r\n[Onbekend]\r\n"
        "Iets=\xE0 la carte\r\nTelOpDatum=99";
    std::string changed = settings;
    changed.replace(changed.find("= 14"), 4, "= 21");
    const struct {
        std::string before, section, key, value, after;
    } cases[] = {
        {settings, "Diversen", "TelOpDatum", "21", changed},
        {"[A]\r\nx=1\r\ny=2\r\n\r\n; about B\r\n[B]\r\nz=3\r\n", "a", "New", "v",
         "[A]\r\nx=1\r\ny=2\r\nNew=v\r\n\r\n; about B\r\n[B]\r\nz=3\r\n"},
        {"[A]\n\n[B]\n", "A", "k", "v", "[A]\nk=v\n\n[B]\n"},
        // The last line of the file without a line end gets one first.
        {"[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        {"[A]\r\nx=1\r\n", "Sortering", "PlayListVolgorde", "3",
         "[A]\r\nx=1\r\n\r\n[Sortering]\r\nPlayListVolgorde=3\r\n"},
        {"[A]\nx=1\n\n", "B", "k", "v", "[A]\nx=1\n\n[B]\nk=v\n"},
        {"; only a comment", "B", "k", "v", "; only a comment\r\n\r\n[B]\r\nk=v\r\n"},
        {"[D]\nk=1\n[d]\nk=2\n", "D", "k", "9", "[D]\nk=9\n[d]\nk=2\n"},
        {"[D]\nk=1\n[d]\nj=2\n", "D", "j", "9", "[D]\nk=1\nj=9\n[d]\nj=2\n"},
        {"[D]\nk=1\nk=2\n", "D", "k", "9", "[D]\nk=9\nk=2\n"},
        {"[Diversen]\n  veldjaar =\t1990   \n", "diversen", "VeldJaar", "2001",
         "[Diversen]\n  veldjaar =\t2001\n"},
        {"[S]\nk=old\n", "S", "k", "", "[S]\nk=\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AfterWrite(c.before, c.section, c.key, c.value), c.after) << c.before;
        EXPECT_EQ(PrivateProfile(Path()).ReadString(c.section, c.key, "FOUT"), c.value) << c.before;
    }
}

TEST_F(ProfileTest, BadNamesAndValuesAreRefusedAndNothingIsWritten) {
    const std::string before = "[S]\r\nk=1\r\n";
    WriteBytes(Path(), before);
    PrivateProfile ini(Path());
    const std::pair<const char*, const char*> bad[] = {
        {"", "k"},     {"  ", "k"},   {"a]b", "k"}, {"a=b", "k"}, {"a\nb", "k"},
        {"a\rb", "k"}, {"S", ""},     {"S", "a=b"}, {"S", "a]"},  {"S", "[a"},
        {"S", ";a"},   {"S", "a\nb"}, {"S", "a\r"}};
    for (const auto& [section, key] : bad) {
        EXPECT_EQ(ini.WriteString(section, key, "v").code(), Status::Code::kInvalidArgument)
            << section << " " << key;
    }
    Status status = ini.WriteString("S", "k", "two\r\nlines");
    EXPECT_EQ(status.code(), Status::Code::kInvalidArgument);
    EXPECT_NE(status.ToString().find("cd.ini"), std::string::npos);
    EXPECT_EQ(ReadBytes(Path()), before);
    // '[' inside a section name and '=' inside a value are harmless.
    EXPECT_TRUE(ini.WriteString("a[b", "k", "x=y").ok());
    EXPECT_EQ(ini.ReadString("a[b", "k", ""), "x=y");
}

// The file is found whatever the case of its name; a symbolic link stays a link.
TEST_F(ProfileTest, ExistingNameSpellingLinkAndPermissionsAreKept) {
    const std::string upper = dir_.File("CD.INI");
    WriteBytes(upper, "[S]\nk=1\n");
    ASSERT_EQ(::chmod(upper.c_str(), 0640), 0);
    PrivateProfile ini(Path());
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    ASSERT_TRUE(ini.WriteString("S", "k", "2").ok());
    EXPECT_FALSE(std::filesystem::exists(Path()));
    EXPECT_EQ(ReadBytes(upper), "[S]\nk=2\n");
    struct stat st;
    ASSERT_EQ(::stat(upper.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator()),
              1);
    std::filesystem::create_symlink("CD.INI", Path());
    ASSERT_TRUE(PrivateProfile(Path()).WriteString("S", "k", "3").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(Path()));
    EXPECT_EQ(ReadBytes(upper), "[S]\nk=3\n");
}

// A file made read-only is refused, never replaced behind the user's back; a file that holds a
// secret is readable by its owner only, from its first write on.
TEST_F(ProfileTest, ModeOfTheFileIsRespected) {
    struct Case {
        const char* before;  // nullptr: no file yet
        unsigned mode;
        const char* key;
        bool ok;
        unsigned after;
    } cases[] = {
        {"[S]\nk=1\n", 0444, "k", false, 0444},   {"[S]\nk=1\n", 0400, "k", false, 0400},
        {"[S]\nk=1\n", 0644, "Code", true, 0600}, {"[S]\nCode=x\n", 0644, "k", true, 0600},
        {nullptr, 0, "Code", true, 0600},         {"[S]\nk=1\n", 0664, "k", true, 0664},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(Path());
        if (c.before != nullptr) {
            WriteBytes(Path(), c.before);
            ASSERT_EQ(::chmod(Path().c_str(), c.mode), 0);
        }
        PrivateProfile ini(Path());
        ini.KeepSecret("S", "Code");
        const Status status = ini.WriteString("S", c.key, "2");
        const std::string what = std::string(c.before ? c.before : "no file") + " " + c.key;
        EXPECT_EQ(status.ok(), c.ok) << what << status.ToString();
        if (!c.ok) {
            EXPECT_NE(status.ToString().find(Path() + ": I/O error: read-only"), std::string::npos)
                << status.ToString();
            EXPECT_EQ(ReadBytes(Path()), c.before);
        }
        struct stat st;
        ASSERT_EQ(::stat(Path().c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, c.after) << what;
    }
}

TEST_F(ProfileTest, NoCachingBetweenObjects) {
    PrivateProfile writer(Path());
    PrivateProfile reader(Path());
    EXPECT_EQ(reader.ReadString("S", "k", "FOUT"), "FOUT");
    ASSERT_TRUE(writer.WriteString("S", "k", "1").ok());
    EXPECT_EQ(reader.ReadString("S", "k", "FOUT"), "1");
    WriteBytes(Path(), "[S]\nk=by hand\n");
    EXPECT_EQ(reader.ReadString("S", "k", "FOUT"), "by hand");
}

// Random writes through a handful of names in varying case, checked against a plain map after
// every step, starting from a file with clutter that must survive unchanged.
TEST_F(ProfileTest, RandomWritesAgreeWithAMap) {
    const std::string clutter_head = "; kop\r\nlos=1\r\n";
    WriteBytes(Path(), clutter_head + "[Z]\r\ntekst zonder is\r\n");
    PrivateProfile ini(Path());
    const std::string sections[] = {"Opstart", "Diversen", "Z"};
    const std::string keys[] = {"Hints", "Geluid", "TelOpDatum", "k"};
    std::map<std::pair<std::string, std::string>, std::string> model;
    std::mt19937 rng(1234);
    // The names are ASCII letters: case is bit 0x20.
    auto vary_case = [&](std::string name) {
        for (char& c : name)
            c = char(rng() % 2 ? c & ~0x20 : c);
        return name;
    };
    auto lower = [](std::string name) {
        for (char& c : name)
            c = char(c | 0x20);
        return name;
    };
    for (int step = 0; step < 200; ++step) {
        const std::string& section = sections[rng() % 3];
        const std::string& key = keys[rng() % 4];
        std::string value = "v" + std::to_string(rng() % 1000) + "\xE9";
        ASSERT_TRUE(ini.WriteString(vary_case(section), vary_case(key), value).ok());
        model[{lower(section), lower(key)}] = value;
        for (const std::string& s : sections) {
            for (const std::string& k : keys) {
                auto it = model.find({lower(s), lower(k)});
                EXPECT_EQ(ini.ReadString(s, k, "FOUT"), it == model.end() ? "FOUT" : it->second)
                    << "step " << step << " [" << s << "] " << k;
            }
        }
    }
    std::string bytes = ReadBytes(Path());
    EXPECT_EQ(bytes.substr(0, clutter_head.size()), clutter_head);
    EXPECT_NE(bytes.find("tekst zonder is\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);  // no LF crept into a CRLF file
}

}  // namespace
}  // namespace profile
