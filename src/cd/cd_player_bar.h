// TCdPlayerBar: the CD player's part of the main window's toolbar: the player buttons
// (MediaPlayer1), the CD panel (CDPanel) and the intro panel (Panel1), with the handlers of their
// buttons, pop-up menus and double clicks. It owns the TCdSpeler and is its view.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "cd/cd_player_view.h"
#include "cd/cd_speler.h"

class Catalogue;
class QLabel;
class TCdPanel;
class TIntroPanel;
class TMainForm;
class TMediaPlayer;

class TCdPlayerBar : public QWidget, public CdPlayerView {
    Q_OBJECT
public:
    // `form` (may be null in tests) gets the CD panel's state for its menu commands; `catalogue`
    // must outlive the bar.
    TCdPlayerBar(TMainForm* form, Catalogue& catalogue, std::unique_ptr<cdaudio::CdDevice> device,
                 QWidget* parent = nullptr);
    ~TCdPlayerBar() override;

    TCdSpeler& speler() { return *speler_; }
    TMediaPlayer* mediaPlayer() const { return mediaPlayer1_; }
    TCdPanel* cdPanel() const { return cdPanel_; }
    TIntroPanel* introPanel() const { return panel1_; }

    // "&Show tracks and time" and the double clicks on the CD panel: the track list.
    void Tracksentijden1Click();
    // "&Directly to source information".
    void DirectnaarCD1Click();
    // Instelling1: the intro-time window.
    void Instelling1Click();
    // One tick of Timer1; false when the clock must not change in this tick.
    bool Timer1Timer();

    void SetPlayerVisible(bool visible) override;
    void SetCdPanelVisible(bool visible) override;
    void SetIntroPanelVisible(bool visible) override;
    void ShowPosition(const std::string& track, const std::string& time) override;
    // The device reads the disc (true), or has read it with `result` (false).
    void DiscReading(bool reading, const tunelo::Status& result);

private:
    // Runs a handler, showing a table failure instead of letting it out of the event handler.
    void Guarded(const std::function<void()>& handler);
    void ConnectPopup(const char* name, std::function<void()> handler);

    TMainForm* form_;
    std::unique_ptr<TCdSpeler> speler_;
    TMediaPlayer* mediaPlayer1_;
    TCdPanel* cdPanel_;
    TIntroPanel* panel1_;
    QLabel* readingLab_;
    QWidget* panels_ = nullptr;    // the column of the panels beside the buttons
    bool reportWhenRead_ = false;  // "Initialize CD Player" waits for the disc to be read
};
