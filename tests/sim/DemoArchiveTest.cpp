// The default archive must show every kind of packet the ground software knows, with values that
// decode to something an engineer would believe.
#include "tests/sim/FrameWalker.h"
#include "tests/sim/SimulatedArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

namespace orvik::sim::test {
namespace {

int16_t category(const Frame& frame)
{
    return static_cast<int16_t>(dataWord(frame, 1).value_or(0));
}

// What the ground's walk over the packets sees, dumps assembled from their pages.
struct Census {
    size_t foreign = 0;
    size_t regularHk = 0;
    std::map<int, size_t> categories;  // category word (signed) -> packets
    std::map<uint16_t, size_t> dumps;  // memory type -> dumps
    size_t pagesLikeScience = 0;       // dump pages the ground would also take for science blocks
    size_t foreignInsideDumps = 0;     // packets between pages other than housekeeping
};

Census takeCensus(const std::vector<Frame>& frames)
{
    Census census;
    for (size_t i = 0; i < frames.size(); ++i) {
        const Frame& frame = frames[i];
        if (processId(frame) != kInstrument) {
            ++census.foreign;
        } else if (serviceType(frame) == 3) {
            ++census.regularHk;
        } else {
            ++census.categories[category(frame)];
            if (category(frame) != 9)
                continue;
            ++census.dumps[*dataWord(frame, 3)];
            for (unsigned pages = *dataWord(frame, 4); pages > 0;) {
                const Frame& next = frames.at(++i);
                if (isTransfer(next)) {
                    --pages;
                    census.pagesLikeScience += dataWord(next, 1) == 2;
                } else if (serviceType(next) != 3) {
                    ++census.foreignInsideDumps;
                }
            }
        }
    }
    return census;
}

class DemoArchive : public testing::Test {
protected:
    const Walk walk = walkFrames(demoArchive());
};

TEST_F(DemoArchive, IsOfDemoSizeAndWellFramed)
{
    EXPECT_GE(demoArchive().size(), 200u * 1024);
    EXPECT_LE(demoArchive().size(), 2u * 1024 * 1024);
    EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
    EXPECT_GT(walk.strayBytes, 0u);
    size_t framed = walk.strayBytes;
    for (const Frame& frame : walk.frames)
        framed += frame.bytes.size();
    EXPECT_EQ(framed, demoArchive().size());
}

TEST_F(DemoArchive, HoldsEveryPacketCategoryAndAllFourMemories)
{
    Census census = takeCensus(walk.frames);
    EXPECT_GT(census.foreign, 0u);
    EXPECT_GT(census.regularHk, 0u);
    for (int c = 0; c <= 12; ++c)
        EXPECT_GT(census.categories[c], 0u) << "category " << c;
    EXPECT_GT(census.categories[0x4F72], 0u);
    EXPECT_GT(census.categories[13], 0u);
    EXPECT_TRUE(std::any_of(census.categories.begin(), census.categories.end(), [](const auto& c) { return c.first < 0; }));
    for (const uint16_t memory : {0x000F, 0x00F0, 0x0F00, 0xF000})
        EXPECT_EQ(census.dumps[memory], 1u) << std::hex << memory;
}

TEST_F(DemoArchive, DumpPagesAreNeitherScienceBlocksNorInterruptedByThem)
{
    const Census census = takeCensus(walk.frames);
    EXPECT_EQ(census.pagesLikeScience, 0u);
    EXPECT_EQ(census.foreignInsideDumps, 0u);
}

TEST_F(DemoArchive, HousekeepingDecodesToPlausibleValuesStampedWithItsTime)
{
    uint32_t previous = 0;
    size_t checked = 0;
    for (const Frame& frame : walk.frames) {
        const uint32_t time = static_cast<uint32_t>(wordAt(frame, 10)) << 16 | wordAt(frame, 12);
        EXPECT_GE(time, previous) << "packet times go back at " << frame.offset;
        previous = time;
        if (processId(frame) != kInstrument || serviceType(frame) != 3)
            continue;
        ++checked;
        for (const size_t half : {0u, 64u}) {
            auto word = [&](size_t index) { return *dataWord(frame, 1 + half + index); };
            EXPECT_NEAR(static_cast<int16_t>(word(15)) * 0.000732, 5.0, 0.1);   // DPU voltage
            EXPECT_NEAR(word(16) * 16.0, 30000.0, 3000.0);                       // He tank 1, mbar
            EXPECT_NEAR(word(19) * 0.04 - 273.16, 30.0, 15.0);                  // GC board, °C
            for (size_t column = 24; column < 32; ++column)
                EXPECT_NEAR(word(column) * 0.014, 90.0, 75.0);                   // columns, °C
            EXPECT_NEAR((word(34) - 970.0) * 0.14, 300.0, 300.0);               // oven, °C
        }
        // The second sample is taken at the packet's time.
        EXPECT_EQ(static_cast<uint32_t>(*dataWord(frame, 65 + 54)) << 16 | *dataWord(frame, 65 + 55), time);
    }
    EXPECT_GT(checked, 100u);
}

TEST_F(DemoArchive, ExecutionReportsMatchTheirTelecommands)
{
    size_t reports = 0;
    for (const Frame& frame : walk.frames) {
        if (processId(frame) != kInstrument || serviceType(frame) == 3 || category(frame) != 12)
            continue;
        ++reports;
        auto pair = [&](size_t k) { return static_cast<uint32_t>(*dataWord(frame, k)) << 16 | *dataWord(frame, k + 1); };
        EXPECT_LE(pair(3), pair(5));
        EXPECT_EQ(pair(7), pair(5) - pair(3));
        const unsigned words = *dataWord(frame, 16) & 0x1F;
        EXPECT_GE(words, 1u);
        const unsigned code = *dataWord(frame, 17) & 0xF;
        EXPECT_TRUE(code >= 1 && code <= 14) << code;
        EXPECT_EQ(*dataWord(frame, 17) & 0xFFF0, 0) << "the code word carries only the code";
    }
    EXPECT_GT(reports, 10u);
}

TEST_F(DemoArchive, ErrorMessagesUseIdentifiersTheGroundKnows)
{
    std::set<unsigned> eventCategories;
    for (const Frame& frame : walk.frames) {
        if (processId(frame) != kInstrument || serviceType(frame) == 3 || category(frame) != 7)
            continue;
        const unsigned event = *dataWord(frame, 3);
        const unsigned id = event & 0x0FFF;
        eventCategories.insert(event >> 12);
        switch (event >> 12) {
        case 1: EXPECT_TRUE(id >= 0x01 && id <= 0x16 && id != 0x0F && id != 0x10) << id; break;
        case 4: EXPECT_TRUE(id >= 1 && id <= 5) << id; break;
        case 8: EXPECT_GT(*dataWord(frame, 4), 0u); break;
        default: ADD_FAILURE() << "event category " << (event >> 12);
        }
    }
    EXPECT_EQ(eventCategories, (std::set<unsigned>{1, 4, 8}));
}

} // namespace
} // namespace orvik::sim::test
