#include "base/work_dir.h"

#include <filesystem>

#include "platform/common/file_names.h"

namespace {

std::string& StartDirectory() {
    static std::string folder = std::filesystem::current_path().string();
    return folder;
}

}  // namespace

std::string WorkDir() {
    return StartDirectory();
}

void SetWorkDir(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    StartDirectory() = std::move(folder);
}

std::string WorkFile(std::string_view name) {
    return tunelo::ResolvePathNoCase(WorkDir() + "/" + std::string(name));
}
