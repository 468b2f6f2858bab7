// Reading one xmcd record: what makes a text a disc record, and what the look-up takes from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/discinfo/disc_data_folder.h"

namespace discinfo {
namespace {

const std::string kHead = "# xmcd\n#\n# Track frame offsets:\n#\t150\n#  7650\n#\n";

TEST(XmcdRecordTest, WhatIsNoDiscRecordIsRefusedWithWhy) {
    const struct {
        std::string text;
        const char* error;
    } cases[] = {
        {"", "does not begin with \"# xmcd\": no disc record"},
        {"DISCID=0a000a02\n", "does not begin with \"# xmcd\": no disc record"},
        {"# xmcd\n# Disc length: 200 seconds\nDTITLE=A / B\n", "no \"# Track frame offsets:\""},
        {kHead + "DTITLE=A / B\n", "no \"# Disc length:\""},
        {kHead + "# Disc length: two hundred\n", "a disc length that is no number of seconds"},
        {"# xmcd\n# Track frame offsets:\n# 7650\n# 150\n# Disc length: 200\n",
         "track frame offsets out of order"},
        {kHead + "# Disc length: 200\nTTITLE99=x\n", "a track title of no track (TTITLE99)"},
        {kHead + "# Disc length: 200\nTTITLEx=x\n", "a track title of no track (TTITLEx)"},
        {kHead + std::string("DTITLE=A\0B\n", 11), "binary data: no disc record"},
        {kHead + std::string(kXmcdMostBytes, '#'), "larger than 1 MB: no disc record"},
    };
    for (const auto& c : cases) {
        XmcdRecord record;
        std::string error;
        EXPECT_FALSE(ParseXmcd(c.text, &record, &error)) << c.text.substr(0, 80);
        EXPECT_EQ(error, c.error) << c.text.substr(0, 80);
    }
    std::string many = "# xmcd\n# Track frame offsets:\n";
    for (int i = 0; i < 100; ++i)
        many += "# " + std::to_string(150 + i * 75) + "\n";
    XmcdRecord record;
    std::string error;
    EXPECT_FALSE(ParseXmcd(many + "# Disc length: 200\n", &record, &error));
    EXPECT_EQ(error, "more than 99 track frame offsets");
}

TEST(XmcdRecordTest, TheRecordGivesOffsetsLengthAndTexts) {
    // A length in "secs", CR LF line ends, a keyword without data,
    // a track title beyond the offsets and lines that are no keyword.
    const std::string text =
        "# xmcd\r\n#\r\n# Track frame offsets:\r\n#\t150\r\n#\t7650\r\n#\r\n"
        "# Disc length: 6200 secs\r\n#\r\nDISCID=0a00c802\r\nDTITLE=Only A Title\r\nDYEAR=94\r\n"
        "garbage line\r\nTTITLE0= Spaced  \r\nTTITLE1=Artist / Title\r\nTTITLE5=Beyond\r\n";
    XmcdRecord record;
    std::string error;
    ASSERT_TRUE(ParseXmcd(text, &record, &error)) << error;
    EXPECT_EQ(record.offsets, (std::vector<int>{150, 7650}));
    EXPECT_EQ(record.lengthSeconds, 6200);  // longer than a CD: still a record
    const DiscCandidate& c = record.candidate;
    EXPECT_EQ(c.artist, "Only A Title");
    EXPECT_EQ(c.title, "Only A Title");
    EXPECT_EQ(c.year, "");
    ASSERT_EQ(c.tracks.size(), 2u);
    EXPECT_EQ(c.tracks[0].title, "Spaced");
    // One divided title does not make a sampler.
    EXPECT_EQ(c.tracks[1].title, "Artist / Title");
    EXPECT_EQ(c.tracks[1].artist, "");
    EXPECT_EQ(c.tracks[0].seconds, 100);
    EXPECT_EQ(c.tracks[1].seconds, 6098);  // the length counts from the start of the lead-in
}

}  // namespace
}  // namespace discinfo
