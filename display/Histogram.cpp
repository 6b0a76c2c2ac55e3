#include "display/Histogram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace orvik::display {

namespace {
constexpr int64_t binCount = 65536; // one bin for every 16-bit sample value
}

std::vector<ChartPoint> histogramPoints(std::span<const ChartPoint> series)
{
    double largestX = 0;
    for (const ChartPoint& p : series)
        largestX = std::max(largestX, p.x);
    // Calibrated values stay far below 65536; any larger x would bin outside the counters.
    const auto bound = int64_t(std::min<double>(largestX, binCount - 1));

    std::vector<uint32_t> bins(size_t(bound + 1), 0);
    for (const ChartPoint& p : series) {
        const double v = std::trunc(p.y);
        if (v >= 0 && v <= double(bound))
            ++bins[size_t(v)];
    }

    std::vector<ChartPoint> points;
    points.reserve(bins.size() + 1);
    points.push_back({0, 0});
    for (size_t i = 0; i < bins.size(); ++i)
        points.push_back({double(i + 1), double(bins[i])});
    return points;
}

} // namespace orvik::display
