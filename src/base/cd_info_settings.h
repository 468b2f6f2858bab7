// The disc look-up's settings, cd.ini section CdInfo. Kept below the screens so that the
// preferences, the entry screen and the CD look-up read and write the same keys.
#pragma once

#include <string>

// cd.ini [CdInfo]: DiscData (the disc data folder; "" none), Online (absent: never asked, 0: no,
// 1: yes), MusicBrainz and Gnudb (the service roots; absent: the public services).
struct CdInfoSettings {
    enum class Online { NotAsked, No, Yes };
    std::string discData;
    Online online = Online::NotAsked;
    std::string musicBrainz;
    std::string gnudb;
};
CdInfoSettings ReadCdInfoSettings();
// False when cd.ini could not be written (the failure has been reported).
bool WriteCdInfoSettings(const CdInfoSettings& settings);
