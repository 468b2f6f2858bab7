#include "shell/install_paths.h"

#include <cstdlib>
#include <filesystem>

#include "base/work_dir.h"

#ifndef TUNELO_DATA_DIR
#define TUNELO_DATA_DIR "/usr/share/tunelo/data"
#endif

std::string TemplateFolder() {
    const char* configured = std::getenv("TUNELO_DATA_DIR");
    return configured != nullptr && *configured != '\0' ? configured : TUNELO_DATA_DIR;
}

std::string HelpFolder() {
    const std::string own = WorkFile("help");
    if (std::filesystem::is_directory(own)) {
        return own;
    }
    return TemplateFolder() + "/help";
}
