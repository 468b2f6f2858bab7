// TCdSpeler: the device operations and the CD panel state.
#include "cd/cd_speler.h"

#include "base/feedback.h"
#include "base/ini.h"
#include "base/text.h"
#include "cd/cd_id.h"
#include "cd/cd_player_view.h"

namespace {

constexpr char kInUse[] =
    "The CD player is probably in use by an other program. Close the other program and try "
    "again!";
constexpr char kNotReady[] = "CD-ROM drive is not ready!";

}  // namespace

TCdSpeler::TCdSpeler(Catalogue& catalogue, std::unique_ptr<cdaudio::CdDevice> device)
    : catalogue_(catalogue), device_(std::move(device)) {}

TCdSpeler::~TCdSpeler() = default;

bool TCdSpeler::OpenDevice(bool fresh) {
    const std::string source = IniReadString("Opstart", "CdDevice", "");
    if (!fresh && device_->IsOpen() && source == openSource_) {
        // Closing would cut off a disc that plays, or close an image's door the user opened.
        const cdaudio::Mode mode = device_->GetMode();
        if (mode == cdaudio::Mode::Play || mode == cdaudio::Mode::Pause ||
            mode == cdaudio::Mode::Open) {
            return true;
        }
    }
    device_->Close();
    openSource_.clear();
    const tunelo::Status opened = device_->Open(source);
    // Only a drive that is there but cannot be had is in use; a missing image, no drive or an
    // unreadable image is simply not ready.
    openHeld_ = opened.code() == tunelo::Status::Code::kIOError ||
                opened.code() == tunelo::Status::Code::kLocked;
    // A named image that is not there is worth naming: "not ready" alone sends the user to the
    // drive.
    missingImage_ = opened.IsNotFound() && !source.empty() ? opened.file() : std::string();
    if (!opened.ok()) {
        return false;
    }
    openSource_ = source;
    return true;
}

void TCdSpeler::OpenCDPlayer() {
    cdOpenFailed_ = false;
    if (IniReadBool("Opstart", "ToonCdSpeler", false)) {
        ShowPlayer(true);
        if (!OpenDevice(false)) {
            cdOpenFailed_ = true;
            return;
        }
        if (GetCDMode() == 2) {
            EnableCDPanel();
        } else {
            DisableCDPanel();
        }
    } else {
        ShowPlayer(false);
        DisableCDPanel();
        device_->Close();
        openSource_.clear();
    }
}

void TCdSpeler::DiscRead(const tunelo::Status& result) {
    if (result.ok()) {
        return;
    }
    cdOpenFailed_ = true;
    openHeld_ = result.code() == tunelo::Status::Code::kIOError ||
                result.code() == tunelo::Status::Code::kLocked;
    missingImage_ = result.IsNotFound() && !openSource_.empty() ? result.file() : std::string();
    openSource_.clear();
}

int TCdSpeler::GetCDMode() {
    if (!device_->IsOpen()) {
        return 0;
    }
    return static_cast<int>(device_->GetMode());
}

int TCdSpeler::GetTracks() {
    return device_->IsOpen() ? device_->TrackCount() : 0;
}

int TCdSpeler::GetCDID() {
    if (!device_->IsOpen()) {
        return -1;
    }
    return CdIdFromText(device_->MediaIdentity());
}

void TCdSpeler::CloseCDDoor() {
    ShowStatus("Closing CD-ROM door...");
    (void)device_->CloseDoor();  // a door that stays open shows in the mode
    ShowStatus("");
}

void TCdSpeler::EnableCDPanel() {
    cdPanelActive_ = true;
    if (view_ != nullptr) {
        view_->SetCdPanelVisible(true);
    }
}

void TCdSpeler::DisableCDPanel() {
    cdPanelActive_ = false;
    if (view_ != nullptr) {
        view_->SetCdPanelVisible(false);
    }
}

void TCdSpeler::ShowPlayer(bool visible) {
    if (view_ != nullptr) {
        view_->SetPlayerVisible(visible);
    }
}

void TCdSpeler::ShowIntroPanel(bool visible) {
    if (view_ != nullptr) {
        view_->SetIntroPanelVisible(visible);
    }
}

bool TCdSpeler::CDPlayerInUse() {
    if (cdOpenFailed_) {
        OpenCDPlayer();
    }
    if (cdOpenFailed_) {
        ReportInUse();
        return true;
    }
    return false;
}

void TCdSpeler::ReportInUse() {
    if (!openHeld_) {
        ReportNotReady();
        return;
    }
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Information, kInUse, MsgButtons::Ok, 34);
}

bool TCdSpeler::DiscInDrive() {
    const int mode = GetCDMode();
    return mode != 0 && mode != 6;
}

void TCdSpeler::ReportNotReady() {
    PlayWave("error.wav");
    const std::string text =
        missingImage_.empty()
            ? std::string(kNotReady)
            : "CD-ROM drive is not ready: the disc image \"" + missingImage_ + "\" does not exist.";
    CurrentUi().Message(MsgKind::Information, text, MsgButtons::Ok, 34);
}

bool TCdSpeler::ReopenDevice() {
    cdOpenFailed_ = !OpenDevice(true);
    if (cdOpenFailed_) {
        ReportInUse();
        return false;
    }
    return true;
}

void TCdSpeler::ReportInitialized() {
    if (cdOpenFailed_) {
        ReportInUse();
        return;
    }
    if (GetCDMode() == 2) {
        EnableCDPanel();
    } else {
        DisableCDPanel();
    }
    const std::string device =
        openSource_.empty() ? "the CD drive" : "the disc image \"" + openSource_ + "\"";
    const std::string disc =
        DiscInDrive() ? "a disc of " + std::to_string(GetTracks()) + " track(s) is in it."
                      : "there is no disc in it.";
    CurrentUi().Message(MsgKind::Information,
                        "The CD player is initialized: it has opened " + device + ", and " + disc);
}

void TCdSpeler::StopTrack() {
    if (CDPlayerInUse()) {
        return;
    }
    DisableCDPanel();
    device_->Stop();
}

void TCdSpeler::EjectCD() {
    if (CDPlayerInUse()) {
        return;
    }
    DisableCDPanel();
    (void)device_->Eject();  // a door that does not open shows in the mode
    if (CurrentUi().Message(MsgKind::Confirmation,
                            "Place or change the audio CD. Click on yes if you are ready.",
                            MsgButtons::YesNo) == MsgAnswer::Yes &&
        GetCDMode() == 6) {
        CloseCDDoor();
    }
}

cdaudio::DiscIds TCdSpeler::DiscIds() {
    return device_->IsOpen() ? device_->Ids() : cdaudio::DiscIds();
}

cdaudio::DiscIds TCdSpeler::DiscIdsOf(const std::string& rmnr) {
    const std::string stored = Trim(rmnr);
    if (stored.empty() || !device_->IsOpen() || std::to_string(GetCDID()) != stored) {
        return {};
    }
    return device_->Ids();
}

void TCdSpeler::HideCdPlayer() {
    IniWriteBool("Opstart", "ToonCdSpeler", false);
    ShowPlayer(false);
    DisableCDPanel();
    // Nothing on the window could stop or show the disc any more.
    introMode_ = false;
    ShowIntroPanel(false);
    device_->Close();
    openSource_.clear();
}
