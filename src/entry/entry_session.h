// EntrySession: the logic of the entry screen without its widgets. It holds the texts of the
// fields (table bytes), the entry's state (its main-title record, the blank, reopened, changed and
// closing flags, track number and side) and what the screen shows and enables, and carries out
// every step of an entry: opening or reopening the source, look-up completion, saving tracks and
// the main title, sides, the repeat of values, reading the CD and closing.
//
// The screen copies a field's text into `fields` on every change and calls the matching
// operation, then shows the session again. Table failures throw TableError and leave the tables
// as they were; messages, sounds and status texts go through the Ui port.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "entry/disc_suggestion.h"
#include "entry/entry_cd.h"
#include "entry/entry_disc_lookup.h"
#include "entry/entry_settings.h"
#include "store/similar_sources.h"
#include "store/table_error.h"

class Catalogue;

// The fields of the screen, in tab order.
enum class EntryControl {
    InvDrager,
    InvNummer,
    InvKwaliteit,
    InvHoofdtitel,
    InvGenre1,
    InvLabel,
    InvHoofdartiest,
    InvArtiest,
    InvTitel,
    InvComponist,
    InvGenre2,
    InvUitvoering,
    InvTrefwoord,
    InvMin,
    InvSec,
    InvJaar,
};

// The numbers are kept as typed (-1 for an empty field); a save refuses one outside its range.
struct EntryFields {
    std::string drager;                                   // up to 10
    int64_t nummer = 1;                                   // 1..999999999
    std::string kwaliteit;                                // up to 3
    std::string hoofdtitel, genre1, label, hoofdartiest;  // 50, 30, 30, 50
    std::string artiest, titel, componist;                // 50 each
    std::string genre2, uitvoering, trefwoord;            // 30 each
    int minuten = 0;                                      // 0..999
    int seconden = 0;                                     // 0..59
    std::string jaar;                                     // up to 4 digits
};

class EntrySession {
public:
    static constexpr int kMaxTrack = 999;
    static constexpr int64_t kMaxNummer = 999999999;

    // `cd` may be nullptr: reading a CD then says the drive is not ready.
    EntrySession(Catalogue& catalogue, EntryCd* cd);

    EntryFields fields;

    // Opening the screen: reads the settings, fills the defaults and opens the source that was
    // left open, or a new one (a blank main-title record).
    void Start();
    // Continues the source named in cd.ini (Diversen/OpenDrager) or starts a new one.
    void CheckIfDragerOpen();
    // Appends the blank main-title record the new source will be written into.
    void PostRecord();
    // The side indicator from the carrier's lookup item; unknown carriers leave it.
    void GetKant(const std::string& carrier);
    // After every change of the carrier text: number from the carrier's counter, side, and the
    // CD track count cleared.
    void InvDragerChange();

    // After the text of look-up field `control` changed (main-title and track text fields):
    // records it as the last look-up field, suggests a stored value; artist and title also
    // decide whether the track can be saved.
    void LookupChanged(EntryControl control);
    // Look-up completion in the track table / the main-title table: suggests the first stored
    // value of `fieldName` in order `order` that begins with `text`, any case.
    void Seek_it1(const std::string& text, const char* fieldName, int order);
    void Seek_it2(const std::string& text, const char* fieldName, int order);
    // Puts the suggestion into the last look-up field and moves on.
    void Accept();
    // The focus came to `control`: an empty field for which the disc's CD-TEXT has a text gets
    // that text as the suggestion Accept puts in.
    void FieldEntered(EntryControl control);

    // True when the source's number is taken by another source; asks whether the first
    // available number of the carrier is wanted and puts it in the number field on Yes.
    bool SourceExists();
    // Saves the typed track (when artist and title are filled) and prepares the next one. False
    // when a check stopped it and nothing changed.
    bool WriteTracks(bool keepValues);
    // Values typed for two tracks in a row stay for the next one; the others are cleared.
    void HerhaalVelden();
    // Writes the main title into the entry's record and prepares the next source.
    void WriteHoofdtitel(bool newBlank);

    // The buttons. Those that end the screen return true when it is to close now.
    void NewSource();
    bool SaveAndClose();
    bool ToMorrow();
    void SideB();
    void CopyMainArtist();
    void ReadCdInfo();
    // --- Identifying the disc ---
    // The disc look-up (not owned; nullptr: none). With it, a new entry and Read CD info first
    // ask whether the catalogue has the disc, and Read CD info looks the disc up: the disc data
    // folder, then, when the user allows it, the internet. What is found is offered as the
    // CD-TEXT is; an online answer comes later, through the event loop.
    void SetDiscLookup(EntryDiscLookup* lookup) { lookup_ = lookup; }
    // Picks one of several releases (best fit first): its index, nothing when none was picked.
    std::function<std::optional<size_t>(const std::vector<discinfo::DiscCandidate>&)> pickRelease;
    // Shows the source with this SourceSeekKey (the source information screen).
    std::function<void(const std::string& sourceSeekKey)> showSource;
    // An online answer has changed what the screen shows.
    std::function<void()> lookupAnswered;
    // Offers the first text the disc has for a blank field, unless a suggestion is shown.
    void OfferFromDisc();
    // Stops an online look-up still running; nothing it finds is offered.
    void CancelLookup();
    // The user chose "Show it" for the disc when the entry opened: the screen closes.
    bool showItChosen() const { return showItChosen_; }
    // What the user should know about the suggestion (cut, marked characters); UTF-8.
    const std::string& foundNote() const { return foundNote_; }
    // The online look-up's progress, or what it ended with; UTF-8.
    const std::string& lookupStatus() const { return lookupStatus_; }
    bool lookingUp() const { return lookingUp_; }

