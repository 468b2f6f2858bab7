#include "base/ini_check.h"

#include <optional>

#include "base/ini.h"
#include "base/text.h"
#include "platform/common/file_names.h"
#include "platform/profile/ini_text.h"
#include "platform/profile/profile_file.h"

namespace {

// Text with a NUL byte or without any "[section]" line was never written as settings.
bool LooksLikeSettings(const std::string& bytes) {
    if (bytes.find('\0') != std::string::npos)
        return false;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        const std::string_view line =
            profile::TrimBlanks(std::string_view(bytes).substr(start, end - start));
        if (line.size() > 2 && line.front() == '[' && line.find(']') != std::string_view::npos)
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

std::string CdIniProblem() {
    const std::string path = tunelo::ResolvePathNoCase(IniFileName());
    std::string bytes;
    bool exists = false;
    const profile::Status read = profile::ReadProfileFile(path, &bytes, &exists);
    if (!read.ok())
        return "cannot be read: " + read.message();
    if (!exists)
        return "is missing";
    if (IsBlank(bytes))
        return "is empty";
    if (!LooksLikeSettings(bytes))
        return "is not a settings file";
    const std::optional<std::string> code = profile::IniText(bytes).Find("Diversen", "Code_0001");
    if (!code || IsBlank(*code))
        return "holds no password entry (Code_0001 in section [Diversen])";
    return "";
}
