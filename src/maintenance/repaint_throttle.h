// A progress text repainted at most every 50 ms: a long run that repainted per record would spend
// its time drawing.
#pragma once

#include <QElapsedTimer>

class RepaintThrottle {
public:
    RepaintThrottle() { timer_.start(); }
    // True at the first call and then once 50 ms have passed since the last true.
    bool Due() {
        if (first_ || timer_.elapsed() >= kIntervalMs) {
            first_ = false;
            timer_.restart();
            return true;
        }
        return false;
    }

private:
    static constexpr qint64 kIntervalMs = 50;
    QElapsedTimer timer_;
    bool first_ = true;
};
