// BackgroundCdDevice: a CdDevice whose opening (spinning a drive up, reading its table of
// contents and CD-TEXT) runs on a worker thread, so that the window never waits for a drive.
// While the disc is being read the device reports no disc (mode NotReady, as a busy drive does);
// when the reading ends, the device the worker opened is taken over on the owner's thread and the
// owner is told. Reopening the disc that was read before, still in the drive, is immediate.
//
// Only the worker touches the inner device while it reads, and only the owner's thread after:
// every call but Open is answered without the inner device while reading. Results come back as a
// queued call on the owner's thread; no exception leaves the worker.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/cdaudio/cd_device.h"

namespace cdaudio {

class BackgroundCdDevice : public QObject, public CdDevice {
    Q_OBJECT
public:
    // How the worker opens the inner device (tests slow it down); by default inner.Open(source).
    using Opener = std::function<tunelo::Status(CdDevice& inner, const std::string& source)>;
    // Told on the owner's thread when reading starts (true) and when it ended (false, with how
    // the open went).
    using Listener = std::function<void(bool reading, const tunelo::Status& result)>;

    explicit BackgroundCdDevice(std::unique_ptr<CdDevice> inner, Opener opener = nullptr);
    // Waits for a worker that is still reading.
    ~BackgroundCdDevice() override;

    void setListener(Listener listener) { listener_ = std::move(listener); }
    // The disc is being read.
    bool Reading() const { return reading_; }

    // Starts reading `source` and returns OK at once (the outcome goes to the listener); the disc
    // read before, still there, is reopened at once instead.
    tunelo::Status Open(const std::string& source) override;
    bool Reopen(const std::string& source) override;
    void Close() override;
    bool IsOpen() const override { return reading_ || inner_->IsOpen(); }
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
    void StartReading(const std::string& source);
    // On the owner's thread, when the worker is done.
    void Finished(const tunelo::Status& result);

    std::unique_ptr<CdDevice> inner_;
    Opener opener_;
    Listener listener_;
    std::thread worker_;
    bool reading_ = false;
    std::string readingSource_;
    std::string wanted_;        // the source to read once the current reading ends
    bool closeWanted_ = false;  // Close came while reading
};

}  // namespace cdaudio
