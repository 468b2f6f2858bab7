// Playback: plays a stretch of the disc and says which sector is being heard. With an audio
// output, sectors stream through a QAudioSink on the default output and the position follows
// the microseconds the sink has processed. Without one (no device, the sink fails, or a silent
// playback was asked for) nothing is heard and the position advances with Clock::Now():
// sector = start + elapsed milliseconds * 75 / 1000, so a test that sets the clock reads exact
// positions.
#pragma once

#include <memory>

#include "base/clock.h"
#include "platform/cdaudio/cdio_disc.h"
#include "platform/cdaudio/disc_toc.h"

class QAudioSink;

namespace cdaudio {

class SectorStream;

class Playback {
public:
    enum class Output { kDefaultDevice, kSilent };

    explicit Playback(Output output);
    ~Playback();
    Playback(const Playback&) = delete;
    Playback& operator=(const Playback&) = delete;

    // Starts playing sectors [from, end) of `disc` (both must stay alive while it plays),
    // stopping whatever played before.
    void Start(const CdioDisc& disc, const DiscToc& toc, int from, int end);
    // Stops playing and returns the sector reached.
    int Halt();
    // Whether it is still playing; turns false once the end is reached.
    bool Running();
    // The sector being heard now (the end once the end is reached).
    int Current();
    // Whether sound goes to an audio output (false when silent).
    bool Audible() const { return sink_ != nullptr; }

private:
    // Starts the sink; false when there is no usable audio output.
    bool StartSink(const CdioDisc& disc, const DiscToc& toc);
    void DropSink();

    Output output_;
    bool running_ = false;
    int from_ = 0;
    int end_ = 0;
    Clock::TimePoint started_at_;
    std::unique_ptr<SectorStream> stream_;
    std::unique_ptr<QAudioSink> sink_;
};

}  // namespace cdaudio
