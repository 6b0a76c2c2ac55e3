#include "tools/sim/Random.h"

namespace orvik::sim {

namespace {

uint64_t splitmix64(uint64_t& x)
{
    uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint64_t rotl(uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}

} // namespace

Random::Random(uint64_t seed)
{
    for (auto& word : state_)
        word = splitmix64(seed);
}

uint64_t Random::next()
{
    const uint64_t result = rotl(state_[1] * 5, 7) * 9;
    const uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = rotl(state_[3], 45);
    return result;
}

uint32_t Random::below(uint32_t n)
{
    // Multiply-shift maps 32 random bits onto 0 .. n - 1 without a division.
    return static_cast<uint32_t>(((next() >> 32) * n) >> 32);
}

int Random::between(int lo, int hi)
{
    return lo + static_cast<int>(below(static_cast<uint32_t>(hi - lo + 1)));
}

double Random::uniform()
{
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

bool Random::chance(double probability)
{
    return uniform() < probability;
}

double Random::noise()
{
    // Four uniforms sum to mean 2 and variance 1/3; 1.7320508 (the square root of 3) restores
    // variance 1.
    return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508075688772;
}

} // namespace orvik::sim
