// TCdSpeler: the program's audio CD. It owns the CD device and the main window's CD state, and
// carries every CD operation the screens call: opening the device, its mode, tracks, track
// lengths and disc ID, tying a disc to its source in the catalogue (ChkCD), playing a track of a
// track record, stopping, ejecting, the intro sequence and the once-a-second position display.
//
// Toolkit-free: it changes the main window only through a CdPlayerView and reaches the user only
// through the Ui port. Operations that read or write the tables throw TableError; the event
// handlers that call them catch it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ui.h"
#include "platform/cdaudio/cd_device.h"
#include "platform/discinfo/disc_candidate.h"

class Catalogue;
class CdPlayerView;

class TCdSpeler {
public:
    // The buttons of the player (MediaPlayer1).
    enum class PlayerButton { Play, Pause, Stop, Next, Prev, Eject };
    // Opens the source information screen on the source with this SourceSeekKey.
    using SourceOpener = std::function<void(const std::string& sourceSeekKey)>;

    // `catalogue` must outlive the player. The device is not opened here: OpenCDPlayer does.
    TCdSpeler(Catalogue& catalogue, std::unique_ptr<cdaudio::CdDevice> device);
    ~TCdSpeler();
    TCdSpeler(const TCdSpeler&) = delete;
    TCdSpeler& operator=(const TCdSpeler&) = delete;

    // The widgets to keep up to date (not owned; null: none).
    void setView(CdPlayerView* view) { view_ = view; }
    // What DirectNaarCDInhoud opens once it found the disc's source; may be empty.
    void setSourceOpener(SourceOpener opener) { sourceOpener_ = std::move(opener); }
    cdaudio::CdDevice& device() { return *device_; }

    // --- The device ---

    // Opens the device named by cd.ini [Opstart] CdDevice (absent: the default drive) when
    // [Opstart] ToonCdSpeler is true, showing the player and the CD panel by the mode; otherwise
    // hides both and closes the device. A failed open only sets CDOpenFailed. A disc that is
    // playing or paused keeps playing: the open device is kept rather than cut off.
    void OpenCDPlayer();
    // The device finished reading the disc it was opened on in the background: a failure counts
    // as a failed open (CDOpenFailed), which the next CD command retries and reports.
    void DiscRead(const tunelo::Status& result);
    // 0 not ready (also while no device is open), 1 stopped, 2 playing, 4 seeking, 5 paused,
    // 6 door open.
    int GetCDMode();
    // Audio tracks on the disc; 0 without a disc or device.
    int GetTracks();
    // The disc's ID; -1 when it has none, no disc or device is there, or the identity text is not
    // a signed 32-bit number.
    int GetCDID();
    // Writes the length of CD track `track` as MINUTEN/SECONDEN into the current artdat.dat
    // record. A length of 0:00 is only written after the user says Yes; returns Yes, No or Abort
    // (Abort: the caller stops reading further tracks).
    MsgAnswer GetTrackTime(int track);
    // Closes the drive door, with a status text while it moves.
    void CloseCDDoor();
    // Shows / hides the CD panel and enables / disables the two menu commands about the disc.
    void EnableCDPanel();
    void DisableCDPanel();

    // --- The disc and the catalogue ---

    // True when the disc in the drive belongs to the source, or when its ID has just been stored
    // for it with the user's consent. hfRecNo 0: the source of the current artdat.dat record;
    // 1 or more: the caller stands hfdat.dat on that main-title record (a source being entered).
    // Every refusal shows its message. hfdat.dat is left in order 4 or 8, on the source's record.
    bool ChkCD(int hfRecNo);
    // Plays the CD track of artdat.dat record `trackRecNo` (decimal text) once ChkCD agrees, and
    // shows the CD panel. Leaves artdat.dat on that record.
    void PlayTrack(const std::string& trackRecNo);
    void StopTrack();
    // Opens the door and asks the user to place or change the disc; closes the door after Yes.
    void EjectCD();
    // True, after telling the user, when the device cannot be opened: held by another program,
    // or not ready (no drive, a missing image); a failed open is retried first.
    bool CDPlayerInUse();
    // False when there is no disc to play: an empty drive, an open door, or no device.
    bool DiscInDrive();
    // "CD-ROM drive is not ready!", with the error sound; a disc image named in cd.ini that does
    // not exist is named instead.
    void ReportNotReady();
    // "Initialize CD Player" in two steps, as a drive may read the disc in the background: opens
    // the device afresh (false, after telling the user, when it cannot), then, once the disc is
    // read, says what it opened and what disc is there, or why it could not.
    bool ReopenDevice();
    void ReportInitialized();