    // --- A source the catalogue has already ---
    // Reads the main titles the typed main title and main artist are compared with, unless that
    // was done: the screen calls it once it is shown, so that no keystroke waits for it.
    void PrepareAlready();
    // What the screen says of the sources of the catalogue, other than this one, whose main title
    // and main artist read as those typed (table bytes); empty when there is none.
    const std::string& already() const { return already_; }
    // Opens the first of them (the source information screen); the entry stays as it is.
    void ShowAlready();

    // Marks the entry changed (purchase data or memo edited).
    void MarkChanged() { changed_ = true; }

    // Closing: whether the user lets it go ahead (asks when something would be lost), then the
    // clean-up: the unused blank record deleted, the main title written when tracks exist.
    bool CanClose();
    void Closing();

    // The items of one code for a pick list.
    std::vector<std::string> PickList(char code);

    // What the screen shows.
    const EntrySettings& settings() const { return settings_; }
    const std::string& found() const { return found_; }
    int trackNr() const { return trackNr_; }
    const std::string& kant() const { return kant_; }
    const std::string& autoTracks() const { return autoTracks_; }
    const std::string& label19() const { return label19_; }
    bool dragerEnabled() const { return dragerEnabled_; }
    bool nummerEnabled() const { return nummerEnabled_; }
    bool acceptEnabled() const { return acceptEnabled_; }
    bool nextTrackEnabled() const { return nextTrackEnabled_; }
    bool endButtonsEnabled() const { return endButtonsEnabled_; }  // New source, To-morrow, Save
    bool sideBEnabled() const { return sideBEnabled_; }
    bool readCdEnabled() const { return readCdEnabled_; }
    // The field to move the focus to after the last operation, once.
    std::optional<EntryControl> TakeFocus();

    // The entry's state.
    uint32_t hfRecNo() const { return hfRecNo_; }
    bool blank() const { return blank_; }
    bool reopened() const { return reopened_; }
    bool changed() const { return changed_; }
    bool closing() const { return closing_; }

private:
    std::string Upper(const std::string& text, bool tracks) const;
    std::string SeekKeyOf(const std::string& drager, int64_t nummer) const;
    // The carrier's counter; past the highest number, the carrier's first free number.
    int64_t CarrierCounter();
    // One above the carrier's highest source number, or when that is past the highest number
    // allowed, the carrier's lowest unused number; 0 when the carrier has every number.
    int64_t FirstFreeNumber(const std::string& drager);
    void ClearCdDisplay();
    // What the disc offers for `control`: the release found, else its CD-TEXT.
    SuggestedText SuggestionFor(EntryControl control) const;
    enum class InCatalogue { No, ShowIt, AddAnyway, AddAnywayTied };
    // Whether the catalogue holds the disc, and what the user wants then.
    InCatalogue AskCatalogue(const discinfo::DiscQuery& query);
    // The disc data folder, then the internet when allowed (asking once).
    void LookUpDisc(const discinfo::DiscQuery& query);
    bool OnlineAllowed();
    void OnlineAnswered(const std::vector<discinfo::DiscCandidate>& found,
                        const std::string& error);
    // Offers `found`, after the user picked one when there are several.
    void TakeRelease(std::vector<discinfo::DiscCandidate> found);
    // After an accepted disc suggestion: every blank field the disc has a text for gets it.
    void FillFromDisc();
    void Seek(bool tracks, const std::string& text, const char* fieldName, int order);
    // The failure of a save that still stored the track; throws when nothing was stored.
    std::optional<TableError> StoreTrack();
    void UpdateNextTrack();
    // After a change of the main title or main artist: the notice of a source already there.
    void CheckAlready();
    void SetField(EntryControl control, const std::string& text);
    std::string* FieldText(EntryControl control);

    Catalogue& catalogue_;
    EntryCd* cd_;
    EntrySettings settings_;

    uint32_t hfRecNo_ = 0;
    bool blank_ = false;
    bool reopened_ = false;
    bool changed_ = false;
    bool closing_ = false;
    bool limitReached_ = false;
    bool tracksStored_ = false;  // a track of this source is in the table
    std::optional<EntryControl> lastLookup_;
    bool alertHoofd_ = true;
    bool alertTrack_ = true;

    std::string found_;
    int trackNr_ = 1;
    std::string kant_;
    std::string autoTracks_ = " ";
    std::string label19_;
    int cdTrackCount_ = 0;  // tracks read from the CD for this source, 0: none
    CdDiscTexts cdTexts_;   // the CD-TEXT read for this source

    EntryDiscLookup* lookup_ = nullptr;
    discinfo::DiscQuery query_;                       // the disc read for this source
    std::optional<discinfo::DiscCandidate> release_;  // what was found for it
    bool foundFromDisc_ = false;                      // the suggestion shown is the disc's
    bool discAccepted_ = false;  // the user took the disc's texts: each track gets its own
    std::map<EntryControl, std::string> filled_;  // the texts the disc put in, while unchanged
    bool showItChosen_ = false;
    std::string foundNote_;
    std::string lookupStatus_;
    bool lookingUp_ = false;

    std::unique_ptr<SimilarSources> similar_;  // read once per screen
    bool similarFailed_ = false;               // a failed read is shown once, not per keystroke
    std::string already_;
    std::string alreadySource_;  // SourceSeekKey of the first source named

    bool dragerEnabled_ = true;
    bool nummerEnabled_ = true;
    bool acceptEnabled_ = false;
    bool nextTrackEnabled_ = false;
    bool endButtonsEnabled_ = false;
    bool sideBEnabled_ = false;
    bool readCdEnabled_ = true;
    std::optional<EntryControl> focus_;
};
