// SectorStream: the PCM of a stretch of the disc as a QIODevice that an audio sink pulls from.
// Sectors are read ahead on a worker thread, a quarter of a second at a time and up to about two
// seconds ahead, so that a slow drive never holds the thread that pulls the sound: what has not
// been read yet is simply not available yet. Sectors of data tracks, and sectors that cannot be
// read, come out as silence.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/cdaudio/cdio_disc.h"
#include "platform/cdaudio/disc_toc.h"

namespace cdaudio {

class SectorStream : public QIODevice {
    Q_OBJECT

public:
    // Streams sectors [from, end) of `disc`, which must outlive the stream.
    SectorStream(const CdioDisc& disc, DiscToc toc, int from, int end, QObject* parent = nullptr);
    // Stops the worker and waits for it.
    ~SectorStream() override;

    bool isSequential() const override { return true; }
    // Every sector of the stretch has been handed out.
    bool atEnd() const override;
    // The bytes of the stretch not handed out yet (read or still to be read).
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxlen) override;
    qint64 writeData(const char* data, qint64 len) override;

private:
    // The worker: reads chunks ahead until the end, or until told to stop.
    void ReadAhead();
    QByteArray ReadChunk(int from, int count) const;

    const CdioDisc& disc_;
    const DiscToc toc_;  // a copy: the device may read a new table while this plays
    const int end_;
    qint64 remaining_;  // bytes not yet handed out (the pulling thread's)
    QByteArray current_;
    qint64 taken_ = 0;  // bytes of current_ already handed out

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<QByteArray> ready_;  // chunks read, in disc order
    bool stop_ = false;
    int next_;  // the worker's next sector
    std::thread worker_;
};

}  // namespace cdaudio
