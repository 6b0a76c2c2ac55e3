#pragma once
// The regular housekeeping collection of an opened archive: every "Regular HK"
// packet carries two samples, one per 64-word half of its block, each stamped
// with the on-board time in its LOBT words.

#include "archive/ArchiveDocument.h"
#include "archive/WordView.h"

#include <optional>
#include <vector>

namespace orvik::display {

// A block's samples: one per half.
constexpr int samplesPerBlock = 2;

// The blocks of the "Regular HK" packets in file order (each starts at data word 1,
// as on the "Regular HK" page). A packet too short for a block gives an empty one.
std::vector<WordView> regularHkBlocks(const ArchiveDocument& doc);
// Whether the archive has a "Regular HK" packet, found without gathering the blocks.
bool hasRegularHkBlocks(const ArchiveDocument& doc);

// The sample's on-board time in ticks: ORVH_LOBT_high and ORVH_LOBT_low (words 54
// and 55 of the half), a count of 1/32 s that only grows, so widened without sign.
// Nothing when the block does not hold both words.
std::optional<int64_t> sampleTicks(WordView block, int half);

} // namespace orvik::display
