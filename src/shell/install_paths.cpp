#include "shell/install_paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/work_dir.h"

// Where an installation keeps the template, seen from the folder of the installed program.
#ifndef TUNELO_INSTALLED_DATA_DIR
#define TUNELO_INSTALLED_DATA_DIR "../share/tunelo/data"
#endif
// The template of the source tree, for a program run from its build folder.
#ifndef TUNELO_DATA_DIR
#define TUNELO_DATA_DIR "/usr/share/tunelo/data"
#endif

namespace {

// The installation's template beside the running program; empty when the program is not
// installed (a build tree, or a test).
std::string InstalledTemplateFolder() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    const std::filesystem::path folder =
        (program.parent_path() / TUNELO_INSTALLED_DATA_DIR).lexically_normal();
    return std::filesystem::is_directory(folder, ec) ? folder.string() : std::string();
}

}  // namespace

std::string TemplateFolder() {
    const char* configured = std::getenv("TUNELO_DATA_DIR");
    if (configured != nullptr && *configured != '\0') {
        return configured;
    }
    // Found once: the program does not move while it runs.
    static const std::string installed = InstalledTemplateFolder();
    return installed.empty() ? TUNELO_DATA_DIR : installed;
}

std::string HelpFolder() {
    const std::string own = WorkFile("help");
    if (std::filesystem::is_directory(own)) {
        return own;
    }
    return TemplateFolder() + "/help";
}
