#include "store/folder_file.h"

#include "platform/common/file_names.h"

std::string FolderFile(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return tunelo::ResolvePathNoCase(path);
}

bool FolderHasFile(const std::string& folder, std::string_view name) {
    return tunelo::FileExistsNoCase(FolderFile(folder, name));
}
