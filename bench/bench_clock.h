// The two clocks of the benchmarks: wall time since a moment, and the processor time of the
// process, which is what an operation costs when other programs share the machine.
#pragma once

#include <time.h>

#include <chrono>

inline double Ms(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
        .count();
}

inline double CpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}
