// PrivateProfile: one settings file in the sectioned INI style of the platform the catalogue
// comes from ("[Section]" headers, "key=value" lines). There is no in-memory copy: every call
// opens the file, does its one read or write and closes it, so a value written is seen at once
// by the next read, from this object or any other.
//
// Section and key names match ignoring ASCII letter case; blanks around names and values do not
// count, and a value wrapped in matching quotes loses them. Values are bytes (the files are
// Windows-1252) and are never converted. Writes change only the line concerned and replace the
// file atomically, so a crash leaves the old or the new file, never a damaged one.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/profile/status.h"

namespace profile {

class PrivateProfile {
public:
    // Values longer than this are cut to it when read, as the platform's reader does.
    static constexpr size_t kMaxValueLength = 1023;

    // `path` names the file; it need not exist. If a file whose name differs only in letter
    // case is in the folder, that one is used and keeps its spelling.
    explicit PrivateProfile(std::string path);

    const std::string& path() const { return path_; }

    // `key` in `section` holds a secret: while it has a value, every write leaves the file
    // readable and writable by its owner only.
    void KeepSecret(std::string section, std::string key);

    // The value of `key` in `section`, cut to kMaxValueLength bytes; `default_value` when the
    // file, section or key is absent or the file cannot be read.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view default_value) const;

    // The value read as a decimal or hexadecimal ("0x", "$") integer with an optional sign;
    // `default_value` when absent or when the value is not entirely a number ("12abc").
    int ReadInteger(std::string_view section, std::string_view key, int default_value) const;

    // True when the value is an integer other than 0; `default_value` when absent or not a
    // number.
    bool ReadBool(std::string_view section, std::string_view key, bool default_value) const;

    // Like ReadString, but tells a file that cannot be read apart from an absent key: `*value`
    // is nullopt for an absent file, section or key, and an error is returned only when the
    // file exists and could not be read.
    Status Lookup(std::string_view section, std::string_view key,
                  std::optional<std::string>* value) const;

    // Stores `value` under `key` in `section`, creating the file, section or key as needed.
    // A file without write permission is refused ("read-only"), not replaced.
    // Fails with InvalidArgument, writing nothing, when a name is empty or holds '=', ']', a
    // line break, or would read back as something else (a key starting with '[' or ';'), or
    // when the value holds a line break. Blanks around the value are written but, as on the
    // platform, not read back.
    Status WriteString(std::string_view section, std::string_view key, std::string_view value);

    // Stores the integer in decimal.
    Status WriteInteger(std::string_view section, std::string_view key, int value);

    // Stores "1" or "0".
    Status WriteBool(std::string_view section, std::string_view key, bool value);

private:
    Status CheckNames(std::string_view section, std::string_view key) const;

    std::string path_;
    std::string secretSection_;
    std::string secretKey_;
};

}  // namespace profile
