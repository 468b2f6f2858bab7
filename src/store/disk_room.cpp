#include "store/disk_room.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

std::function<uint64_t(const std::string&)>& Override() {
    static std::function<uint64_t(const std::string&)> room;
    return room;
}

}  // namespace

uint64_t DiskRoom(const std::string& folder) {
    if (Override())
        return Override()(folder);
    std::error_code ec;
    const std::filesystem::space_info info = std::filesystem::space(folder, ec);
    return ec ? 0 : uint64_t(info.available);
}

std::string RoomText(uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", double(bytes) / (1024.0 * 1024.0));
    return text;
}

ScopedDiskRoom::ScopedDiskRoom(std::function<uint64_t(const std::string&)> room)
    : previous_(std::exchange(Override(), std::move(room))) {}

ScopedDiskRoom::~ScopedDiskRoom() {
    Override() = std::move(previous_);
}
