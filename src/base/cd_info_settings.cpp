#include "base/cd_info_settings.h"

#include <string_view>

#include "base/ini.h"

namespace {

constexpr std::string_view kCdInfoSection = "CdInfo";

// The key's value, "" when it is absent.
std::string ReadCdInfoKey(std::string_view key) {
    return IniReadString(kCdInfoSection, key, "");
}

}  // namespace

CdInfoSettings ReadCdInfoSettings() {
    CdInfoSettings settings;
    settings.discData = ReadCdInfoKey("DiscData");
    const std::string online = ReadCdInfoKey("Online");
    if (online == "1")
        settings.online = CdInfoSettings::Online::Yes;
    else if (!online.empty())
        settings.online = CdInfoSettings::Online::No;
    settings.musicBrainz = ReadCdInfoKey("MusicBrainz");
    settings.gnudb = ReadCdInfoKey("Gnudb");
    return settings;
}

bool WriteCdInfoSettings(const CdInfoSettings& settings) {
    if (!IniWriteString(kCdInfoSection, "DiscData", settings.discData))
        return false;
    if (settings.online != CdInfoSettings::Online::NotAsked &&
        !IniWriteString(kCdInfoSection, "Online",
                        settings.online == CdInfoSettings::Online::Yes ? "1" : "0"))
        return false;
    if (!settings.musicBrainz.empty() &&
        !IniWriteString(kCdInfoSection, "MusicBrainz", settings.musicBrainz))
        return false;
    return settings.gnudb.empty() || IniWriteString(kCdInfoSection, "Gnudb", settings.gnudb);
}
