#include "tools/sim/Garbage.h"

#include "tools/sim/ArchiveWriter.h"
#include "tools/sim/Random.h"

namespace orvik::sim {

std::vector<uint8_t> hostileBytes(uint64_t seed, uint64_t index, uint32_t count)
{
    // A generator of its own, so that garbage leaves the campaign's values as they are.
    Random random(seed ^ 0x67617262616765ull ^ (index * 0x9E3779B97F4A7C15ull));
    std::vector<uint8_t> bytes;
    bytes.reserve(count);
    const auto putWord = [&bytes](uint16_t word) {
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>(word >> 8));
    };
    while (bytes.size() < count) {
        putWord(kSyncWord1);
        putWord(kSyncWord2);
        putWord(static_cast<uint16_t>(kDataFieldHeaderFlag | (random.next() & 0x07FF)));
        putWord(static_cast<uint16_t>(random.next()));
        putWord(0xFFFF);
        // An even run keeps the next fake start where a reader that steps by words looks.
        const size_t run = 2 * static_cast<size_t>(random.between(1, 48));
        for (size_t i = 0; i < run; ++i)
            bytes.push_back(static_cast<uint8_t>(random.next()));
    }
    bytes.resize(count);
    return bytes;
}

} // namespace orvik::sim
