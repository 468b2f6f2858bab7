// Reading the disc's sectors as a stream of PCM bytes.
#include "platform/cdaudio/sector_stream.h"

#include <algorithm>

namespace cdaudio {

namespace {

constexpr int kChunkSectors = 19;  // about a quarter of a second

}  // namespace

SectorStream::SectorStream(const CdioDisc& disc, const DiscToc& toc, int from, int end,
                           QObject* parent)
    : QIODevice(parent), disc_(disc), toc_(toc), next_(from), end_(std::max(from, end)) {}

bool SectorStream::atEnd() const {
    return taken_ == buffer_.size() && next_ >= end_;
}

qint64 SectorStream::bytesAvailable() const {
    return (buffer_.size() - taken_) + static_cast<qint64>(end_ - next_) * kSectorBytes +
           QIODevice::bytesAvailable();
}

qint64 SectorStream::readData(char* data, qint64 maxlen) {
    qint64 given = 0;
    while (given < maxlen) {
        if (taken_ == buffer_.size()) {
            if (next_ >= end_) {
                break;
            }
            Fill();
        }
        const qint64 n = std::min(maxlen - given, buffer_.size() - taken_);
        std::copy_n(buffer_.constData() + taken_, n, data + given);
        taken_ += n;
        given += n;
    }
    return given;
}

qint64 SectorStream::writeData(const char*, qint64) {
    return -1;
}

void SectorStream::Fill() {
    const int count = std::min(kChunkSectors, end_ - next_);
    buffer_.fill('\0', static_cast<qsizetype>(count) * kSectorBytes);
    taken_ = 0;
    // Read runs of audio sectors in one go; anything else stays silent.
    int i = 0;
    while (i < count) {
        if (!toc_.IsAudioSector(next_ + i)) {
            ++i;
            continue;
        }
        int run = 1;
        while (i + run < count && toc_.IsAudioSector(next_ + i + run)) {
            ++run;
        }
        char* at = buffer_.data() + static_cast<qsizetype>(i) * kSectorBytes;
        if (!disc_.ReadAudio(next_ + i, run, at)) {
            std::fill_n(at, static_cast<qsizetype>(run) * kSectorBytes, '\0');
        }
        i += run;
    }
    next_ += count;
}

}  // namespace cdaudio
