#pragma once
// The monkey's dice: splitmix64, the same numbers from a seed on every platform and
// standard library, so that a seed replays its run.

#include <cstddef>
#include <cstdint>

namespace orvik::monkey {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    // 0 ... n - 1; 0 for n = 0.
    size_t below(size_t n) { return n ? size_t(next() % n) : 0; }
    int between(int low, int high) { return low + int(below(size_t(high - low + 1))); }
    bool chance(int percent) { return below(100) < size_t(percent); }

private:
    uint64_t state_;
};

} // namespace orvik::monkey
