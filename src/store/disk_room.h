// Free room on the disk that holds a folder, as the copies of whole catalogues need to know it
// before they start. Tests put a smaller disk in its place.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The bytes a non-privileged user may still write on the file system of `folder`; 0 when it
// cannot be asked.
uint64_t DiskRoom(const std::string& folder);

// "12.3 MB": a size as the messages about room show it.
std::string RoomText(uint64_t bytes);

// Replaces DiskRoom for the lifetime of the object (a test's full disk).
class ScopedDiskRoom {
public:
    explicit ScopedDiskRoom(std::function<uint64_t(const std::string&)> room);
    ~ScopedDiskRoom();
    ScopedDiskRoom(const ScopedDiskRoom&) = delete;
    ScopedDiskRoom& operator=(const ScopedDiskRoom&) = delete;

private:
    std::function<uint64_t(const std::string&)> previous_;
};
