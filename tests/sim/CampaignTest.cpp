#include "tests/sim/FrameWalker.h"
#include "tests/sim/SimulatedArchive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

namespace orvik::sim::test {
namespace {

CampaignSettings settingsWith(uint64_t seed, std::optional<uint64_t> size = {}, unsigned missing = 0)
{
    CampaignSettings settings;
    settings.seed = seed;
    settings.targetBytes = size;
    settings.missing = missing;
    return settings;
}

TEST(Campaign, SameSeedAndOptionsGiveTheSameBytes)
{
    EXPECT_EQ(simulate(settingsWith(7)), simulate(settingsWith(7)));
    EXPECT_EQ(simulate(settingsWith(7, 3u << 20, 4)), simulate(settingsWith(7, 3u << 20, 4)));
}

TEST(Campaign, AnotherSeedGivesAnotherArchive)
{
    EXPECT_NE(simulate(settingsWith(1)), simulate(settingsWith(2)));
}

TEST(Campaign, GrowsToTheTargetSizeAndStopsSoonAfter)
{
    for (const uint64_t target : {64ull << 10, 1ull << 20, 6ull << 20}) {
        const std::string archive = simulate(settingsWith(3, target));
        EXPECT_GE(archive.size(), target);
        EXPECT_LE(archive.size(), target + (256u << 10)) << target;
        const Walk walk = walkFrames(archive);
        EXPECT_TRUE(walk.problems.empty()) << walk.problems.front();
    }
}

TEST(Campaign, RepeatsMeasurementsWithAdvancingTimes)
{
    const Stream stream = assembleStream(walkFrames(simulate(settingsWith(5, 8u << 20))).frames);
    std::vector<uint32_t> times;
    for (const Record& record : stream.records)
        if (record.tag == 0x5449)
            times.push_back(static_cast<uint32_t>(stream.words[record.position + 1]) << 16 | stream.words[record.position + 2]);
    ASSERT_GT(times.size(), 8u);
    EXPECT_TRUE(std::is_sorted(times.begin(), times.end()));
    EXPECT_LT(times.back(), 0x80000000u) << "a signed count of 1/32 s";
}

TEST(Campaign, LeavesOutExactlyTheMissingBlocksAndNothingElse)
{
    const std::string full = simulate(settingsWith(11));
    const std::string lossy = simulate(settingsWith(11, {}, 7));
    const Stream fullStream = assembleStream(walkFrames(full).frames);
    const Walk lossyWalk = walkFrames(lossy);
    const Stream lossyStream = assembleStream(lossyWalk.frames);

    const auto& numbers = lossyStream.blockNumbers;
    EXPECT_EQ(numbers.front(), fullStream.blockNumbers.front());
    EXPECT_EQ(numbers.back(), fullStream.blockNumbers.back());
    EXPECT_EQ(static_cast<size_t>(numbers.back() - numbers.front() + 1) - numbers.size(), 7u);

    // Cutting the lost frames out of the full archive gives the lossy one.
    const std::set<uint16_t> kept(numbers.begin(), numbers.end());
    std::string expected;
    size_t from = 0;
    for (const Frame& frame : walkFrames(full).frames) {
        if (isScienceBlock(frame) && !kept.contains(*dataWord(frame, 2))) {
            expected += full.substr(from, frame.offset - from);
            from = frame.offset + frame.bytes.size();
        }
    }
    expected += full.substr(from);
    EXPECT_EQ(lossy, expected);
}

TEST(Campaign, RefusesToLoseMoreBlocksThanTheStreamHas)
{
    EXPECT_THROW(chooseMissingBlocks(settingsWith(1, {}, 100000)), std::invalid_argument);
    EXPECT_THROW(chooseMissingBlocks(settingsWith(1, 4096, 1)), std::invalid_argument) << "no science in 4 KB";
}

// With the first block number close to the top, a few hundred block numbers remain: the stream
// must stop below 0xFFFF and spread over the whole archive rather than fill its start.
TEST(Campaign, BlockNumbersNeverWrapAndTheStreamIsSpreadOverTheArchive)
{
    CampaignSettings settings = settingsWith(9, 24u << 20);
    settings.firstBlock = 65100;
    const std::string archive = simulate(settings);
    const Walk walk = walkFrames(archive);
    const Stream stream = assembleStream(walk.frames);

    ASSERT_FALSE(stream.blockNumbers.empty());
    EXPECT_EQ(stream.blockNumbers.front(), 65100);
    for (size_t i = 1; i < stream.blockNumbers.size(); ++i)
        ASSERT_EQ(stream.blockNumbers[i], stream.blockNumbers[i - 1] + 1);
    EXPECT_LE(stream.blockNumbers.back(), 0xFFFE);
    EXPECT_TRUE(std::all_of(stream.words.begin() + static_cast<std::ptrdiff_t>(stream.parseEnd), stream.words.end(),
                            [](uint16_t w) { return w == 0; }));

    size_t lastBlockOffset = 0;
    for (const Frame& frame : walk.frames)
        if (isScienceBlock(frame))
            lastBlockOffset = frame.offset;
    EXPECT_GT(lastBlockOffset, archive.size() / 2);
}

// A real-time run paces its science stream for the size it is expected to reach: the rate times
// the duration, or a few hours, of frames of the usual size.
TEST(Campaign, ARealTimeRunExpectsTheSizeOfItsPacketsOverItsDuration)
{
    const auto expected = [](RealTime realTime) { return *realTimeSettings(settingsWith(3), realTime).targetBytes; };
    const uint64_t tenSeconds = expected({1000, 10.0});
    EXPECT_GT(tenSeconds, 1000u * 10 * 200);
    EXPECT_LT(tenSeconds, 1000u * 10 * 300);
    EXPECT_GT(expected({1000, std::nullopt}), 3u * 3600 * tenSeconds / 10);
}

} // namespace
} // namespace orvik::sim::test
