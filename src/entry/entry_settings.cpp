// Reading the entry screen's settings from cd.ini.
#include "entry/entry_settings.h"

#include <algorithm>
#include <cctype>

#include "base/ini.h"
#include "base/text.h"

namespace {

bool Inv(const char* key) {
    return IniReadBool("Invoer", key, false);
}
bool Kap(const char* key) {
    return IniReadBool("Kapitaliseer", key, false);
}

}  // namespace

EntrySettings EntrySettings::Read() {
    EntrySettings s;
    s.defaultDrager = TrimRight(IniReadString("Invoer", "DefaultDrager", "          "));
    s.defaultKwaliteit = TrimRight(IniReadString("Invoer", "DefaultKwaliteit", "          "));
    // A year is digits; anything else would be stored as a year later on.
    std::string jaar = IniReadString("diversen", "VeldJaar", "").substr(0, 4);
    jaar = TrimRight(jaar);
    if (std::all_of(jaar.begin(), jaar.end(), [](unsigned char c) { return std::isdigit(c); }))
        s.veldJaar = jaar;

    s.invKwaliteit = Inv("Inv_Kwaliteit");
    s.invGenre1 = Inv("Inv_Genre1");
    s.invLabel = Inv("Inv_Label");
    s.invHoofdArtiest = Inv("Inv_HoofdArtiest");
    s.invComponist = Inv("Inv_Componist");
    s.invGenre2 = Inv("Inv_Genre2");
    s.invUitvoering = Inv("Inv_Uitvoering");
    s.invTijd = Inv("Inv_Tijd");
    s.invJaar = Inv("Inv_Jaar");
    s.invTrefwoord = Inv("Inv_Trefwoord");

    s.kHoofdtitel = Kap("K_Hoofdtitel");
    s.kGenre1 = Kap("K_Genre1");
    s.kLabel = Kap("K_Label");
    s.kHoofdartiest = Kap("K_Hoofdartiest");
    s.kComponist = Kap("K_Componist");
    s.kGenre2 = Kap("K_Genre2");
    s.kUitvoering = Kap("K_Uitvoering");
    s.kArtiest = Kap("K_Artiest");
    s.kTitel = Kap("K_titel");
    s.kTrefwoord = Kap("K_Trefwoord");

    s.accepteerButton = IniReadBool("Diversen", "AccepteerButton", false);
    s.volgendeTrackButton = IniReadBool("Diversen", "VolgendeTrackButton", false);
    s.zoekBeep = IniReadBool("Diversen", "ZoekBeep", false);
    s.meldBackupWindow = IniReadBool("Diversen", "MeldBackupWindow", false);
    s.hints = IniReadBool("Opstart", "Hints", false);
    return s;
}
