#pragma once

#include "tools/sim/Options.h"

#include <atomic>
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

// The settings of a real-time run: its expected size, the rate times the duration (a few hours
// without one) times the mean frame size, paces the science stream as a target size does, so that
// its block numbers last the whole run.
CampaignSettings realTimeSettings(CampaignSettings settings, const RealTime& realTime);

struct AppendSummary {
    uint64_t packets = 0;
    uint64_t bytes = 0;
    double seconds = 0;
};

// Sends the campaign of `settings` (see realTimeSettings) to `out` in real time, leaving out the
// science blocks numbered in `missing`, until the duration has passed or `interrupted` is set.
AppendSummary appendArchive(const CampaignSettings& settings, const std::set<uint16_t>& missing,
                            const RealTime& realTime, const std::atomic<bool>& interrupted, std::ostream& out);

} // namespace orvik::sim
