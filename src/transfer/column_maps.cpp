#include "transfer/column_maps.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "base/ui.h"
#include "base/work_dir.h"
#include "platform/profile/private_profile.h"

namespace {

profile::PrivateProfile ColumnMapsFile() {
    return profile::PrivateProfile(WorkFile("columnmaps.ini"));
}

std::string HeaderSection(const std::vector<std::string>& header) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    const auto mix = [&hash](unsigned char byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    for (const std::string& name : header) {
        for (unsigned char byte : name)
            mix(byte);
        mix(0);  // "ab","c" differs from "a","bc"
    }
    char section[40];
    std::snprintf(section, sizeof section, "Header %016" PRIx64, hash);
    return section;
}

bool KnownTarget(const std::string& name) {
    const auto& targets = foreign::ColumnTargets();
    return std::any_of(
        targets.begin(), targets.end(),
        [&name](const foreign::ColumnTarget& target) { return name == target.name; });
}

}  // namespace

std::optional<std::vector<std::string>> RememberedColumnTargets(
    const std::vector<std::string>& header) {
    const profile::PrivateProfile file = ColumnMapsFile();
    const std::string section = HeaderSection(header);
    if (file.ReadInteger(section, "Columns", -1) != int(header.size()))
        return std::nullopt;
    std::vector<std::string> targets;
    for (size_t column = 1; column <= header.size(); ++column) {
        targets.push_back(file.ReadString(section, std::to_string(column), ""));
        if (!KnownTarget(targets.back()))
            return std::nullopt;
    }
    return targets;
}

bool RememberColumnMap(const foreign::ColumnMap& map) {
    profile::PrivateProfile file = ColumnMapsFile();
    const std::string section = HeaderSection(map.header);
    profile::Status status = file.WriteInteger(section, "Columns", int(map.header.size()));
    for (size_t column = 0; status.ok() && column < map.targets.size(); ++column)
        status = file.WriteString(section, std::to_string(column + 1), map.targets[column]);
    if (!status.ok())
        CurrentUi().Message(MsgKind::Warning,
                            "The column map cannot be remembered: " + status.ToString());
    return status.ok();
}
