#include "base/ini.h"

#include "base/ui.h"
#include "base/work_dir.h"
#include "platform/profile/private_profile.h"

namespace {

profile::PrivateProfile CdIni() {
    profile::PrivateProfile ini(IniFileName());
    // The password is kept in cd.ini: nobody but its owner may read the file.
    ini.KeepSecret("Diversen", "Code_0001");
    return ini;
}

bool Reported(const profile::Status& status) {
    if (status.ok()) {
        return true;
    }
    CurrentUi().Message(MsgKind::Error, "The settings could not be saved.\n" + status.ToString());
    return false;
}

}  // namespace

std::string IniFileName() {
    return WorkFile("cd.ini");
}

std::string IniReadString(std::string_view section, std::string_view key) {
    return IniReadString(section, key, kIniAbsent);
}

std::string IniReadString(std::string_view section, std::string_view key,
                          std::string_view fallback) {
    return CdIni().ReadString(section, key, fallback);
}

int IniReadInteger(std::string_view section, std::string_view key) {
    return IniReadInteger(section, key, 1);
}

int IniReadInteger(std::string_view section, std::string_view key, int fallback) {
    return CdIni().ReadInteger(section, key, fallback);
}

bool IniReadBool(std::string_view section, std::string_view key) {
    return IniReadBool(section, key, false);
}

bool IniReadBool(std::string_view section, std::string_view key, bool fallback) {
    return CdIni().ReadBool(section, key, fallback);
}

bool IniWriteString(std::string_view section, std::string_view key, std::string_view value) {
    return Reported(CdIni().WriteString(section, key, value));
}

bool IniWriteInteger(std::string_view section, std::string_view key, int value) {
    return Reported(CdIni().WriteInteger(section, key, value));
}

bool IniWriteBool(std::string_view section, std::string_view key, bool value) {
    return Reported(CdIni().WriteBool(section, key, value));
}

bool IniWriteWindowPos(std::string_view section, std::string_view keyLeft, std::string_view keyTop,
                       std::string_view keyWidth, std::string_view keyHeight, int left, int top,
                       int width, int height) {
    return IniWriteInteger(section, keyLeft, left) && IniWriteInteger(section, keyTop, top) &&
           IniWriteInteger(section, keyWidth, width) && IniWriteInteger(section, keyHeight, height);
}

std::string PrintIniFileName() {
    return WorkFile("print.ini");
}

std::string ReadPrintIni(std::string_view section, std::string_view key) {
    return profile::PrivateProfile(PrintIniFileName()).ReadString(section, key, "");
}

bool WritePrintIni(std::string_view section, std::string_view key, std::string_view value) {
    return Reported(profile::PrivateProfile(PrintIniFileName()).WriteString(section, key, value));
}
