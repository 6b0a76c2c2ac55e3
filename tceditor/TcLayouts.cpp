#include "tceditor/TcLayouts.h"

#include <algorithm>
#include <cmath>

namespace orvik::tceditor::tcwords::cfgc {

std::optional<int> sampleSourceIndex(std::uint16_t word)
{
    if (word == 0)
        return std::nullopt;
    // Each source is one nibble further up: the power of 16 above the first mask.
    const int index = int(std::trunc(std::trunc(std::log2(word / 15.0)) * 0.25));
    // A mask above the last source names the last one, as the selection cannot go further.
    return std::clamp(index, 0, sampleSourceCount - 1);
}

} // namespace orvik::tceditor::tcwords::cfgc
