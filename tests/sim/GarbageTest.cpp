#include "tools/sim/Garbage.h"

#include <gtest/gtest.h>

namespace orvik::sim {
namespace {

uint16_t wordAt(const std::vector<uint8_t>& bytes, size_t offset)
{
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

TEST(Garbage, IsTheSameForASeedAndAnIndexOnly)
{
    EXPECT_EQ(hostileBytes(7, 0, 1000), hostileBytes(7, 0, 1000));
    EXPECT_NE(hostileBytes(7, 0, 1000), hostileBytes(8, 0, 1000));
    EXPECT_NE(hostileBytes(7, 0, 1000), hostileBytes(7, 1, 1000));
    for (const uint32_t count : {1u, 3u, 10u, 4097u})
        EXPECT_EQ(hostileBytes(7, 2, count).size(), count);
}

// Fake frame starts at even offsets, each a header announcing L = 0xFFFF with the data-field
// header flag, with plain random runs between them.
TEST(Garbage, HoldsFakeFrameStartsWithHugeLengthsBetweenRandomRuns)
{
    const std::vector<uint8_t> bytes = hostileBytes(3, 0, 20000);
    size_t fakeStarts = 0;
    size_t lastStart = 0;
    for (size_t offset = 0; offset + 10 <= bytes.size(); offset += 2) {
        if (wordAt(bytes, offset) != 0x1ACF || wordAt(bytes, offset + 2) != 0xFC1D)
            continue;
        if (wordAt(bytes, offset + 8) != 0xFFFF || (wordAt(bytes, offset + 4) & 0x0800) == 0)
            continue; // sync words that chance put into a run
        EXPECT_TRUE(fakeStarts == 0 || offset >= lastStart + 12) << "a run between fake starts at " << offset;
        lastStart = offset;
        ++fakeStarts;
    }
    EXPECT_EQ(wordAt(bytes, 0), 0x1ACF) << "the garbage opens with a fake start";
    // Runs of 2 to 96 bytes after each 10-byte header.
    EXPECT_GT(fakeStarts, 20000u / 106);
    EXPECT_LT(fakeStarts, 20000u / 12);
}

} // namespace
} // namespace orvik::sim
