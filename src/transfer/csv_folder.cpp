#include "transfer/csv_folder.h"

#include <filesystem>

#include "base/ini.h"
#include "base/work_dir.h"

std::string LastCsvFolder() {
    const std::string folder = IniReadString("Diversen", "CsvFolder", "");
    return folder.empty() ? (std::filesystem::path(WorkDir()) / "csv").string() : folder;
}

void SetLastCsvFolder(const std::string& folder) {
    IniWriteString("Diversen", "CsvFolder", folder);
}
