#include "tools/sim/Configuration.h"
#include "tests/sim/FrameWalker.h"
#include "tools/sim/ScienceStream.h"
#include "tests/sim/SimulatedArchive.h"
#include "tools/sim/Spectra.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <vector>

namespace orvik::sim {
namespace {

constexpr uint16_t kTc = 0x5443, kTi = 0x5449, kHk = 0x484B, kCd = 0x4344, kPd = 0x5044;
constexpr uint16_t kAg = 0x4147, kAm = 0x414D, kGc = 0x4743, kMs = 0x4D53;

std::vector<uint16_t> drain(ScienceStream& stream)
{
    std::vector<uint16_t> words;
    while (stream.hasFullBlock()) {
        const Block block = stream.takeBlock();
        words.insert(words.end(), block.begin(), block.end());
    }
    return words;
}

TEST(ScienceStream, HousekeepingLengthPointsAtTheNextTag)
{
    ScienceStream stream;
    stream.appendHousekeeping(std::array<uint16_t, kFullHkWords>{});
    stream.appendTime(0x00012345);
    stream.finish();
    const auto words = drain(stream);
    EXPECT_EQ(words[0], kHk);
    EXPECT_EQ(words[1], 107);
    EXPECT_EQ(words[0 + words[1] + 1], kTi);
    EXPECT_EQ(words[109], 0x0001);
    EXPECT_EQ(words[110], 0x2345);
}

// Whatever the length of the last record, finishing pads the stream so that the ground, which
// parses only records that start more than a block before the last block, sees every record; and
// the block count the campaign plans with is the one it gets.
TEST(ScienceStream, FinishingLeavesEveryRecordInTheParsedPart)
{
    for (unsigned samples = 0; samples < 2 * kBlockWords; ++samples) {
        ScienceStream stream;
        const std::vector<uint16_t> tc{9, 0xFFFF, 0, 0};
        stream.appendTelecommand(tc);
        const std::vector<uint16_t> spectrum(samples, 7);
        const size_t planned = stream.blocksWith(spectrumRecordWords(samples));
        stream.appendSpectrum(RecordTag::MassSpectrum, 100, spectrum);
        stream.finish();
        const auto words = drain(stream);
        ASSERT_EQ(words.size() % kBlockWords, 0u);
        const size_t blocks = words.size() / kBlockWords;
        EXPECT_EQ(blocks, planned) << samples;
        const size_t lastOffset = (blocks - 1) * kBlockWords;
        const size_t spectrumStart = telecommandRecordWords(tc.size());
        EXPECT_LT(spectrumStart + kBlockWords, lastOffset) << samples;
        EXPECT_EQ(words[spectrumStart], kMs);
        EXPECT_EQ(words[spectrumStart + 1], samples + 2);
        EXPECT_TRUE(std::all_of(words.begin() + static_cast<std::ptrdiff_t>(spectrumStart + 4 + samples), words.end(),
                                [](uint16_t w) { return w == 0; }));
    }
}

class DemoStream : public testing::Test {
protected:
    const test::Walk walk = test::walkFrames(test::demoArchive());
    const test::Stream stream = test::assembleStream(walk.frames);

