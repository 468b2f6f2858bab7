// Reading the disc's sectors ahead as a stream of PCM bytes.
#include "platform/cdaudio/sector_stream.h"

#include <algorithm>

namespace cdaudio {

namespace {

constexpr int kChunkSectors = 19;   // about a quarter of a second
constexpr size_t kChunksAhead = 8;  // about two seconds

}  // namespace

SectorStream::SectorStream(const CdioDisc& disc, DiscToc toc, int from, int end, QObject* parent)
    : QIODevice(parent),
      disc_(disc),
      toc_(std::move(toc)),
      end_(std::max(from, end)),
      remaining_(static_cast<qint64>(end_ - from) * kSectorBytes),
      next_(from) {
    worker_ = std::thread([this] { ReadAhead(); });
}

SectorStream::~SectorStream() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

bool SectorStream::atEnd() const {
    return remaining_ == 0 && QIODevice::bytesAvailable() == 0;  // nor in QIODevice's buffer
}

qint64 SectorStream::bytesAvailable() const {
    return remaining_ + QIODevice::bytesAvailable();
}

qint64 SectorStream::readData(char* data, qint64 maxlen) {
    qint64 given = 0;
    while (given < maxlen) {
        if (taken_ == current_.size()) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (ready_.empty()) {
                break;  // not read yet: the sink asks again
            }
            current_ = std::move(ready_.front());
            ready_.pop_front();
            taken_ = 0;
            wake_.notify_all();  // room for one more chunk
        }
        const qint64 n = std::min(maxlen - given, current_.size() - taken_);
        std::copy_n(current_.constData() + taken_, n, data + given);
        taken_ += n;
        given += n;
    }
    remaining_ -= given;
    return given;
}

qint64 SectorStream::writeData(const char*, qint64) {
    return -1;
}

void SectorStream::ReadAhead() {
    for (;;) {
        int from = 0;
        int count = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || ready_.size() < kChunksAhead; });
            if (stop_ || next_ >= end_) {
                return;
            }
            from = next_;
            count = std::min(kChunkSectors, end_ - next_);
        }
        QByteArray chunk = ReadChunk(from, count);
        std::lock_guard<std::mutex> lock(mutex_);
        ready_.push_back(std::move(chunk));
        next_ = from + count;
    }
}

QByteArray SectorStream::ReadChunk(int from, int count) const {
    QByteArray chunk(static_cast<qsizetype>(count) * kSectorBytes, '\0');
    // Read runs of audio sectors in one go; anything else stays silent.
    int i = 0;
    while (i < count) {
        if (!toc_.IsAudioSector(from + i)) {
            ++i;
            continue;
        }
        int run = 1;
        while (i + run < count && toc_.IsAudioSector(from + i + run)) {
            ++run;
        }
        char* at = chunk.data() + static_cast<qsizetype>(i) * kSectorBytes;
        if (!disc_.ReadAudio(from + i, run, at)) {
            std::fill_n(at, static_cast<qsizetype>(run) * kSectorBytes, '\0');
        }
        i += run;
    }
    return chunk;
}

}  // namespace cdaudio
