#include "shell/external_programs.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/ui.h"

namespace {

struct ProgramInfo {
    const char* key;
    const char* name;  // as the message names it
    const char* hint;
};

ProgramInfo Info(ExternalProgram program) {
    switch (program) {
        case ExternalProgram::Backup:
            return {"StartBackupFile", "BACKUP.EXE",
                    "Browse to the map \\Program Files\\Accessories."};
        case ExternalProgram::SpecialCharacters:
            return {"StartSpecialeTekensFile", "CHARMAP.EXE", "Browse to the map \\Windows"};
        case ExternalProgram::VolumeControl:
            return {"StartVolumeControl", "SNDVOL32.EXE", "Browse to the map \\Windows"};
    }
    return {"", "", ""};
}

bool IsFile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool Start(const std::string& path) {
    if (CurrentUi().StartProgram(path)) {
        return true;
    }
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Error, "The program " + path + " could not be started.");
    return false;
}

}  // namespace

const char* ExternalProgramKey(ExternalProgram program) {
    return Info(program).key;
}

bool StartExternalProgram(ExternalProgram program) {
    const ProgramInfo info = Info(program);
    const std::string stored = IniReadString("Opstart", info.key);
    if (IsFile(stored)) {
        return Start(stored);
    }
    PlayWave("ngev.wav");
    CurrentUi().Message(MsgKind::Information,
                        std::string(info.name) + " is not found! " + info.hint);
    const std::optional<std::string> chosen =
        CurrentUi().OpenFileName("Open", kProgramFileFilter, "");
    if (!chosen) {
        return false;
    }
    IniWriteString("Opstart", info.key, *chosen);
    return Start(*chosen);
}
