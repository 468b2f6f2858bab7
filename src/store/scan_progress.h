// Progress of a scan over every record of a table: `done` of `total` records read so far. The
// hook returns false to stop the scan; a stopped scan changes nothing.
#pragma once

#include <cstdint>
#include <functional>

using ScanProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Records read between two calls of the hook: often enough to answer the user at once, seldom
// enough to cost nothing.
inline constexpr uint64_t kScanReportEvery = 8192;

// Counts one record read and asks the hook at the first record and every kScanReportEvery after
// it; false when the hook asks to stop.
inline bool ScanGoesOn(const ScanProgress& progress, uint64_t* done, uint64_t total) {
    return !progress || ++*done % kScanReportEvery != 1 || progress(*done, total);
}
