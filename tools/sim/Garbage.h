#pragma once

#include <cstdint>
#include <vector>

namespace orvik::sim {

// Hostile bytes for a served stream, the same for a seed and an index: fake frame starts (the sync
// words and a header with the data-field-header flag that announces the longest frame, L = 0xFFFF)
// at even offsets, each followed by a run of random bytes, the first of them at the start. A
// reader that trusts a fake header waits for 65 kB that never come as one frame.
std::vector<uint8_t> hostileBytes(uint64_t seed, uint64_t index, uint32_t count);

} // namespace orvik::sim
