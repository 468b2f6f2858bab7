#include "store/open_failure.h"

#include <filesystem>

#include "platform/common/file_names.h"
#include "store/folder_file.h"

namespace {

bool HasExtension(const std::string& file, const char* extension) {
    return tunelo::EqualsNoCase(std::filesystem::path(file).extension().string(), extension);
}

std::string Advice(const xbase::Status& status, const std::string& folder) {
    const std::string name = std::filesystem::path(status.file()).filename().string();
    if (status.IsLocked()) {
        return name +
               " is in use by another program. Close that program (or the other window "
               "of this program) and start again.";
    }
    if (HasExtension(name, ".cdx")) {
        return "Delete " + FolderFile(folder, "INDEX1.CDX") +
               " and start the program again: all index files are then built anew from the "
               "tables.";
    }
    if (HasExtension(name, ".fpt")) {
        return "The memo texts of hfdat.dat are kept in " + name +
               ". Restore hfdat.dat together with " + name + " from your backup and start again.";
    }
    const std::string fault =
        status.IsNotFound() ? " is missing" : " is damaged, or it is another table's file";
    return name + fault + ". Restore " + name +
           " from your backup and start again. Leave the index files as they are: deleting them "
           "does not repair a table.";
}

}  // namespace

std::string OpenFailureMessage(const xbase::Status& status, const std::string& folder) {
    return "The catalogue cannot be opened.\n" + status.ToString() + "\n\n" +
           Advice(status, folder);
}
