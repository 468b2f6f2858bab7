// LibcdioDevice: the CdDevice of a real drive or a disc image opened through libcdio, playing
// digitally (see Playback). An image has a door of its own: Eject opens it (mode Open, no
// disc), CloseDoor closes it again with the disc stopped at track 1.
#pragma once

#include <memory>
#include <string>

#include "platform/cdaudio/cd_device.h"
#include "platform/cdaudio/cdio_disc.h"
#include "platform/cdaudio/disc_toc.h"
#include "platform/cdaudio/playback.h"

namespace cdaudio {

class LibcdioDevice : public CdDevice {
public:
    explicit LibcdioDevice(Playback::Output output);
    ~LibcdioDevice() override;

    tunelo::Status Open(const std::string& source) override;
    bool Reopen(const std::string& source) override;
    void Close() override;
    bool IsOpen() const override { return disc_ != nullptr; }
    Mode GetMode() override;
    int TrackCount() override;
    int TrackLengthFrames(int track) override;
    std::string MediaIdentity() override;
    DiscIds Ids() override;
    DiscText Text() override;
    DiscToc Toc() override;
    Tmsf Position() override;
    void Seek(int track) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    tunelo::Status Eject() override;
    tunelo::Status CloseDoor() override;

private:
    // Brings the state up to date with the world: the end of playing, and for a drive its
    // door and a changed disc.
    void Refresh();
    // Stops playing (if it does) and puts the position at the start of track 1, stopped.
    void Rewind();
    bool DoorOpen() const { return disc_ && (disc_->is_image() ? image_door_open_ : tray_open_); }
    // A disc with audio tracks is in a closed drive.
    bool Ready() const { return disc_ && !DoorOpen() && toc_.AudioTrackCount() > 0; }

    // What an open read, kept after Close for Reopen.
    struct Kept {
        std::string source;
        std::unique_ptr<CdioDisc> disc;
        DiscToc toc;
        DiscText text;
        std::string stamp;  // an image's size and time of change when it was read
    };
    // The size and time of change of an image file ("" for a drive or a file that is gone).
    static std::string Stamp(const std::string& source);

    Playback playback_;
    Kept kept_;
    std::string stamp_;  // Stamp() of the open source when it was read
    std::string source_;
    std::unique_ptr<CdioDisc> disc_;
    DiscToc toc_;
    DiscText text_;
    bool image_door_open_ = false;
    bool tray_open_ = false;
    Mode mode_ = Mode::Stop;  // Stop, Play or Pause while Ready
    int position_ = 0;        // the sector where playing would start, while not playing
};

}  // namespace cdaudio
