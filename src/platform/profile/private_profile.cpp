#include "platform/profile/private_profile.h"

#include "platform/common/file_names.h"

#include "platform/profile/ini_text.h"
#include "platform/profile/profile_file.h"
#include "platform/profile/profile_number.h"

namespace profile {

namespace {

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

}  // namespace

PrivateProfile::PrivateProfile(std::string path) : path_(std::move(path)) {}

void PrivateProfile::KeepSecret(std::string section, std::string key) {
    secretSection_ = std::move(section);
    secretKey_ = std::move(key);
}

Status PrivateProfile::Lookup(std::string_view section, std::string_view key,
                              std::optional<std::string>* value) const {
    value->reset();
    std::string bytes;
    bool exists = false;
    std::string file = tunelo::ResolvePathNoCase(path_);
    Status status = ReadProfileFile(file, &bytes, &exists);
    if (!status.ok() || !exists)
        return status;
    *value = IniText(bytes).Find(TrimBlanks(section), TrimBlanks(key));
    return Status::OK();
}

std::string PrivateProfile::ReadString(std::string_view section, std::string_view key,
                                       std::string_view default_value) const {
    std::optional<std::string> value;
    if (!Lookup(section, key, &value).ok() || !value)
        return std::string(default_value);
    if (value->size() > kMaxValueLength)
        value->resize(kMaxValueLength);
    return *value;
}

int PrivateProfile::ReadInteger(std::string_view section, std::string_view key,
                                int default_value) const {
    std::optional<std::string> value;
    if (!Lookup(section, key, &value).ok() || !value)
        return default_value;
    return ParseProfileInteger(*value).value_or(default_value);
}

bool PrivateProfile::ReadBool(std::string_view section, std::string_view key,
                              bool default_value) const {
    return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

Status PrivateProfile::CheckNames(std::string_view section, std::string_view key) const {
    // Line breaks are looked for before trimming, which would hide a trailing one.
    if (HasLineBreak(section) || HasLineBreak(key))
        return Status::InvalidArgument(path_, "section or key name holds a line break");
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    if (section.empty())
        return Status::InvalidArgument(path_, "empty section name");
    if (key.empty())
        return Status::InvalidArgument(path_,
                                       "empty key name in section [" + std::string(section) + "]");
    if (section.find_first_of("=]") != std::string_view::npos)
        return Status::InvalidArgument(path_,
                                       "section name holds '=' or ']': " + std::string(section));
    if (key.find_first_of("=]") != std::string_view::npos || key.front() == '[' ||
        key.front() == ';')
        return Status::InvalidArgument(path_, "key name in section [" + std::string(section) +
                                                  "] cannot be stored: " + std::string(key));
    return Status::OK();
}

Status PrivateProfile::WriteString(std::string_view section, std::string_view key,
                                   std::string_view value) {
    Status status = CheckNames(section, key);
    if (!status.ok())
        return status;
    if (HasLineBreak(value))
        return Status::InvalidArgument(
            path_, "value of key " + std::string(TrimBlanks(key)) + " holds a line break");
    std::string file = tunelo::ResolvePathNoCase(path_);
    std::string bytes;
    bool exists = false;
    status = ReadProfileFile(file, &bytes, &exists);
    if (!status.ok())
        return status;
    IniText text(bytes);
    text.Set(TrimBlanks(section), TrimBlanks(key), value);
    const std::optional<std::string> secret =
        secretKey_.empty() ? std::nullopt : text.Find(secretSection_, secretKey_);
    const bool ownerOnly = secret.has_value() && !secret->empty();
    return ReplaceProfileFile(file, text.Bytes(), ownerOnly);
}

Status PrivateProfile::WriteInteger(std::string_view section, std::string_view key, int value) {
    return WriteString(section, key, std::to_string(value));
}

Status PrivateProfile::WriteBool(std::string_view section, std::string_view key, bool value) {
    return WriteString(section, key, value ? "1" : "0");
}

}  // namespace profile
