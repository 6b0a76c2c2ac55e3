#pragma once
// How often each intensity occurs in a spectrum: the histogram window's series.

#include "display/ComponentModel.h"

#include <span>
#include <vector>

namespace orvik::display {

// Bins 0..B, B the largest x of the series truncated (at most 65535): the point
// (0, 0), then (i + 1, number of points whose truncated y is i) for every bin i.
// y values above B are not counted.
std::vector<ChartPoint> histogramPoints(std::span<const ChartPoint> series);

} // namespace orvik::display
