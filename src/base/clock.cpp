#include "base/clock.h"

#include <optional>

namespace {

std::optional<Clock::TimePoint> fixedTime;

}  // namespace

Clock::TimePoint Clock::Now() {
    return fixedTime ? *fixedTime : std::chrono::system_clock::now();
}

void Clock::Set(TimePoint fixed) {
    fixedTime = fixed;
}

void Clock::Reset() {
    fixedTime.reset();
}
