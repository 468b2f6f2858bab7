// Reading a disc on a worker thread.
#include "platform/cdaudio/background_cd_device.h"

#include "platform/cdaudio/disc_toc.h"

#include <QMetaObject>
#include <exception>

namespace cdaudio {

BackgroundCdDevice::BackgroundCdDevice(std::unique_ptr<CdDevice> inner, Opener opener)
    : inner_(std::move(inner)), opener_(std::move(opener)) {
    if (!opener_) {
        opener_ = [](CdDevice& device, const std::string& source) { return device.Open(source); };
    }
}

BackgroundCdDevice::~BackgroundCdDevice() {
    if (worker_.joinable()) {
        worker_.join();
    }
}

tunelo::Status BackgroundCdDevice::Open(const std::string& source) {
    closeWanted_ = false;
    if (reading_) {
        wanted_ = source;  // read next, unless it is what is being read
        return tunelo::Status::OK();
    }
    if (inner_->Reopen(source)) {
        return tunelo::Status::OK();
    }
    StartReading(source);
    return tunelo::Status::OK();
}

bool BackgroundCdDevice::Reopen(const std::string& source) {
    return !reading_ && inner_->Reopen(source);
}

void BackgroundCdDevice::StartReading(const std::string& source) {
    if (worker_.joinable()) {
        worker_.join();  // it has posted its result already
    }
    inner_->Close();
    reading_ = true;
    readingSource_ = source;
    wanted_ = source;
    if (listener_) {
        listener_(true, tunelo::Status::OK());
    }
    CdDevice* inner = inner_.get();
    worker_ = std::thread([this, inner, source, opener = opener_] {
        tunelo::Status result;
        try {
            result = opener(*inner, source);
        } catch (const std::exception& e) {
            result = tunelo::Status::IOError(source, e.what());
        } catch (...) {
            result = tunelo::Status::IOError(source, "reading the disc failed");
        }
        // The owner joins this thread before it goes, so `this` is alive here; the queued call
        // is dropped if the owner is gone by the time it would run.
        QMetaObject::invokeMethod(
            this, [this, result] { Finished(result); }, Qt::QueuedConnection);
    });
}

void BackgroundCdDevice::Finished(const tunelo::Status& result) {
    if (worker_.joinable()) {
        worker_.join();
    }
    reading_ = false;
    bool abandoned = false;
    if (closeWanted_) {
        closeWanted_ = false;
        abandoned = true;  // closed meanwhile: how the open went no longer matters
        inner_->Close();
    } else if (wanted_ != readingSource_) {
        StartReading(wanted_);  // another source was asked for meanwhile
        return;
    }
    if (listener_) {
        listener_(false, abandoned ? tunelo::Status::OK() : result);
    }
}

void BackgroundCdDevice::Close() {
    if (reading_) {
        closeWanted_ = true;
        return;
    }
    inner_->Close();
}

Mode BackgroundCdDevice::GetMode() {
    return reading_ ? Mode::NotReady : inner_->GetMode();
}

int BackgroundCdDevice::TrackCount() {
    return reading_ ? 0 : inner_->TrackCount();
}

int BackgroundCdDevice::TrackLengthFrames(int track) {
    return reading_ ? 0 : inner_->TrackLengthFrames(track);
}

std::string BackgroundCdDevice::MediaIdentity() {
    return reading_ ? std::string() : inner_->MediaIdentity();
}

DiscIds BackgroundCdDevice::Ids() {
    return reading_ ? DiscIds() : inner_->Ids();
}

DiscText BackgroundCdDevice::Text() {
    return reading_ ? DiscText() : inner_->Text();
}

DiscToc BackgroundCdDevice::Toc() {
    return reading_ ? DiscToc() : inner_->Toc();
}

Tmsf BackgroundCdDevice::Position() {
    return reading_ ? Tmsf() : inner_->Position();
}

void BackgroundCdDevice::Seek(int track) {
    if (!reading_) {
        inner_->Seek(track);
    }
}

void BackgroundCdDevice::Play() {
    if (!reading_) {
        inner_->Play();
    }
}

void BackgroundCdDevice::Pause() {
    if (!reading_) {
        inner_->Pause();
    }
}

void BackgroundCdDevice::Stop() {
    if (!reading_) {
        inner_->Stop();
    }
}

tunelo::Status BackgroundCdDevice::Eject() {
    if (reading_) {
        return tunelo::Status::Locked(readingSource_, "the disc is being read");
    }
    return inner_->Eject();
}

tunelo::Status BackgroundCdDevice::CloseDoor() {
    if (reading_) {
        return tunelo::Status::Locked(readingSource_, "the disc is being read");
    }
    return inner_->CloseDoor();
}

}  // namespace cdaudio