    // The records of each dataset, from its TC record to the next.
    std::vector<std::vector<test::Record>> datasets() const
    {
        std::vector<std::vector<test::Record>> result;
        for (const test::Record& record : stream.records) {
            if (record.tag == kTc)
                result.emplace_back();
            if (!result.empty())
                result.back().push_back(record);
        }
        return result;
    }
};

TEST_F(DemoStream, IsCompleteAndEveryRecordLiesWhereTheGroundParses)
{
    ASSERT_FALSE(stream.records.empty());
    for (size_t i = 1; i < stream.blockNumbers.size(); ++i)
        ASSERT_EQ(stream.blockNumbers[i], stream.blockNumbers[i - 1] + 1);
    for (const test::Record& record : stream.records)
        EXPECT_LE(record.end, stream.words.size());
    EXPECT_EQ(stream.records.front().tag, kTc);
    // Past the last parsed record there is only padding.
    EXPECT_TRUE(std::all_of(stream.words.begin() + static_cast<std::ptrdiff_t>(stream.parseEnd), stream.words.end(),
                            [](uint16_t w) { return w == 0; }));
}

TEST_F(DemoStream, DatasetsOfEveryKindOpenWithTheirTelecommandAndConfiguration)
{
    std::map<std::string, size_t> kinds;
    std::map<uint16_t, size_t> tags;
    for (const auto& dataset : datasets()) {
        ASSERT_GE(dataset.size(), 6u);
        // The configuration directly after the telecommand: the chromatogram display looks for it
        // as the dataset's second entry.
        EXPECT_EQ(dataset[1].tag, kCd);
        EXPECT_EQ(dataset[2].tag, kTi);
        EXPECT_EQ(dataset[3].tag, kPd);
        EXPECT_EQ(dataset[4].tag, kHk);
        EXPECT_TRUE(dataset.back().tag == kMs || dataset.back().tag == kGc) << "a dataset ends with a spectrum";
        const auto* w = &stream.words[dataset[0].position + 2];
        EXPECT_EQ(w[0], 9) << "started by STAC";
        ++kinds[w[1] ? "MS" : w[2] ? "GC" : w[3] ? "GCMS" : "none"];
        for (const test::Record& record : dataset)
            ++tags[record.tag];
        EXPECT_EQ(stream.words[dataset[1].position + 1], kConfigurationWords);
        EXPECT_EQ(stream.words[dataset[3].position + 1], kParameterWords);
    }
    EXPECT_GT(kinds["MS"], 0u);
    EXPECT_GT(kinds["GC"], 0u);
    EXPECT_GT(kinds["GCMS"], 0u);
    EXPECT_EQ(kinds["none"], 0u);
    for (const uint16_t tag : {kAg, kAm, kGc, kMs})
        EXPECT_GT(tags[tag], 0u) << std::hex << tag;
}

// Local maxima well above the dark counts, largest first.
std::vector<size_t> strongestPeaks(const uint16_t* samples, size_t count, size_t wanted)
{
    std::vector<size_t> peaks;
    for (size_t i = 1; i + 1 < count; ++i)
        if (samples[i] > 100 && samples[i] >= samples[i - 1] && samples[i] > samples[i + 1])
            peaks.push_back(i);
    std::sort(peaks.begin(), peaks.end(), [samples](size_t a, size_t b) { return samples[a] > samples[b]; });
    peaks.resize(std::min(peaks.size(), wanted));
    return peaks;
}

TEST_F(DemoStream, MassSpectraPeakAtWholeMassesUnderTheirCalibration)
{
    uint16_t csib = 0xFFFF;
    std::set<long> masses;
    size_t spectra = 0;
    for (const test::Record& record : stream.records) {
        if (record.tag == kCd)
            csib = stream.words[record.position + 2 + 35];
        if (record.tag != kMs)
            continue;
        ++spectra;
        const size_t count = stream.words[record.position + 1] - 2u;
        EXPECT_EQ(count, msSamples(csib != 0));
        const MassCalibration calibration = massCalibration(csib != 0);
        for (const size_t i : strongestPeaks(&stream.words[record.position + 4], count, 3)) {
            const double mass = std::pow(static_cast<double>(i) * calibration.a - calibration.b, 2);
            EXPECT_NEAR(mass, std::round(mass), 0.15) << "sample " << i;
            masses.insert(std::lround(mass));
        }
    }
    EXPECT_GT(spectra, 5u);
    EXPECT_TRUE(masses.contains(18)) << "water";
    EXPECT_TRUE(masses.contains(28)) << "nitrogen";
}

TEST_F(DemoStream, ChromatogramChannelsCarryTheirColumnsPeaksInBothGains)
{
    size_t chromatograms = 0;
    for (const test::Record& record : stream.records) {
        if (record.tag != kGc)
            continue;
        ++chromatograms;
        const size_t count = stream.words[record.position + 1] - 2u;
        ASSERT_EQ(count % 8, 0u);
        const uint16_t* samples = &stream.words[record.position + 4];
        auto channel = [&](size_t k) {
            std::vector<uint16_t> points;
            for (size_t n = k; n < count; n += 8)
                points.push_back(samples[n]);
            return points;
        };
        for (size_t k = 0; k < 4; ++k) {
            const auto low = channel(k);
            const auto high = channel(k + 4);
            const auto lowTop = std::max_element(low.begin(), low.end()) - low.begin();
            const auto highTop = std::max_element(high.begin(), high.end()) - high.begin();
            EXPECT_NEAR(static_cast<double>(lowTop), static_cast<double>(highTop), 3.0) << "DAC channel " << k + 1;
            EXPECT_GT(high[static_cast<size_t>(highTop)], 4 * low[static_cast<size_t>(lowTop)]) << "high gain";
        }
    }
    EXPECT_GE(chromatograms, 2u);
}

} // namespace
} // namespace orvik::sim
