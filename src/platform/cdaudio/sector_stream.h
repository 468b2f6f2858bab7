// SectorStream: the PCM of a stretch of the disc as a QIODevice that an audio sink pulls from.
// Sectors are read on demand, a quarter of a second at a time, so only a little of the disc is
// ever in memory. Sectors of data tracks, and sectors that cannot be read, come out as silence.
#pragma once

#include <QByteArray>
#include <QIODevice>

#include "platform/cdaudio/cdio_disc.h"
#include "platform/cdaudio/disc_toc.h"

namespace cdaudio {

class SectorStream : public QIODevice {
    Q_OBJECT

public:
    // Streams sectors [from, end) of `disc`; both must outlive the stream.
    SectorStream(const CdioDisc& disc, const DiscToc& toc, int from, int end,
                 QObject* parent = nullptr);

    bool isSequential() const override { return true; }
    bool atEnd() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 maxlen) override;
    qint64 writeData(const char* data, qint64 len) override;

private:
    // Reads the next few sectors into buffer_.
    void Fill();

    const CdioDisc& disc_;
    const DiscToc& toc_;
    int next_;
    int end_;
    QByteArray buffer_;
    qint64 taken_ = 0;  // bytes of buffer_ already handed out
};

}  // namespace cdaudio
