// CdDevice: an audio CD as the program uses it: a real drive or a disc image, its table of
// contents, the identity of the disc, and digital playback with a position in track, minutes,
// seconds and frames. Everything above this layer talks to a drive only through this interface.
//
// All calls run on the user-interface thread and return when the device has done what was asked.
#pragma once

#include <memory>
#include <string>

#include "platform/cdaudio/disc_ids.h"
#include "platform/cdaudio/disc_text.h"
#include "platform/common/status.h"

namespace cdaudio {

class DiscToc;

// 75 frames (sectors) make one second of CD audio.
inline constexpr int kFramesPerSecond = 75;

// A position on the disc: track, and minutes, seconds and frames within that track.
struct Tmsf {
    int track = 0;
    int minutes = 0;
    int seconds = 0;
    int frames = 0;
};

// The device modes; the numbers are what the program's mode query returns.
enum class Mode { NotReady = 0, Stop = 1, Play = 2, Record = 3, Seek = 4, Pause = 5, Open = 6 };

class CdDevice {
public:
    virtual ~CdDevice() = default;

    // Opens the drive or disc image named by `source` ("" = the system's default drive),
    // closing one opened before. Fails, naming the source, when it cannot be opened (no drive,
    // held by another program, not an image libcdio reads). The position starts at track 1.
    // Opening again the source that is playing keeps it playing, as a drive plays on whoever
    // opens it.
    virtual tunelo::Status Open(const std::string& source) = 0;
    // Opens `source` again from what an earlier open read, as Open would, when that disc is
    // still there and nothing needs reading; false (nothing changed) when Open has to read it.
    virtual bool Reopen(const std::string& source) {
        (void)source;
        return false;
    }
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;

    // NotReady when nothing is open or there is no audio disc; Open while the door is open.
    virtual Mode GetMode() = 0;
    // Audio tracks on the disc; 0 when none.
    virtual int TrackCount() = 0;
    // Frames from the start of `track` to the start of the next one; for the last track to the
    // lead-out minus one frame. 0 for a track that is not on the disc.
    virtual int TrackLengthFrames(int track) = 0;
    // The identity the platform's CD audio driver reports for the disc, as unsigned decimal
    // text; "" when there is no disc.
    virtual std::string MediaIdentity() = 0;
    // The disc's MusicBrainz and freedb IDs; empty when there is no disc.
    virtual DiscIds Ids() = 0;
    // The disc's CD-TEXT; empty when there is no disc or it carries none.
    virtual DiscText Text() = 0;
    // The disc's table of contents, for looking the disc up; empty when there is no disc. (A
    // device that cannot tell gives an empty one.)
    virtual DiscToc Toc();

    // Where playing is, or would start: follows the frames actually played.
    virtual Tmsf Position() = 0;
    // Moves to the start of `track` (1 .. TrackCount) without changing whether it plays.
    virtual void Seek(int track) = 0;
    // Plays from the position to the end of the disc; then the mode is Stop.
    virtual void Play() = 0;
    virtual void Pause() = 0;
    // Stops playing; the position stays where it was.
    virtual void Stop() = 0;
    // Opens the drive door (an image behaves as a drive whose door opens and closes).
    virtual tunelo::Status Eject() = 0;
    virtual tunelo::Status CloseDoor() = 0;
};

// The libcdio implementation, playing through the default audio output (silently, with the same
// position, when the machine has none).
std::unique_ptr<CdDevice> CreateCdDevice();
// The same device that never makes a sound: the position always advances with Clock::Now()
// (start sector + elapsed milliseconds * 75 / 1000), so tests read exact positions on any
// machine, with or without an audio output.
std::unique_ptr<CdDevice> CreateSilentCdDevice();

}  // namespace cdaudio
