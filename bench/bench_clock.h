// The two clocks of the benchmarks: wall time since a moment, and the processor time of the
// process, which is what an operation costs when other programs share the machine.
#pragma once

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

inline double Ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

inline double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// One line for a measurement taken `times.size()` times: the fastest, the median and the slowest
// run, in milliseconds.
inline void ReportRuns(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s: %zu runs, min %.1f ms, median %.1f ms, max %.1f ms\n", what, times.size(),
                times.front(), times[times.size() / 2], times.back());
}

// One line for single-operation latencies in seconds (sorted here): median, 99th percentile and
// slowest, in microseconds, in the format the single-write benches share.
inline void ReportLatencies(const char* what, std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    std::printf("%s, 12 tags: median %.1f us, p99 %.1f us, max %.1f us\n", what,
                seconds[seconds.size() / 2] * 1e6, seconds[seconds.size() * 99 / 100] * 1e6,
                seconds.back() * 1e6);
}
