// SplitMix64: a small, fast random generator that gives the same numbers on every platform, so
// that a bench builds the same data wherever it runs.
#pragma once

#include <cstdint>

namespace bench {

class SplitMix {
public:
    explicit SplitMix(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    uint64_t Below(uint64_t n) { return Next() % n; }

private:
    uint64_t state_;
};

}  // namespace bench
