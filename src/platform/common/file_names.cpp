#include "platform/common/file_names.h"

#include <sys/stat.h>

#include <filesystem>

namespace tunelo {

namespace fs = std::filesystem;

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t k = 0; k < a.size(); ++k) {
        char x = a[k], y = b[k];
        if (x >= 'a' && x <= 'z')
            x = char(x - 32);
        if (y >= 'a' && y <= 'z')
            y = char(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

bool EndsWithNoCase(std::string_view name, std::string_view end) {
    return name.size() >= end.size() && EqualsNoCase(name.substr(name.size() - end.size()), end);
}

std::string ResolvePathNoCase(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0)
        return path;
    const fs::path wanted(path);
    const std::string name = wanted.filename().string();
    if (name.empty())
        return path;
    const fs::path parent = wanted.parent_path();
    std::error_code ec;
    fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, ec);
    std::string best;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (EqualsNoCase(candidate, name) && (best.empty() || candidate < best))
            best = std::move(candidate);
    }
    if (best.empty())
        return path;
    return (parent / best).string();
}

bool FileExistsNoCase(const std::string& path) {
    struct stat st;
    return ::stat(ResolvePathNoCase(path).c_str(), &st) == 0;
}

}  // namespace tunelo
