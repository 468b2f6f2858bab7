// The libcdio CD device.
#include "platform/cdaudio/libcdio_device.h"

#include <filesystem>

#include "platform/cdaudio/media_identity.h"

namespace cdaudio {

LibcdioDevice::LibcdioDevice(Playback::Output output) : playback_(output) {}

LibcdioDevice::~LibcdioDevice() {
    Close();
}

tunelo::Status LibcdioDevice::Open(const std::string& source) {
    // A drive plays on whoever opens it: reopening the source that plays keeps it playing.
    if (disc_ && source == source_) {
        Refresh();
        if (mode_ == Mode::Play && Ready()) {
            return tunelo::Status::OK();
        }
    }
    Close();
    std::unique_ptr<CdioDisc> disc;
    if (tunelo::Status s = CdioDisc::Open(source, &disc); !s.ok()) {
        return s;
    }
    DiscToc toc;
    if (tunelo::Status s = disc->ReadToc(&toc); !s.ok()) {
        return s;
    }
    text_ = disc->ReadText(toc);
    stamp_ = Stamp(source);
    disc_ = std::move(disc);
    toc_ = std::move(toc);
    source_ = source;
    image_door_open_ = false;
    tray_open_ = !disc_->is_image() && disc_->TrayOpen() == 1;
    Rewind();
    return tunelo::Status::OK();
}

std::string LibcdioDevice::Stamp(const std::string& source) {
    std::error_code ec;
    if (source.empty() || !std::filesystem::is_regular_file(source, ec)) {
        return "";
    }
    const auto size = std::filesystem::file_size(source, ec);
    const auto changed = std::filesystem::last_write_time(source, ec);
    return ec ? "gone"
              : std::to_string(size) + "@" + std::to_string(changed.time_since_epoch().count());
}

bool LibcdioDevice::Reopen(const std::string& source) {
    if (disc_ && source == source_) {
        Close();  // kept: taken back below
    }
    if (!kept_.disc || kept_.source != source) {
        return false;
    }
    // The disc must still be what was read: an unchanged image, a drive whose disc stayed.
    const bool same = kept_.disc->is_image()
                          ? Stamp(source) == kept_.stamp && kept_.stamp != "gone"
                          : kept_.disc->TrayOpen() != 1 && !kept_.disc->MediaChanged();
    if (!same) {
        kept_ = Kept();
        return false;
    }
    disc_ = std::move(kept_.disc);
    toc_ = std::move(kept_.toc);
    text_ = std::move(kept_.text);
    stamp_ = kept_.stamp;
    source_ = source;
    kept_ = Kept();
    image_door_open_ = false;
    tray_open_ = false;
    Rewind();
    return true;
}

void LibcdioDevice::Close() {
    playback_.Halt();
    if (disc_) {
        kept_ = Kept{source_, std::move(disc_), std::move(toc_), std::move(text_), stamp_};
    }
    disc_.reset();
    toc_ = DiscToc();
    text_ = DiscText();
    source_.clear();
    mode_ = Mode::Stop;
    position_ = 0;
}

void LibcdioDevice::Rewind() {
    playback_.Halt();
    mode_ = Mode::Stop;
    position_ = std::max(toc_.TrackStart(1), 0);
}

void LibcdioDevice::Refresh() {
    if (!disc_) {
        return;
    }
    if (!disc_->is_image()) {
        const bool was_open = tray_open_;
        tray_open_ = disc_->TrayOpen() == 1;
        if (tray_open_) {
            if (!was_open) {
                toc_ = DiscToc();
                text_ = DiscText();
                Rewind();
            }
            return;
        }
        if (was_open || toc_.tracks().empty() || disc_->MediaChanged()) {
            DiscToc toc;
            if (!disc_->ReadToc(&toc).ok()) {
                toc = DiscToc();
            }
            text_ = disc_->ReadText(toc);
            toc_ = std::move(toc);
            Rewind();
        }
    }
    if (mode_ == Mode::Play && !playback_.Running()) {
        // Played to the end: stopped, ready to start again at track 1.
        Rewind();
    }
}

Mode LibcdioDevice::GetMode() {
    Refresh();
    if (!disc_) {
        return Mode::NotReady;
    }
    if (DoorOpen()) {
        return Mode::Open;
    }
    return Ready() ? mode_ : Mode::NotReady;
}

int LibcdioDevice::TrackCount() {
    Refresh();
    return Ready() ? toc_.AudioTrackCount() : 0;
}

int LibcdioDevice::TrackLengthFrames(int track) {
    Refresh();
    return Ready() ? toc_.TrackLength(track) : 0;
}

std::string LibcdioDevice::MediaIdentity() {
    Refresh();
    return disc_ && !DoorOpen() ? MediaIdentityText(toc_) : std::string();
}

DiscIds LibcdioDevice::Ids() {
    Refresh();
    return Ready() ? ComputeDiscIds(toc_) : DiscIds();
}

DiscText LibcdioDevice::Text() {
    Refresh();
    return Ready() ? text_ : DiscText();
}

DiscToc LibcdioDevice::Toc() {
    Refresh();
    return Ready() ? toc_ : DiscToc();
}

Tmsf LibcdioDevice::Position() {
    Refresh();
    if (!Ready()) {
        return {};
    }
    return toc_.TmsfAt(mode_ == Mode::Play ? playback_.Current() : position_);
}

void LibcdioDevice::Seek(int track) {
    Refresh();
    if (!Ready() || toc_.TrackStart(track) < 0) {
        return;
    }
    position_ = toc_.TrackStart(track);
    if (mode_ == Mode::Play) {
        playback_.Start(*disc_, toc_, position_, toc_.PlayEnd());
    }
}

void LibcdioDevice::Play() {
    Refresh();
    if (!Ready() || mode_ == Mode::Play) {
        return;
    }
    playback_.Start(*disc_, toc_, position_, toc_.PlayEnd());
    mode_ = Mode::Play;
}

void LibcdioDevice::Pause() {
    Refresh();
    if (Ready() && mode_ == Mode::Play) {
        position_ = playback_.Halt();
        mode_ = Mode::Pause;
    }
}

void LibcdioDevice::Stop() {
    Refresh();
    if (!Ready()) {
        return;
    }
    if (mode_ == Mode::Play) {
        position_ = playback_.Halt();
    }
    mode_ = Mode::Stop;
}

tunelo::Status LibcdioDevice::Eject() {
    if (!disc_) {
        return tunelo::Status::NotFound("the CD drive", "no CD drive or disc image is open");
    }
    Rewind();
    if (disc_->is_image()) {
        image_door_open_ = true;
        return tunelo::Status::OK();
    }
    tunelo::Status s = disc_->OpenTray();
    Refresh();
    return s;
}

tunelo::Status LibcdioDevice::CloseDoor() {
    if (!disc_) {
        return tunelo::Status::NotFound("the CD drive", "no CD drive or disc image is open");
    }
    if (disc_->is_image()) {
        image_door_open_ = false;
        Rewind();
        return tunelo::Status::OK();
    }
    tunelo::Status s = disc_->CloseTray();
    Refresh();
    return s;
}

std::unique_ptr<CdDevice> CreateCdDevice() {
    return std::make_unique<LibcdioDevice>(Playback::Output::kDefaultDevice);
}

std::unique_ptr<CdDevice> CreateSilentCdDevice() {
    return std::make_unique<LibcdioDevice>(Playback::Output::kSilent);
}

}  // namespace cdaudio
