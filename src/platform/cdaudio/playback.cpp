// Playing the disc through the default audio output, or silently by the clock.
#include "platform/cdaudio/playback.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <algorithm>
#include <chrono>

#include "platform/cdaudio/sector_stream.h"

namespace cdaudio {

namespace {

// CD audio: 44.1 kHz, 16-bit, stereo.
QAudioFormat CdFormat() {
    QAudioFormat format;
    format.setSampleRate(44100);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

// About 300 ms of sound ahead of what is heard.
constexpr qsizetype kSinkBufferBytes = 22 * kSectorBytes;

bool SinkFailed(const QAudioSink& sink) {
    const QAudio::Error error = sink.error();
    return error != QAudio::NoError && error != QAudio::UnderrunError;
}

}  // namespace

Playback::Playback(Output output) : output_(output) {}

Playback::~Playback() {
    DropSink();
}

void Playback::Start(const CdioDisc& disc, const DiscToc& toc, int from, int end) {
    DropSink();
    from_ = from;
    end_ = std::max(from, end);
    running_ = from_ < end_;
    started_at_ = Clock::Now();
    if (running_ && output_ == Output::kDefaultDevice && !StartSink(disc, toc)) {
        DropSink();
    }
}

bool Playback::StartSink(const CdioDisc& disc, const DiscToc& toc) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = CdFormat();
    if (device.isNull() || !device.isFormatSupported(format)) {
        return false;
    }
    stream_ = std::make_unique<SectorStream>(disc, toc, from_, end_);
    stream_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->setBufferSize(kSinkBufferBytes);
    sink_->start(stream_.get());
    return !SinkFailed(*sink_);
}

void Playback::DropSink() {
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    stream_.reset();
}

int Playback::Current() {
    if (!running_) {
        return from_;
    }
    long long at = 0;
    if (sink_ && SinkFailed(*sink_)) {
        // The output went away: go on silently from where the sound was.
        const qint64 played = sink_->processedUSecs();
        DropSink();
        from_ = static_cast<int>(std::min<long long>(end_, from_ + played * 75 / 1000000));
        started_at_ = Clock::Now();
    }
    if (sink_) {
        const qint64 played = sink_->processedUSecs();
        at = from_ + played * 75 / 1000000;
        if (sink_->state() == QAudio::IdleState && stream_->atEnd()) {
            at = end_;
        }
    } else {
        const auto elapsed =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::Now() - started_at_)
                .count();
        at = from_ + std::max<long long>(elapsed, 0) * 75 / 1000;
    }
    if (at >= end_) {
        DropSink();
        running_ = false;
        from_ = end_;
        return end_;
    }
    return static_cast<int>(at);
}

bool Playback::Running() {
    Current();
    return running_;
}

int Playback::Halt() {
    const int at = Current();
    DropSink();
    running_ = false;
    from_ = at;
    return at;
}

}  // namespace cdaudio
