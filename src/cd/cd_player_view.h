// CdPlayerView: what the CD logic changes on the main window. The widgets implement it; tests can
// leave it out (the logic then runs without any display).
#pragma once

#include <string>

class CdPlayerView {
public:
    virtual ~CdPlayerView() = default;

    // The player buttons (MediaPlayer1).
    virtual void SetPlayerVisible(bool visible) = 0;
    // The black track/time panel (CDPanel) together with the two menu commands about the disc.
    virtual void SetCdPanelVisible(bool visible) = 0;
    // The yellow "Playing intros" panel (Panel1).
    virtual void SetIntroPanelVisible(bool visible) = 0;
    // The CD panel's track ("07") and time within the track ("02:15").
    virtual void ShowPosition(const std::string& track, const std::string& time) = 0;
};
