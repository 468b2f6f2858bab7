// TCdSpeler: the player buttons, the intro sequence, the once-a-second position display and the
// track list.
#include <cstdio>

#include "base/ini.h"
#include "base/text.h"
#include "cd/cd_player_view.h"
#include "cd/cd_speler.h"

namespace {

constexpr int kDefaultIntroTime = 10;

std::string Format2(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2d", value);
    return text;
}

}  // namespace

void TCdSpeler::StartIntro() {
    if (CDPlayerInUse()) {
        return;
    }
    if (IniReadString("Diversen", "IntroSpeeltijd") == kIniAbsent) {
        IniWriteString("Diversen", "IntroSpeeltijd", "10");
    }
    if (!DiscInDrive()) {
        ReportNotReady();
        return;
    }
    // Opened afresh, the disc stands at track 1, where the intros begin.
    if (!OpenDevice(true)) {
        cdOpenFailed_ = true;
        ReportInUse();
        return;
    }
    introTrackCount_ = GetTracks();
    introTrack_ = 1;
    introMode_ = true;
    device_->Play();
    EnableCDPanel();
    ShowIntroPanel(true);
}

void TCdSpeler::QuitIntro() {
    introMode_ = false;
    if (device_->IsOpen()) {
        device_->Seek(1);
        device_->Stop();
    }
    ShowIntroPanel(false);
    DisableCDPanel();
}

bool TCdSpeler::Timer1Timer() {
    if (cdPanelActive_) {
        const cdaudio::Tmsf at = device_->Position();
        if (view_ != nullptr) {
            view_->ShowPosition(Format2(at.track), Format2(at.minutes) + ":" + Format2(at.seconds));
        }
        // Read each tick, so that a changed intro time counts at once.
        if (introMode_ &&
            IniReadInteger("Diversen", "IntroSpeeltijd", kDefaultIntroTime) <= at.seconds) {
            if (introTrack_ == introTrackCount_) {
                introMode_ = false;
                ShowIntroPanel(false);
                EnableCDPanel();
                device_->Stop();
                return false;
            }
            ++introTrack_;
            device_->Stop();
            device_->Seek(introTrack_);
            device_->Play();
        }
    }
    if (cdPanelActive_ && GetCDMode() != 2) {
        OpenCDPlayer();
        DisableCDPanel();
        ShowIntroPanel(false);
    }
    return true;
}

void TCdSpeler::ClickPlayerButton(PlayerButton button) {
    // Play with the door open or no disc would do nothing at all: the user is told why.
    if (button == PlayerButton::Play && !DiscInDrive()) {
        ReportNotReady();
        return;
    }
    if (device_->IsOpen()) {
        const cdaudio::Tmsf at = device_->Position();
        switch (button) {
            case PlayerButton::Play:
                device_->Play();
                break;
            case PlayerButton::Pause:
                // The pause button also resumes a paused disc.
                if (device_->GetMode() == cdaudio::Mode::Pause) {
                    device_->Play();
                } else {
                    device_->Pause();
                }
                break;
            case PlayerButton::Stop:
                device_->Stop();
                break;
            case PlayerButton::Next:
                if (at.track < device_->TrackCount()) {
                    device_->Seek(at.track + 1);
                }
                break;
            case PlayerButton::Prev: {
                // At the very start of a track back to the one before, else to this one's start.
                const bool atStart = at.minutes == 0 && at.seconds == 0;
                device_->Seek(atStart && at.track > 1 ? at.track - 1 : std::max(at.track, 1));
                break;
            }
            case PlayerButton::Eject:
                (void)device_->Eject();
                break;
        }
    }
    MediaPlayer1PostClick(button);
}

void TCdSpeler::MediaPlayer1PostClick(PlayerButton button) {
    switch (button) {
        case PlayerButton::Play:
            OpenCDPlayer();
            EnableCDPanel();
            break;
        case PlayerButton::Stop:
            if (GetCDMode() == 6) {
                CloseCDDoor();
            }
            if (device_->IsOpen()) {
                device_->Seek(1);
            }
            DisableCDPanel();
            break;
        case PlayerButton::Eject:
            if (device_->IsOpen()) {
                device_->Seek(1);
            }
            DisableCDPanel();
            if (CurrentUi().Message(MsgKind::Confirmation,
                                    "Place or change the audio CD. Click on yes if you are ready.",
                                    MsgButtons::YesNo) == MsgAnswer::Yes &&
                GetCDMode() == 6) {
                CloseCDDoor();
            }
            break;
        case PlayerButton::Pause:
        case PlayerButton::Next:
        case PlayerButton::Prev:
            break;
    }
}

std::vector<std::string> TCdSpeler::ReadTrackList() {
    OpenCDPlayer();
    std::vector<std::string> lines;
    const int count = GetTracks();
    for (int t = 1; t <= count; ++t) {
        const int seconds = device_->TrackLengthFrames(t) / cdaudio::kFramesPerSecond;
        lines.push_back("Track " + ThreeDigits(std::to_string(t)) + "   [" +
                        TwoDigits(std::to_string(seconds / 60)) + ":" +
                        TwoDigits(std::to_string(seconds % 60)) + "]");
    }
    OpenCDPlayer();
    return lines;
}

void TCdSpeler::PlayCdTrack(int track) {
    if (!device_->IsOpen()) {
        return;
    }
    device_->Stop();
    device_->Seek(track);
    device_->Play();
}
