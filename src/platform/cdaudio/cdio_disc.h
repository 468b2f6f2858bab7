// CdioDisc: one source opened through libcdio, a CD drive or a disc image (CUE/BIN, cdrdao TOC,
// NRG), with the few things the device needs from it: its table of contents, raw audio sectors
// and, for a drive, its door. libcdio's own log goes nowhere (its default handler ends the
// program on an error); its first complaint is kept to explain a failed open.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "platform/cdaudio/disc_text.h"
#include "platform/cdaudio/disc_toc.h"
#include "platform/common/status.h"

typedef struct _CdIo CdIo_t;

namespace cdaudio {

inline constexpr int kSectorBytes = 2352;

class CdioDisc {
public:
    ~CdioDisc();
    CdioDisc(const CdioDisc&) = delete;
    CdioDisc& operator=(const CdioDisc&) = delete;

    // Opens the image file or drive `source`, or the system's default drive when it is "".
    // Fails, naming the source, when it does not exist, cannot be read, or is neither an image
    // libcdio reads nor a CD drive.
    static tunelo::Status Open(const std::string& source, std::unique_ptr<CdioDisc>* out);

    // The source as opened (the default drive's device name for "").
    const std::string& name() const { return name_; }
    bool is_image() const { return is_image_; }

    // Reads the table of contents. A drive without a disc gives an empty table; a table that
    // does not hold together (tracks out of order or beyond the end of the image) is an error.
    tunelo::Status ReadToc(DiscToc* toc) const;
    // The CD-TEXT of the audio tracks of `toc` (as ReadToc gave it); empty when there is none.
    // Texts that are not valid UTF-8 after libcdio's conversion are left out.
    DiscText ReadText(const DiscToc& toc) const;

    // Reads `count` raw audio sectors from `lsn` into `out` (count * 2352 bytes). False when
    // the sectors cannot be read. Safe on the thread that reads ahead for playing while the
    // owner asks about the door: the calls that reach the drive take turns.
    bool ReadAudio(int lsn, int count, char* out) const;

    // Drive door (not for images): open, close, and whether it is open (-1 when unknown).
    tunelo::Status OpenTray();
    tunelo::Status CloseTray();
    int TrayOpen() const;
    // True once when a drive reports that its disc changed since the last call.
    bool MediaChanged();

private:
    CdioDisc(CdIo_t* cdio, std::string name, bool is_image);

    CdIo_t* cdio_;
    mutable std::mutex drive_;  // one call into the drive at a time
    std::string name_;
    bool is_image_;
};

}  // namespace cdaudio
