// Opening sources through libcdio and reading from them.
#include "platform/cdaudio/cdio_disc.h"

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/logging.h>
#include <cdio/mmc.h>
#include <cdio/mmc_hl_cmds.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace cdaudio {

namespace {

// The first complaint since the last open began: the cause, where later ones are consequences.
thread_local std::string first_complaint;

void KeepComplaint(cdio_log_level_t level, const char* message) {
    if (level >= CDIO_LOG_WARN && message != nullptr && first_complaint.empty()) {
        first_complaint = message;
        while (!first_complaint.empty() &&
               std::isspace(static_cast<unsigned char>(first_complaint.back()))) {
            first_complaint.pop_back();
        }
    }
}

void SilenceLibcdio() {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(KeepComplaint); });
}

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

// The image drivers to try for a file, the likeliest first.
std::vector<driver_id_t> ImageDrivers(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".cue" || ext == ".bin") {
        return {DRIVER_BINCUE};
    }
    if (ext == ".toc") {
        return {DRIVER_CDRDAO};
    }
    if (ext == ".nrg") {
        return {DRIVER_NRG};
    }
    return {DRIVER_BINCUE, DRIVER_CDRDAO, DRIVER_NRG};
}

// A text libcdio handed out, or "" when there is none or it is not UTF-8 (a disc is not to be
// trusted with what it calls text).
std::string CdText(const cdtext_t* text, cdtext_field_t field, int track) {
    const char* value = cdtext_get_const(text, field, static_cast<track_t>(track));
    if (value == nullptr) {
        return "";
    }
    std::string s(value);
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t n = c < 0x80           ? 1
                         : (c >> 5) == 0x6  ? 2
                         : (c >> 4) == 0xE  ? 3
                         : (c >> 3) == 0x1E ? 4
                                            : 0;
        if (n == 0 || i + n > s.size() || (n == 1 && c < 0x20)) {
            return "";
        }
        for (size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
                return "";
            }
        }
        i += n;
    }
    while (!s.empty() && s.back() == ' ') {
        s.pop_back();
    }
    return s;
}

std::string WithComplaint(const std::string& what) {
    return first_complaint.empty() ? what : what + " (" + first_complaint + ")";
}

}  // namespace

CdioDisc::CdioDisc(CdIo_t* cdio, std::string name, bool is_image)
    : cdio_(cdio), name_(std::move(name)), is_image_(is_image) {}

CdioDisc::~CdioDisc() {
    cdio_destroy(cdio_);
}

tunelo::Status CdioDisc::Open(const std::string& source, std::unique_ptr<CdioDisc>* out) {
    SilenceLibcdio();
    first_complaint.clear();
    out->reset();
    if (source.empty()) {
        CdIo_t* cdio = cdio_open(nullptr, DRIVER_DEVICE);
        if (cdio == nullptr) {
            return tunelo::Status::NotFound("the CD drive", "no CD drive was found");
        }
        char* device = cdio_get_default_device(cdio);
        std::string name = device != nullptr ? device : "the CD drive";
        std::free(device);
        out->reset(new CdioDisc(cdio, name, false));
        return tunelo::Status::OK();
    }

    std::error_code ec;
    const auto status = std::filesystem::status(source, ec);
    if (ec || !std::filesystem::exists(status)) {
        return tunelo::Status::NotFound(source, "does not exist");
    }
    if (std::filesystem::is_directory(status)) {
        return tunelo::Status::InvalidArgument(source, "is a folder, not a disc image or CD drive");
    }
    if (access(source.c_str(), R_OK) != 0) {
        return tunelo::Status::IOError(source, "no permission to read it");
    }

    if (std::filesystem::is_block_file(status) || std::filesystem::is_character_file(status)) {
        CdIo_t* cdio = cdio_open(source.c_str(), DRIVER_DEVICE);
        if (cdio == nullptr) {
            return tunelo::Status::IOError(source, WithComplaint("cannot be opened as a CD drive"));
        }
        out->reset(new CdioDisc(cdio, source, false));
        return tunelo::Status::OK();
    }
    for (driver_id_t driver : ImageDrivers(source)) {
        if (CdIo_t* cdio = cdio_open(source.c_str(), driver)) {
            out->reset(new CdioDisc(cdio, source, true));
            return tunelo::Status::OK();
        }
    }
    return tunelo::Status::Corruption(source,
                                      WithComplaint("is not a disc image that can be read"));
}

