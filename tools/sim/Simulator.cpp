#include "tools/sim/Simulator.h"

#include "tools/sim/ArchiveWriter.h"
#include "tools/sim/Campaign.h"
#include "tools/sim/Pacer.h"
#include "tools/sim/Random.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvik::sim {

namespace {

// How long a run without a duration is expected to go on.
constexpr double kOpenEndedSeconds = 4 * 3600.0;

} // namespace

std::set<uint16_t> chooseMissingBlocks(const CampaignSettings& settings)
{
    if (settings.missing == 0)
        return {};
    ArchiveWriter counter(nullptr);
    const ScienceSummary science = Campaign(settings, counter, {}).run();
    const uint32_t inner = science.blocks >= 2 ? science.blocks - 2 : 0;
    if (settings.missing > inner)
        throw std::invalid_argument("cannot leave out " + std::to_string(settings.missing) + " science blocks: the stream has "
                                    + std::to_string(inner) + " besides its first and last");

    // A partial shuffle of the inner block numbers; a generator of its own keeps the campaign's
    // values the same with and without missing blocks.
    Random random(settings.seed ^ 0x6D697373696E6721ull);
    std::vector<uint16_t> candidates(inner);
    for (uint32_t i = 0; i < inner; ++i)
        candidates[i] = static_cast<uint16_t>(science.firstBlock + 1 + i);
    for (uint32_t i = 0; i < settings.missing; ++i)
        std::swap(candidates[i], candidates[i + random.below(inner - i)]);
    return {candidates.begin(), candidates.begin() + settings.missing};
}

void writeArchive(const CampaignSettings& settings, const std::set<uint16_t>& missing, std::ostream& out)
{
    ArchiveWriter writer(&out);
    Campaign(settings, writer, missing).run();
}

CampaignSettings realTimeSettings(CampaignSettings settings, const RealTime& realTime)
{
    // One campaign of the seed, counted, gives the mean frame size.
    CampaignSettings once = settings;
    once.targetBytes.reset();
    ArchiveWriter counter(nullptr);
    Campaign(once, counter, {}).run();
    const double frameBytes = static_cast<double>(counter.bytesWritten()) / static_cast<double>(counter.packetsWritten());
    const double bytes = realTime.packetsPerSecond * realTime.seconds.value_or(kOpenEndedSeconds) * frameBytes;
    settings.targetBytes = static_cast<uint64_t>(std::clamp(bytes, 1.0, 0x1p63));
    return settings;
}

AppendSummary appendArchive(const CampaignSettings& settings, const std::set<uint16_t>& missing,
                            const RealTime& realTime, const std::atomic<bool>& interrupted, std::ostream& out)
{
    ArchiveWriter writer(&out);
    Pacer pacer(writer, realTime, interrupted);
    Campaign(settings, writer, missing, &pacer).run();
    return {writer.packetsWritten(), writer.bytesWritten(), pacer.elapsed()};
}

} // namespace orvik::sim
