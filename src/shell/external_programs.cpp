#include "shell/external_programs.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "base/work_dir.h"

namespace fs = std::filesystem;

namespace {

struct ProgramInfo {
    const char* key;
    const char* role;  // what the program is for, when no program is stored
    // Programs of this kind that a desktop commonly has, to find a folder worth browsing.
    std::vector<const char*> usual;
};

ProgramInfo Info(ExternalProgram program) {
    switch (program) {
        case ExternalProgram::Backup:
            return {"StartBackupFile",
                    "backup program",
                    {"deja-dup", "backintime-qt", "backintime", "kbackup", "luckybackup"}};
        case ExternalProgram::SpecialCharacters:
            return {"StartSpecialeTekensFile",
                    "character map program",
                    {"gucharmap", "gnome-characters", "kcharselect"}};
        case ExternalProgram::VolumeControl:
            return {"StartVolumeControl",
                    "volume control program",
                    {"pavucontrol", "pavucontrol-qt", "pwvucontrol", "kmix"}};
    }
    return {"", "", {}};
}

std::string StoredPath(const ProgramInfo& info) {
    const std::string stored = Trim(IniReadString("Opstart", info.key));
    return stored == kIniAbsent ? std::string() : stored;
}

// A stored path as the program reads it: relative paths count from the catalogue folder.
fs::path Resolved(const std::string& stored) {
    const fs::path path(stored);
    return (path.is_absolute() ? path : fs::path(WorkDir()) / path).lexically_normal();
}

bool IsFile(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

bool IsInside(const fs::path& path, const fs::path& folder) {
    const fs::path relative = path.lexically_relative(folder);
    return !relative.empty() && *relative.begin() != "..";
}

bool InCatalogueFolder(const fs::path& program) {
    std::error_code error;
    const fs::path folder = fs::weakly_canonical(WorkDir(), error);
    const fs::path real = fs::weakly_canonical(program, error);
    return IsInside(program, fs::path(WorkDir()).lexically_normal()) || IsInside(real, folder);
}

// An existing folder to browse for the program: the nearest existing folder of the stored path,
// else the folder on PATH that holds a usual program of its kind, else /usr/bin.
std::string FolderToBrowse(const ProgramInfo& info, const std::string& stored) {
    std::error_code error;
    if (!stored.empty()) {
        for (fs::path folder = Resolved(stored).parent_path(); !folder.empty();
             folder = folder.parent_path()) {
            if (fs::is_directory(folder, error)) {
                return folder.string();
            }
            if (folder == folder.root_path()) {
                break;
            }
        }
    }
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const fs::path folder(std::string(rest.substr(0, colon)));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        for (const char* program : info.usual) {
            if (!folder.empty() && IsFile(folder / program)) {
                return folder.string();
            }
        }
    }
    return fs::is_directory("/usr/bin", error) ? "/usr/bin" : "/";
}

bool Start(const std::string& path) {
    if (CurrentUi().StartProgram(path)) {
        return true;
    }
    PlayWave("error.wav");
    CurrentUi().Message(MsgKind::Error, "The program " + path + " could not be started.");
    return false;
}

bool MayStart(const std::string& stored, const fs::path& program) {
    const bool relative = !fs::path(stored).is_absolute();
    if (!relative && !InCatalogueFolder(program)) {
        return true;
    }
    const std::string where = relative
                                  ? "cd.ini names the program \"" + stored +
                                        "\" by a path from the catalogue folder " + WorkDir() + "."
                                  : "The program " + program.string() +
                                        " lies in the catalogue folder " + WorkDir() + ".";
    return CurrentUi().Message(MsgKind::Warning,
                               where +
                                   " A catalogue folder can come from someone else: start a "
                                   "program from it only when you trust it. Do you want to "
                                   "start " +
                                   program.string() + "?",
                               MsgButtons::YesNo) == MsgAnswer::Yes;
}

}  // namespace

const char* ExternalProgramKey(ExternalProgram program) {
    return Info(program).key;
}

std::string ExternalProgramName(ExternalProgram program) {
    const std::string stored = StoredPath(Info(program));
    if (stored.empty()) {
        return std::string("your ") + Info(program).role;
    }
    return fs::path(stored).filename().string();
}

bool StartExternalProgram(ExternalProgram program) {
    const ProgramInfo info = Info(program);
    const std::string stored = StoredPath(info);
    if (!stored.empty() && IsFile(Resolved(stored))) {
        return MayStart(stored, Resolved(stored)) && Start(Resolved(stored).string());
    }
    const std::string name = stored.empty() ? "The " + std::string(info.role) : stored;
    const std::string folder = FolderToBrowse(info, stored);
    PlayWave("ngev.wav");
    CurrentUi().Message(MsgKind::Information,
                        name + " is not found! Browse to the folder " + folder + ".");
    const std::optional<std::string> chosen =
        CurrentUi().OpenFileName("Open", kProgramFileFilter, folder);
    if (!chosen) {
        return false;
    }
    IniWriteString("Opstart", info.key, *chosen);
    return Start(*chosen);
}
