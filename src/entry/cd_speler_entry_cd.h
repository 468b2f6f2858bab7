// CdSpelerEntryCd: the entry screen's CD reader over the program's CD player (TCdSpeler). The
// main window installs one with SetEntryCd once its player exists. Header-only, so that only the
// program that owns the player links the CD library.
#pragma once

#include "cd/cd_speler.h"
#include "entry/entry_cd.h"

class CdSpelerEntryCd : public EntryCd {
public:
    // `speler` must outlive this reader.
    explicit CdSpelerEntryCd(TCdSpeler& speler) : speler_(speler) {}

    void OpenCDPlayer() override { speler_.OpenCDPlayer(); }
    bool ChkCD(uint32_t hfRecNo) override { return speler_.ChkCD(int(hfRecNo)); }
    int GetTracks() override { return speler_.GetTracks(); }
    CdTrackLength TrackLength(int track) override {
        // Whole seconds: the frames of the last second are dropped.
        const int seconds = speler_.device().TrackLengthFrames(track) / cdaudio::kFramesPerSecond;
        return {seconds / 60, seconds % 60};
    }

private:
    TCdSpeler& speler_;
};
