#include "display/HousekeepingTrend.h"

#include "display/HousekeepingRows.h"
#include "display/HousekeepingSamples.h"
#include "archive/OnBoardTime.h"

#include <algorithm>

namespace orvik::display {

namespace {
constexpr double ticksPerSecond = 65536;
} // namespace

std::vector<TrendSample> trendSamples(const ArchiveDocument& doc)
{
    const std::vector<WordView> blocks = regularHkBlocks(doc);
    std::vector<TrendSample> samples;
    samples.reserve(2 * blocks.size());
    for (const WordView& block : blocks)
        for (const int half : {0, 1})
            if (const std::optional<int64_t> ticks = sampleTicks(block, half))
                samples.push_back({block, half, *ticks});
    const auto earlier = [](const TrendSample& a, const TrendSample& b) { return a.ticks < b.ticks; };
    if (!std::is_sorted(samples.begin(), samples.end(), earlier))
        std::stable_sort(samples.begin(), samples.end(), earlier);
    return samples;
}

const HkParameter* parameterNamed(std::string_view mnemonic)
{
    const auto it = std::find_if(hkParameterTable.begin(), hkParameterTable.end(),
                                 [mnemonic](const HkParameter& d) { return d.mnemonic == mnemonic; });
    return it == hkParameterTable.end() ? nullptr : &*it;
}

std::optional<float> trendValue(const HkParameter& d, const TrendSample& sample)
{
    if (d.key != regularHkKey)
        return std::nullopt;
    return engineeringValue(d, sample.block, sample.half);
}

double unixSeconds(int64_t ticks)
{
    return double(obtEpoch) + double(ticks) / ticksPerSecond;
}

std::vector<ChartPoint> trendPoints(const HkParameter& d, std::span<const TrendSample> samples)
{
    std::vector<ChartPoint> points;
    points.reserve(samples.size());
    for (const TrendSample& s : samples)
        if (const std::optional<float> value = trendValue(d, s))
            points.push_back({unixSeconds(s.ticks), double(*value)});
    return points;
}

bool writeTrendCsv(std::span<const TrendSample> samples, const HkParameterList& parameters, const CsvSink& sink)
{
    std::string text = housekeepingCsvHeader(parameters);
    for (const TrendSample& s : samples) {
        text += csvSampleTime(s.ticks);
        for (const HkParameter* d : parameters) {
            text += ',';
            text += engineeringText(trendValue(*d, s), ".");
        }
        text += '\n';
        if (text.size() >= csvPieceSize) {
            if (!sink(text))
                return false;
            text.clear();
        }
    }
    return sink(text);
}

} // namespace orvik::display