tunelo::Status CdioDisc::ReadToc(DiscToc* toc) const {
    *toc = DiscToc();
    const track_t first = cdio_get_first_track_num(cdio_);
    const track_t count = cdio_get_num_tracks(cdio_);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK) {
        if (is_image_) {
            return tunelo::Status::Corruption(name_, "its table of contents cannot be read");
        }
        return tunelo::Status::OK();  // a drive without a disc
    }
    std::vector<TocTrack> tracks;
    for (int i = 0; i < count; ++i) {
        const auto number = static_cast<track_t>(first + i);
        const lsn_t lsn = cdio_get_track_lsn(cdio_, number);
        if (lsn == CDIO_INVALID_LSN) {
            return tunelo::Status::Corruption(
                name_, "the start of track " + std::to_string(number) + " cannot be read");
        }
        tracks.push_back({number, static_cast<int>(lsn),
                          cdio_get_track_format(cdio_, number) == TRACK_FORMAT_AUDIO});
    }
    const lsn_t leadout = cdio_get_track_lsn(cdio_, CDIO_CDROM_LEADOUT_TRACK);
    if (leadout == CDIO_INVALID_LSN) {
        return tunelo::Status::Corruption(name_, "the end of the disc cannot be read");
    }
    DiscToc read(std::move(tracks), static_cast<int>(leadout));
    if (std::string problem = read.Problem(); !problem.empty()) {
        return tunelo::Status::Corruption(name_, "table of contents: " + problem);
    }
    *toc = std::move(read);
    return tunelo::Status::OK();
}

DiscText CdioDisc::ReadText(const DiscToc& toc) const {
    DiscText read;
    const cdtext_t* text = cdio_get_cdtext(cdio_);
    if (text == nullptr) {
        return read;
    }
    read.title = CdText(text, CDTEXT_FIELD_TITLE, 0);
    read.performer = CdText(text, CDTEXT_FIELD_PERFORMER, 0);
    for (const TocTrack& t : toc.tracks()) {
        if (t.audio) {
            read.tracks.push_back({CdText(text, CDTEXT_FIELD_TITLE, t.number),
                                   CdText(text, CDTEXT_FIELD_PERFORMER, t.number)});
        }
    }
    return read;
}

bool CdioDisc::ReadAudio(int lsn, int count, char* out) const {
    const std::lock_guard<std::mutex> lock(drive_);
    return count > 0 && lsn >= 0 &&
           cdio_read_audio_sectors(cdio_, out, lsn, static_cast<uint32_t>(count)) ==
               DRIVER_OP_SUCCESS;
}

tunelo::Status CdioDisc::OpenTray() {
    const std::lock_guard<std::mutex> lock(drive_);
    first_complaint.clear();
    if (mmc_eject_media(cdio_) == DRIVER_OP_SUCCESS ||
        cdio_eject_media_drive(name_.c_str()) == DRIVER_OP_SUCCESS) {
        return tunelo::Status::OK();
    }
    return tunelo::Status::IOError(name_, WithComplaint("the drive door does not open"));
}

tunelo::Status CdioDisc::CloseTray() {
    const std::lock_guard<std::mutex> lock(drive_);
    first_complaint.clear();
    if (mmc_close_tray(cdio_) == DRIVER_OP_SUCCESS ||
        cdio_close_tray(name_.c_str(), nullptr) == DRIVER_OP_SUCCESS) {
        return tunelo::Status::OK();
    }
    return tunelo::Status::IOError(name_, WithComplaint("the drive door does not close"));
}

int CdioDisc::TrayOpen() const {
    const std::lock_guard<std::mutex> lock(drive_);
    const int status = mmc_get_tray_status(cdio_);
    return status == 0 || status == 1 ? status : -1;
}

bool CdioDisc::MediaChanged() {
    const std::lock_guard<std::mutex> lock(drive_);
    return cdio_get_media_changed(cdio_) == 1;
}

}  // namespace cdaudio
