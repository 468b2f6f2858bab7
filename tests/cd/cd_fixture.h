// Shared by the CD tests: a template catalogue, a generated disc image and the silent device.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/ini.h"
#include "base/text.h"
#include "base/work_dir.h"
#include "cd/cd_speler.h"
#include "platform/cdaudio/cd_device.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "support/disc_image.h"
#include "support/scripted_ui.h"
#include "test_util.h"

namespace cdtest {

// One second of CD audio.
inline constexpr int kSecond = cdaudio::kFramesPerSecond;

// The silent device, with an identity text a generated image cannot have, or held by another
// program so that it cannot be opened.
class ScriptedDevice : public cdaudio::CdDevice {
public:
    std::optional<std::string> identity;
    bool held = false;

    tunelo::Status Open(const std::string& source) override {
        return held ? tunelo::Status::IOError(source, "busy") : device_->Open(source);
    }
    void Close() override { device_->Close(); }
    bool IsOpen() const override { return device_->IsOpen(); }
    cdaudio::Mode GetMode() override { return device_->GetMode(); }
    int TrackCount() override { return device_->TrackCount(); }
    int TrackLengthFrames(int track) override { return device_->TrackLengthFrames(track); }
    std::string MediaIdentity() override { return identity.value_or(device_->MediaIdentity()); }
    cdaudio::DiscIds Ids() override { return device_->Ids(); }
    cdaudio::DiscText Text() override { return device_->Text(); }
    cdaudio::Tmsf Position() override { return device_->Position(); }
    void Seek(int track) override { device_->Seek(track); }
    void Play() override { device_->Play(); }
    void Pause() override { device_->Pause(); }
    void Stop() override { device_->Stop(); }
    tunelo::Status Eject() override { return device_->Eject(); }
    tunelo::Status CloseDoor() override { return device_->CloseDoor(); }

private:
    std::unique_ptr<cdaudio::CdDevice> device_ = cdaudio::CreateSilentCdDevice();
};

class CdTest : public testing::Test {
protected:
    CdTest() {
        SetWorkDir(folder());
        const auto made = CreateCatalogueFromTemplate(TUNELO_SOURCE_DIR "/data", folder());
        EXPECT_TRUE(made.ok()) << made.ToString();
        catalogue = std::make_unique<Catalogue>(folder());
        catalogue->OpenIndexes();
        Clock::Set(start);
    }
    ~CdTest() override { Clock::Reset(); }

    std::string folder() const { return dir.path().string(); }

    // Writes a disc image of tracks of these lengths (frames), names it in cd.ini and shows the
    // player.
    void InsertDisc(const std::vector<int>& frames, const std::string& name = "disc") {
        IniWriteString("Opstart", "CdDevice", testutil::WriteCueBinImage(folder(), frames, name));
        IniWriteBool("Opstart", "ToonCdSpeler", true);
    }
    // A player on the catalogue with the silent device.
    std::unique_ptr<TCdSpeler> MakePlayer() {
        return std::make_unique<TCdSpeler>(*catalogue, cdaudio::CreateSilentCdDevice());
    }
    // The player opened on the disc.
    std::unique_ptr<TCdSpeler> OpenPlayer() {
        auto player = MakePlayer();
        player->OpenCDPlayer();
        EXPECT_FALSE(player->CDOpenFailed());
        return player;
    }
    void At(std::chrono::milliseconds since) { Clock::Set(start + since); }

    // Appends a main title; returns its record number.
    uint32_t AddSource(const std::string& drager, int number, const std::string& title,
                       const std::string& rmnr = "") {
        TTable& hf = catalogue->dm2.HfTable;
        hf.Insert();
        hf.SetFieldAsString("DRAGER", drager);
        hf.SetFieldAsInteger("CDNUMMER", number);
        hf.SetFieldAsString("HTITEL", title);
        hf.SetFieldAsString("RMNR", rmnr);
        hf.Post();
        return catalogue->dm2.HfAccess.RecNo();
    }
    // Appends a track record, with its time when `seconds` is given; returns its record number.
    uint32_t AddTrack(const std::string& drager, int number, int track, int seconds = -1) {
        TTable& art = catalogue->dm1.ArtTable;
        art.Insert();
        art.SetFieldAsString("DRAGER", drager);
        art.SetFieldAsInteger("CDNUMMER", number);
        art.SetFieldAsInteger("TRACK", track);
        art.SetFieldAsString("TITEL", "Track " + std::to_string(track));
        if (seconds >= 0) {
            art.SetFieldAsString("MINUTEN", "0" + std::to_string(seconds / 60));
            art.SetFieldAsString("SECONDEN",
                                 (seconds % 60 < 10 ? "0" : "") + std::to_string(seconds % 60));
        }
        art.Post();
        return catalogue->dm1.ArtAccess.RecNo();
    }
    std::string Rmnr(uint32_t hfRecNo) {
        catalogue->dm2.HfAccess.Go(hfRecNo);
        return catalogue->dm2.HfAccess.GetString("RMNR").bytes();
    }

    const Clock::TimePoint start = Clock::TimePoint(std::chrono::seconds(1'700'000'000));
    testutil::TempDir dir;
    ScriptedUi ui;
    std::unique_ptr<Catalogue> catalogue;
};

}  // namespace cdtest
