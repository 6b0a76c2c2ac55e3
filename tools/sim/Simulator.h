#pragma once

#include "tools/sim/Options.h"

#include <cstdint>
#include <ostream>
#include <set>

namespace orvik::sim {

// The science block numbers the downlink loses: settings.missing of them, chosen by the seed,
// never the first or the last block. Finding the block range takes a dry run of the campaign
// that writes nothing. Throws std::invalid_argument when the stream has too few blocks.
std::set<uint16_t> chooseMissingBlocks(const CampaignSettings& settings);

// Writes the archive of `settings` to `out`, leaving out the science blocks numbered in `missing`.
void writeArchive(const CampaignSettings& settings, const std::set<uint16_t>& missing, std::ostream& out);

} // namespace orvik::sim