    // --- The player panel, intros and the track list ---

    // Plays the first IntroSpeeltijd seconds of every track, from track 1.
    void StartIntro();
    void QuitIntro();
    // One tick of Timer1: the position display, the intro sequence and the end-of-play check.
    // False when the clock must not be updated in this tick.
    bool Timer1Timer();
    // A player button: the button's own action on the device, then MediaPlayer1PostClick.
    void ClickPlayerButton(PlayerButton button);
    // What follows a button's own action (Play, Stop and Eject; the others nothing).
    void MediaPlayer1PostClick(PlayerButton button);
    // "&Hide CD Player": ToonCdSpeler off, player and panels hidden, device closed.
    void HideCdPlayer();
    // The lines of the track list, "Track 001   [03:45]", one per track of the disc.
    std::vector<std::string> ReadTrackList();
    // Plays CD track `track` from its start (the track list: no catalogue check).
    void PlayCdTrack(int track);
    // Finds the source of the disc in the drive by its ID and opens it through the source
    // opener; tells the user when the disc is not in the catalogue. hfdat.dat keeps its order and
    // record; artdat.dat stands on the source's first track.
    void DirectNaarCDInhoud();
    // The record number of the catalogue track that CD track `track` of the disc in the drive
    // is: the track with that number of the disc's source (the first by side). 0 when the disc
    // is not tied to a source or its source lacks the track. Both tables keep their order and
    // record.
    uint32_t CatalogueTrack(int track);
    // Adds CD track `track` to the playlist by its catalogue track; true when it was added.
    bool AddToPlayList(int track);
    // The source of the catalogue that the disc in the drive is (by its CD ID) or looks like (by
    // its track times); nullopt when none is, or without a disc. Tables keep order and record.
    std::optional<discinfo::DiscCandidate> SourceOfDisc();
    // Opens the source with this SourceSeekKey through the source opener.
    void OpenSource(const std::string& sourceSeekKey);
    // The MusicBrainz and freedb IDs of the disc in the drive; empty without one. The device is
    // not opened for it.
    cdaudio::DiscIds DiscIds();
    // The same, only when the disc in the drive is the one whose CD ID is `rmnr`.
    cdaudio::DiscIds DiscIdsOf(const std::string& rmnr);

    // The main window's CD state.
    bool CDOpenFailed() const { return cdOpenFailed_; }
    bool CDPanelActive() const { return cdPanelActive_; }
    bool IntroMode() const { return introMode_; }
    int IntroTrack() const { return introTrack_; }
    int IntroTrackCount() const { return introTrackCount_; }

private:
    // Opens the configured device; `fresh` closes an open one first even when it plays.
    bool OpenDevice(bool fresh);
    void ShowPlayer(bool visible);
    void ShowIntroPanel(bool visible);
    // The message of CDPlayerInUse: in use, or not ready when there was nothing to open.
    void ReportInUse();
    // Finds the main title whose RMNR is exactly `id`, in order 8.
    bool SeekCdId(const std::string& id);

    Catalogue& catalogue_;
    std::unique_ptr<cdaudio::CdDevice> device_;
    CdPlayerView* view_ = nullptr;
    SourceOpener sourceOpener_;
    std::string openSource_;  // what the device was opened on

    bool cdOpenFailed_ = false;
    bool openHeld_ = false;     // the last failed open found the drive held by another program
    std::string missingImage_;  // the disc image the last open did not find
    bool cdPanelActive_ = false;
    bool introMode_ = false;
    int introTrack_ = 0;
    int introTrackCount_ = 0;
};
