#include "store/catalogue_own_files.h"

#include <filesystem>

#include "platform/common/file_names.h"
#include "store/catalogue_folder.h"
#include "store/safety_copy.h"

namespace {

namespace fs = std::filesystem;

void AddFilesOf(const std::string& folder, std::vector<std::string>* files) {
    for (const std::string& name : CatalogueFilesIn(folder))
        files->push_back((fs::path(folder) / name).string());
}

}  // namespace

std::vector<std::string> CatalogueOwnFiles(const std::string& folder) {
    std::vector<std::string> files;
    AddFilesOf(folder, &files);
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (tunelo::EndsWithNoCase(name, ".wav") || tunelo::EndsWithNoCase(name, ".journal") ||
            tunelo::EndsWithNoCase(name, ".pending"))
            files.push_back(entry.path().string());
    }
    for (const SafetyCopy& copy : ListSafetyCopies(folder))
        AddFilesOf(copy.folder, &files);
    return files;
}
