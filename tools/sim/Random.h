#pragma once

#include <cstdint>

namespace orvik::sim {

// xoshiro256** seeded through splitmix64. The archive must come out byte for byte the same for
// a seed on every platform, which the standard library's distributions do not promise, so every
// random choice of the simulator is drawn from here with integer arithmetic.
class Random {
public:
    explicit Random(uint64_t seed);

    uint64_t next();
    // Uniform in 0 .. n - 1 (n > 0).
    uint32_t below(uint32_t n);
    // Uniform in lo .. hi, both included.
    int between(int lo, int hi);
    // Uniform in [0, 1), from the top 53 bits.
    double uniform();
    bool chance(double probability);
    // Roughly standard normal (sum of four uniforms, scaled): cheap and needs no libm call.
    double noise();

private:
    uint64_t state_[4];
};

} // namespace orvik::sim
