#include "store/open_failure.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/common/file_names.h"
#include "store/folder_file.h"

namespace {

bool HasExtension(const std::string& file, const char* extension) {
    return tunelo::EqualsNoCase(std::filesystem::path(file).extension().string(), extension);
}

bool Says(const xbase::Status& status, int error) {
    return status.message().find(std::strerror(error)) != std::string::npos;
}

// A catalogue that may not be written is not damaged: the tables are opened for writing.
std::string NotWritable(const xbase::Status& status, const std::string& folder,
                        const std::string& name) {
    if (Says(status, EROFS)) {
        return folder +
               " is read-only: it is on a disk that cannot be written to. The program writes "
               "to the catalogue's files as it works. Copy the catalogue to a folder on a "
               "writable disk and start the program there.";
    }
    const std::string what =
        ::access(folder.c_str(), W_OK) != 0 ? "The folder " + folder : name + " in " + folder;
    return what +
           " may not be written by you (it is read-only). The program writes to the catalogue's "
           "files as it works. Give yourself the right to write to the folder and its files, or "
           "copy the catalogue to a folder of your own, and start again.";
}

std::string Advice(const xbase::Status& status, const std::string& folder) {
    const std::string name = std::filesystem::path(status.file()).filename().string();
    if (status.IsLocked()) {
        return name +
               " is in use by another program. Close that program (or the other window "
               "of this program) and start again.";
    }
    if (Says(status, EROFS) || Says(status, EACCES) || Says(status, EPERM))
        return NotWritable(status, folder, name);
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
