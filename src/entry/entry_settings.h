// EntrySettings: the cd.ini settings the entry screen reads when it opens: its defaults, which
// optional fields are on, which fields are capitalised word by word, the default button and the
// not-found signal.
#pragma once

#include <string>

struct EntrySettings {
    std::string defaultDrager;     // Invoer/DefaultDrager, trailing blanks removed
    std::string defaultKwaliteit;  // Invoer/DefaultKwaliteit, trailing blanks removed
    std::string veldJaar;          // diversen/VeldJaar: digits only, at most 4

    // Invoer/Inv_*: the optional fields.
    bool invKwaliteit = false, invGenre1 = false, invLabel = false, invHoofdArtiest = false;
    bool invComponist = false, invGenre2 = false, invUitvoering = false, invTijd = false;
    bool invJaar = false, invTrefwoord = false;

    // Kapitaliseer/K_*: every word capitalised when true, the first letter only otherwise.
    bool kHoofdtitel = false, kGenre1 = false, kLabel = false, kHoofdartiest = false;
    bool kArtiest = false, kTitel = false, kComponist = false, kGenre2 = false;
    bool kUitvoering = false, kTrefwoord = false;

    bool accepteerButton = false;      // Diversen/AccepteerButton: Enter accepts the suggestion
    bool volgendeTrackButton = false;  // Diversen/VolgendeTrackButton: Enter saves the track
    bool zoekBeep = false;             // Diversen/ZoekBeep: oww.wav when nothing is found
    bool meldBackupWindow = false;     // Diversen/MeldBackupWindow: no backup reminder counting
    bool hints = false;                // Opstart/Hints

    // Reads every setting from cd.ini now.
    static EntrySettings Read();
};
