// The PCM stream the audio output pulls: exactly the disc's sectors, read ahead, silence for
// data tracks, and an end.
#include "platform/cdaudio/sector_stream.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "support/disc_image.h"
#include "test_util.h"

namespace cdaudio {
namespace {

class SectorStreamTest : public testing::Test {
protected:
    void OpenImage(const std::vector<testutil::ImageTrack>& tracks) {
        const std::string cue = testutil::WriteMixedCueBinImage(dir.path().string(), tracks);
        ASSERT_TRUE(CdioDisc::Open(cue, &disc).ok());
        ASSERT_TRUE(disc->ReadToc(&toc).ok());
        std::ifstream in(dir.File("disc.bin"), std::ios::binary);
        bin.assign(std::istreambuf_iterator<char>(in), {});
    }
    // Everything the stream gives, read in pieces of `piece` bytes as the worker reads them.
    static QByteArray Drain(SectorStream& stream, int piece) {
        QByteArray all;
        while (!stream.atEnd()) {
            const QByteArray part = stream.read(piece);
            if (part.isEmpty()) {
                std::this_thread::yield();
            }
            all += part;
        }
        return all;
    }

    testutil::TempDir dir;
    std::unique_ptr<CdioDisc> disc;
    DiscToc toc;
    std::string bin;
};

TEST_F(SectorStreamTest, GivesTheSectorsOfTheStretchByteForByte) {
    OpenImage({{40, true}, {30, true}});
    SectorStream stream(*disc, toc, 25, 60);
    ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
    EXPECT_EQ(stream.bytesAvailable(), 35 * kSectorBytes);
    const QByteArray got = Drain(stream, 1000);
    ASSERT_EQ(got.size(), 35 * kSectorBytes);
    EXPECT_EQ(got.toStdString(), bin.substr(25 * kSectorBytes, 35 * kSectorBytes));
    EXPECT_TRUE(stream.atEnd());
}

TEST_F(SectorStreamTest, TracksSoundDifferent) {
    OpenImage({{2, true}, {2, true}});
    SectorStream stream(*disc, toc, 0, 4);
    ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
    const QByteArray got = Drain(stream, 4096);
    auto sample = [&](int sector, int i) {
        const auto* p =
            reinterpret_cast<const unsigned char*>(got.constData()) + sector * kSectorBytes + i * 4;
        return static_cast<std::int16_t>(p[0] | (p[1] << 8));
    };
    EXPECT_EQ(sample(0, 10), testutil::ImageToneSample(1, 10));
    EXPECT_EQ(sample(2, 10), testutil::ImageToneSample(2, 10));
    EXPECT_NE(testutil::ImageToneSample(1, 10), testutil::ImageToneSample(2, 10));
}

TEST_F(SectorStreamTest, DataSectorsAreSilent) {
    OpenImage({{10, true}, {10, false}});
    SectorStream stream(*disc, toc, 5, 20);
    ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
    const QByteArray got = Drain(stream, 7000);
    ASSERT_EQ(got.size(), 15 * kSectorBytes);
    EXPECT_EQ(got.left(5 * kSectorBytes).toStdString(),
              bin.substr(5 * kSectorBytes, 5 * kSectorBytes));
    EXPECT_EQ(got.mid(5 * kSectorBytes), QByteArray(10 * kSectorBytes, '\0'));
}

TEST_F(SectorStreamTest, AnEmptyStretchEndsAtOnce) {
    OpenImage({{10, true}});
    SectorStream stream(*disc, toc, 10, 4);
    ASSERT_TRUE(stream.open(QIODevice::ReadOnly));
    EXPECT_TRUE(stream.atEnd());
    EXPECT_TRUE(stream.read(100).isEmpty());
}

}  // namespace
}  // namespace cdaudio
