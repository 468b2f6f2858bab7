// Clock: where "today" and "now" come from, so that tests can fix them.
#pragma once

#include <chrono>

class Clock {
public:
    using TimePoint = std::chrono::system_clock::time_point;

    // The installed clock's time; the system clock unless a test set one.
    static TimePoint Now();
    // Fixes the time returned by Now (a test's clock); Reset returns to the system clock.
    static void Set(TimePoint fixed);
    static void Reset();
};
